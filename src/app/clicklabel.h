#pragma once

#include <QLabel>

// A label that does something when clicked: the version number and the
// vendor logo of the main window.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
