#include "tfrmabout.h"

#include "pictures.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

TFRMABOUT::TFRMABOUT(QWidget* parent) : widgets::Screen(parent), m_picture(new QLabel(this))
{
    setObjectName(QStringLiteral("TFRMABOUT"));
    setWindowTitle(QStringLiteral("VELOR Yazılım"));
    m_picture->setObjectName(QStringLiteral("imgAbout"));
    m_picture->setPixmap(pictures::about());
    // The clicks reach the box, which closes.
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFRMABOUT::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        finish(QDialog::Accepted);
}

void TFRMABOUT::reject()
{
    finish(QDialog::Rejected);
}

void TFRMABOUT::closeEvent(QCloseEvent* event)
{
    setClosePermission(true);
    widgets::Screen::closeEvent(event);
}

TFRMSPLASH::TFRMSPLASH() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TFRMSPLASH"));
    auto* picture = new QLabel(this);
    picture->setPixmap(pictures::splash());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
