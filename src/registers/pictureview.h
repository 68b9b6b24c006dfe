#pragma once

#include <QImage>
#include <QScrollArea>

namespace registers {

// A picture box: the picture stretched to fill the box (proportions not
// kept), or at its natural size from the top left corner with scroll bars
// where it is larger than the box. A double-click asks for the enlarged view.
class PictureView : public QScrollArea {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    QImage image() const { return m_image; }
    void setImage(const QImage& image);
    void clear() { setImage(QImage()); }

    bool stretched() const { return m_stretched; }
    void setStretched(bool stretched);
    // "[...]": between stretched and natural size.
    void toggleStretched() { setStretched(!m_stretched); }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    class Canvas;
    void layoutCanvas();

    QImage m_image;
    bool m_stretched = true;
    Canvas* m_canvas;
};

} // namespace registers
