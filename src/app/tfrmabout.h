#pragma once

#include "widgets/screen.h"

class QLabel;

// The about box: the vendor's picture; a click on it closes the box.
class TFRMABOUT : public widgets::Screen {
    Q_OBJECT
public:
    explicit TFRMABOUT(QWidget* parent = nullptr);

    // Esc and the title-bar button close the box as a click does.
    void reject() override;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_picture;
};

// The splash window of the start: the product picture, without a frame.
class TFRMSPLASH : public QWidget {
    Q_OBJECT
public:
    TFRMSPLASH();
};
