#include "pictureview.h"

#include <QMouseEvent>
#include <QPainter>

namespace registers {

// Paints the picture over its whole area: scaled when the view stretches
// it, else at 1:1 with the area sized to the picture.
class PictureView::Canvas : public QWidget {
public:
    explicit Canvas(PictureView& view) : QWidget(&view), m_view(view) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_view.m_image.isNull())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (m_view.m_stretched)
            p.drawImage(rect(), m_view.m_image);
        else
            p.drawImage(QPoint(0, 0), m_view.m_image);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        event->accept();
        emit m_view.doubleClicked();
    }

private:
    PictureView& m_view;
};

PictureView::PictureView(QWidget* parent) : QScrollArea(parent), m_canvas(new Canvas(*this))
{
    setBackgroundRole(QPalette::Base);
    setFrameShape(QFrame::StyledPanel);
    setWidget(m_canvas);
    layoutCanvas();
}

void PictureView::setImage(const QImage& image)
{
    m_image = image;
    layoutCanvas();
    m_canvas->update();
}

void PictureView::setStretched(bool stretched)
{
    m_stretched = stretched;
    layoutCanvas();
    m_canvas->update();
}

void PictureView::layoutCanvas()
{
    // Stretched, the canvas follows the box; at natural size it takes the
    // picture's size and the box scrolls over it.
    setWidgetResizable(m_stretched || m_image.isNull());
    if (!widgetResizable())
        m_canvas->resize(m_image.size());
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    emit doubleClicked();
}

} // namespace registers
