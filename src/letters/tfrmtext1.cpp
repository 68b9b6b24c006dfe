#include "tfrmtext1.h"

#include "letterprint.h"
#include "merge.h"
#include "richeditor.h"
#include "tqrpgidyaz.h"

#include "core/errors.h"
#include "core/prompter.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace letters {

TFRMTEXT1::TFRMTEXT1(core::TDM& dm, core::AppContext& ctx, TQRPGIDYAZ& layout,
                     std::function<QImage()> emblem, QWidget* parent)
    : widgets::Screen(parent), m_ctx(ctx), m_library(dm), m_layout(layout),
      m_emblem(std::move(emblem))
{
    setObjectName(QStringLiteral("TFRMTEXT1"));
    setWindowTitle(QStringLiteral("GİDEN YAZI"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    resize(820, 700);

    m_editor = new RichEditor(this);
    m_templates = new QMenu(this);
    m_templates->setObjectName(QStringLiteral("mnuSablon"));
    QTextEdit* text = m_editor->textArea();
    text->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(text, &QWidget::customContextMenuRequested, this, [this, text](const QPoint& pos) {
        if (!m_templates->isEmpty())
            m_templates->popup(text->viewport()->mapToGlobal(pos));
    });

    m_print = new QPushButton(QStringLiteral("F7-Yazdır"), this);
    m_print->setObjectName(QStringLiteral("btnYazdir"));
    m_exit = new QPushButton(QStringLiteral("Çıkış"), this);
    m_exit->setObjectName(QStringLiteral("btnCikis"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(m_editor, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_print);
    buttons->addStretch();
    buttons->addWidget(m_exit);
    box->addLayout(buttons);

    bindButton(
        m_print, [this] { print(); }, Qt::Key_F7);
    bindButton(m_exit, [this] { exit(); });
    setEscapeButton(m_exit);
}

TFRMTEXT1::~TFRMTEXT1() = default;

void TFRMTEXT1::activate()
{
    // Closing the window is leaving it by "Çıkış".
    setClosePermission(true);
    m_editor->setReadOnly(!m_source);
    m_editor->load(m_source ? m_source->letterText() : QByteArray());
    POPUPDOLDUR();
    m_editor->textArea()->setFocus();
}

void TFRMTEXT1::deactivate()
{
    writeBack();
}

void TFRMTEXT1::writeBack()
{
    if (m_source && m_editor->isModified()) {
        m_source->setLetterText(m_editor->rtf());
        m_editor->setModified(false);
    }
}

void TFRMTEXT1::POPUPDOLDUR()
{
    m_templates->clear();
    for (const QString& description : m_library.descriptions()) {
        QString caption = description;
        QAction* entry =
            m_templates->addAction(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
        connect(entry, &QAction::triggered, this, [this, description] {
            core::guarded([this, description] { POPUPCLICK(description); });
        });
    }
}

void TFRMTEXT1::POPUPCLICK(const QString& description)
{
    if (!m_source)
        return;
    if (!m_editor->isBlank() && !core::Prompter::current().question(ReplaceQuestion))
        return;
    const QByteArray text = mergeFields(m_library.textOf(description), m_source->mergeValues());
    m_source->setLetterText(text);
    m_editor->load(text);
}

void TFRMTEXT1::print()
{
    if (!m_source)
        return;
    writeBack();
    printLetter(m_layout, m_source->letterText(), m_emblem ? m_emblem() : QImage(),
                m_ctx.PreviewBeforePrint, report::PrintDialogKind::System, this);
}

void TFRMTEXT1::exit()
{
    finish(QDialog::Accepted);
}

} // namespace letters
