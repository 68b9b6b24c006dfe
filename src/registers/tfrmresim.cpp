#include "tfrmresim.h"

#include "pictureview.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace registers {

TFRMRESIM::TFRMRESIM(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFRMRESIM"));
    setWindowTitle(QStringLiteral("RESİM"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    resize(800, 900);
    m_view = new PictureView(this);
    m_view->setObjectName(QStringLiteral("imgResim"));
    m_btnBoyut = new QPushButton(QStringLiteral("[...]"), this);
    m_btnBoyut->setObjectName(QStringLiteral("btnBoyut"));
    m_btnBoyut->setAutoDefault(false);
    connect(m_btnBoyut, &QPushButton::clicked, m_view, &PictureView::toggleStretched);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(4, 4, 4, 4);
    box->addWidget(m_view, 1);
    box->addWidget(m_btnBoyut, 0, Qt::AlignHCenter);
}

void TFRMRESIM::setPicture(const QImage& image)
{
    m_view->setStretched(true);
    m_view->setImage(image);
}

} // namespace registers
