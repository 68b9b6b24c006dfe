#include "tfrmsablon.h"

#include "richeditor.h"
#include "rtfreader.h"

#include "core/errors.h"
#include "core/prompter.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace letters {
namespace {

const QString Acik = QStringLiteral("ACIK");
const QString Metin = QStringLiteral("METIN");
// Set on a row whose text the clerk changed in the editor: the row is in
// editing, and its text is the editor's when it is written.
const QString TextEdited = QStringLiteral("METIN_EDITED");

} // namespace

TFRMSABLON::TFRMSABLON(core::TDM& dm, core::AppContext&, QWidget* parent)
    : widgets::Screen(parent), m_dm(dm), m_library(dm),
      m_rows({{Acik, QStringLiteral("E V R A K    Ş A B L O N   A Ç I K L A M A S I"), 0, 50}})
{
    setObjectName(QStringLiteral("TFRMSABLON"));
    setWindowTitle(QStringLiteral("EVRAK ÖRNEĞİ"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    resize(760, 640);

    m_grid = new widgets::EditableGrid(this);
    m_grid->setObjectName(QStringLiteral("grdSablon"));
    m_grid->setTable(&m_rows);
    m_grid->setMinimumHeight(140);
    m_rows.setSaveHandler(
        [this](widgets::RowValues& row, bool newRow) { return saveRow(row, newRow); });
    m_delete = new QAction(QStringLiteral("Sil"), this);
    m_delete->setObjectName(QStringLiteral("actSil"));
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_grid->addAction(m_delete);

    m_editor = new RichEditor(this);
    m_exit = new QPushButton(QStringLiteral("Çıkış"), this);
    m_exit->setObjectName(QStringLiteral("btnCikis"));

    auto* box = new QVBoxLayout(this);
    box->addWidget(m_grid, 1);
    box->addWidget(m_editor, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_exit);
    box->addLayout(buttons);

    connect(m_delete, &QAction::triggered, this,
            [this] { core::guarded([this] { deleteCurrent(); }); });
    bindButton(m_exit, [this] { exit(); });
    connect(m_grid, &widgets::EditableGrid::currentRowChanged, this,
            [this](int row) { core::guarded([this, row] { showTemplate(row); }); });
    connect(m_editor, &RichEditor::edited, this,
            [this] { core::guarded([this] { textEdited(); }); });
}

TFRMSABLON::~TFRMSABLON() = default;

void TFRMSABLON::activate()
{
    // The window's own button closes it as well.
    setClosePermission(true);
    m_library.readNextKayno();
    m_rows.load(m_library.openRows());
    m_library.closeRows(); // the list keeps its own copy of the rows
    m_shownRow = -2;
    if (m_rows.rowCount() > 0)
        m_grid->setCurrentIndex(m_rows.index(0, 0));
    showTemplate(m_grid->currentRowNumber());
    m_grid->setFocus();
}

void TFRMSABLON::deactivate()
{
    m_rows.clear();
    m_shownRow = -1;
    m_editor->clear();
}

void TFRMSABLON::showTemplate(int row)
{
    if (row == m_shownRow)
        return;
    m_shownRow = row >= 0 && row < m_rows.rowCount() ? row : -1;
    // Without a template there is no text to edit: a new template starts
    // in the list.
    m_editor->setReadOnly(m_shownRow < 0);
    m_editor->load(m_shownRow < 0 ? QByteArray() : m_rows.value(m_shownRow, Metin).toByteArray());
}

void TFRMSABLON::textEdited()
{
    if (m_shownRow < 0 || m_rows.value(m_shownRow, TextEdited).toBool())
        return;
    m_rows.setValue(m_shownRow, TextEdited, true);
}

bool TFRMSABLON::saveRow(widgets::RowValues& row, bool newRow)
{
    // The row being written is the one the editor shows: leaving a row
    // writes it before the editor moves on.
    const bool fromEditor = m_rows.editRow() == m_shownRow && m_editor->isModified();
    const QByteArray text = fromEditor ? m_editor->rtf() : row.value(Metin).toByteArray();
    const bool blank =
        fromEditor ? m_editor->isBlank() : rtf::plainTextOf(text).trimmed().isEmpty();
    const QString refusal = TemplateLibrary::refusal(row.value(Acik).toString(), blank);
    if (!refusal.isEmpty()) {
        core::Prompter::current().message(refusal);
        return false;
    }
    widgets::RowValues written = row;
    written.insert(Metin, text);
    written.remove(TextEdited);
    if (newRow) {
        m_library.insert(written);
    } else if (!m_library.update(written)) {
        // The row is kept in editing with the clerk's text in the editor,
        // the change mark with it: nothing of it is lost unsaid.
        core::Prompter::current().message(TemplateRemovedElsewhere);
        return false;
    }
    row = written;
    if (fromEditor)
        m_editor->setModified(false);
    return true;
}

void TFRMSABLON::deleteCurrent()
{
    m_grid->commitEditor();
    const int row = m_grid->currentRowNumber();
    if (row < 0 || row >= m_rows.rowCount())
        return;
    const bool inEditing =
        m_rows.state() != widgets::EditableTable::State::Browse && m_rows.editRow() == row;
    if (inEditing && m_rows.state() == widgets::EditableTable::State::Insert) {
        m_rows.cancel(); // a new template was never written
    } else {
        if (inEditing)
            m_rows.cancel(); // the stored row is the one to delete
        m_library.remove(m_rows.row(row));
        m_rows.dropRow(row);
    }
    m_shownRow = -2;
    showTemplate(m_grid->currentRowNumber());
}

void TFRMSABLON::exit()
{
    m_grid->commitEditor();
    if (!m_rows.post())
        return; // refused: the template stays in editing and the window open
    m_dm.FDTransaction1.commit();
    finish(QDialog::Accepted);
}

} // namespace letters
