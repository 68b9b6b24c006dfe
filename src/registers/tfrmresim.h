#pragma once

#include <QDialog>
#include <QImage>

class QPushButton;

namespace registers {

class PictureView;

// "RESİM": the picture of the entry screen enlarged, stretched to the
// window, with "[...]" switching to its natural size and back. Created
// once and reused; opened modally and closed by the window's close button.
class TFRMRESIM : public QDialog {
    Q_OBJECT
public:
    explicit TFRMRESIM(QWidget* parent = nullptr);

    // The picture to show at the next opening, stretched.
    void setPicture(const QImage& image);
    PictureView& view() const { return *m_view; }

private:
    PictureView* m_view;
    QPushButton* m_btnBoyut;
};

} // namespace registers
