#include "errorbox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace widgets {

ErrorBox::ErrorBox(const QString& text, const QString& details, QWidget* parent)
    : QDialog(parent), m_detailsButton(new QPushButton(QStringLiteral("Ayrıntılar"), this)),
      m_details(new QPlainTextEdit(details, this))
{
    setObjectName(QStringLiteral("ErrorBox"));
    setWindowTitle(QApplication::applicationDisplayName());
    setModal(true);

    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);
    auto* message = new QLabel(text, this);
    message->setObjectName(QStringLiteral("lblHata"));
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message->setMinimumWidth(420);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(message, 1);

    m_detailsButton->setObjectName(QStringLiteral("btnAyrintilar"));
    m_detailsButton->setCheckable(true);
    m_detailsButton->setEnabled(!details.isEmpty());
    auto* ok = new QPushButton(QStringLiteral("Tamam"), this);
    ok->setObjectName(QStringLiteral("btnTamam"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_detailsButton);
    buttons->addStretch();
    buttons->addWidget(ok);

    m_details->setObjectName(QStringLiteral("memAyrintilar"));
    m_details->setReadOnly(true);
    m_details->setMinimumHeight(110);
    m_details->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addWidget(m_details);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_detailsButton, &QPushButton::toggled, this, &ErrorBox::showDetails);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void ErrorBox::showDetails(bool shown)
{
    const QSignalBlocker block(m_detailsButton);
    m_detailsButton->setChecked(shown);
    m_details->setVisible(shown);
}

} // namespace widgets
