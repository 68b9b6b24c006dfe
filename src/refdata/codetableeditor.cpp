#include "codetableeditor.h"

#include "ui_codetableeditor.h"

#include "core/errors.h"
#include "core/prompter.h"

#include <QAction>

namespace refdata {

CodeTableEditor::CodeTableEditor(const CodeTable& table, core::TDM& dm, core::AppContext& ctx,
                                 QWidget* parent)
    : widgets::Screen(parent, &ctx.CloseAllowed), m_dm(dm), m_rules(dm, table),
      m_rows(table.columns), m_ui(std::make_unique<Ui::CodeTableEditor>())
{
    m_ui->setupUi(this);
    setObjectName(table.formName);
    setWindowTitle(table.title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_ui->lblBaslik->setText(table.heading);
    QFont headingFont = m_ui->lblBaslik->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    m_ui->lblBaslik->setFont(headingFont);

    m_rows.setSaveHandler(
        [this](widgets::RowValues& row, bool newRow) { return saveRow(row, newRow); });
    m_ui->grdTablo->setTable(&m_rows);

    m_delete = new QAction(QStringLiteral("Kayıt Sil"), this);
    m_delete->setObjectName(QStringLiteral("actKayitSil"));
    m_ui->grdTablo->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_ui->grdTablo->addAction(m_delete);
    connect(m_delete, &QAction::triggered, this,
            [this] { core::guarded([this] { deleteCurrentRow(); }); });
    connect(m_ui->btnCikis, &QPushButton::clicked, this,
            [this] { core::guarded([this] { exit(); }); });
    setEscapeButton(m_ui->btnCikis);
}

CodeTableEditor::~CodeTableEditor() = default;

widgets::EditableGrid& CodeTableEditor::grid() const
{
    return *m_ui->grdTablo;
}

TFRMBIRIM::TFRMBIRIM(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : CodeTableEditor(departmentTable(), dm, ctx, parent)
{
}

TFRMKURUM::TFRMKURUM(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : CodeTableEditor(institutionTable(), dm, ctx, parent)
{
}

TFRMECINS::TFRMECINS(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : CodeTableEditor(documentTypeTable(), dm, ctx, parent)
{
}

void CodeTableEditor::activate()
{
    m_rows.load(m_rules.openRows());
    m_rules.closeRows(); // the grid keeps its own copy of the rows
    if (m_rows.rowCount() > 0)
        grid().setCurrentIndex(m_rows.index(0, 0));
    grid().setFocus();
}

void CodeTableEditor::deactivate()
{
    m_rows.clear();
    m_rules.closeRows();
}

bool CodeTableEditor::saveRow(widgets::RowValues& row, bool newRow)
{
    const CodeTable& t = m_rules.table();
    if (const QString refused = m_rows.refusal(row); !refused.isEmpty()) {
        core::Prompter::current().message(refused);
        return false;
    }
    if (m_rules.isDuplicate(row.value(t.nameColumn))) {
        core::Prompter::current().message(t.duplicateMessage);
        return false;
    }
    if (newRow) {
        m_rules.insertRow(row);
    } else if (!m_rules.updateRow(row)) {
        // Kept in editing: what was typed stays on the screen.
        core::Prompter::current().message(RowRemovedElsewhere);
        return false;
    }
    return true;
}

void CodeTableEditor::deleteCurrentRow()
{
    grid().commitEditor();
    const int row = grid().currentRowNumber();
    if (row < 0 || row >= m_rows.rowCount())
        return;
    if (!core::Prompter::current().question(DeleteQuestion))
        return;
    const CodeTable& t = m_rules.table();
    const bool inEditing =
        m_rows.state() != widgets::EditableTable::State::Browse && m_rows.editRow() == row;
    if (inEditing && m_rows.state() == widgets::EditableTable::State::Insert) {
        m_rows.cancel(); // a new row was never written
        return;
    }
    const widgets::RowValues values = m_rows.row(row);
    if (m_rules.useCount(values.value(t.codeColumn)) > 0) {
        core::Prompter::current().message(t.inUseMessage);
        return;
    }
    if (inEditing)
        m_rows.cancel(); // the stored row is the one to delete, not what was typed
    m_rules.deleteRow(m_rows.row(row));
    m_rows.dropRow(row);
}

void CodeTableEditor::exit()
{
    grid().commitEditor();
    if (!m_rows.post())
        return; // refused: the row stays in editing and the window open
    // What was done here is made permanent now, so that no other screen's
    // rollback (an entry's "F6-Vazgeç") takes it back.
    m_dm.FDTransaction1.commit();
    finish(QDialog::Accepted);
}

} // namespace refdata
