#include "browselist.h"

#include "ui_browselist.h"

#include "core/errors.h"
#include "core/prompter.h"
#include "links.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace registers {
widgets::ConditionLine listConditions(const ListTable& table, const QList<ListFilterValue>& values)
{
    widgets::ConditionLine line;
    for (int i = 0; i < table.filters.size(); ++i) {
        const ListFilter& f = table.filters[i];
        const ListFilterValue v = values.value(i);
        switch (f.kind) {
        case ListFilter::Kind::CodeList:
            if (v.fixed || v.shown != f.allEntry)
                line.add(f.firstForm, f.laterForm, {v.code});
            break;
        case ListFilter::Kind::Choice:
            for (const ListChoice& c : f.choices)
                if (c.text == v.shown && !c.firstForm.isEmpty())
                    line.add(c.firstForm, c.laterForm);
            break;
        case ListFilter::Kind::Letter:
            if (!v.shown.isEmpty() && v.shown != f.allEntry)
                line.add(f.firstForm, f.laterForm, {v.shown.left(1)});
            break;
        }
    }
    return line;
}

bool deleteDocument(core::TDM& dm, const RegisterTable& reg, int kayno, int ilgno,
                    const QString& ilgdur)
{
    db::Query& q = dm.QRSORGU;
    if (!mayDelete(q, reg.reg, kayno))
        return false;
    q.execLines({QStringLiteral("DELETE FROM %1 WHERE KAYNO=:KK").arg(reg.table)}, {kayno});
    resetAfterDelete(q, reg.reg, kayno, ilgno, ilgdur);
    q.openLines({QStringLiteral("SELECT MAX(%1) YNO FROM %2").arg(reg.numberColumn, reg.table)},
                {});
    const qint64 highest = q.field(QStringLiteral("YNO")).toInt();
    q.close();
    q.execLines({QStringLiteral("SET GENERATOR %1 TO ").arg(reg.numberGenerator) +
                 QString::number(highest)},
                {});
    dm.FDTransaction1.commit();
    return true;
}

BrowseList::BrowseList(const ListTable& table, core::TDM& dm, core::AppContext& ctx,
                       EntryScreen& entry, QWidget* parent)
    : widgets::Screen(parent), m_table(table), m_dm(dm), m_ctx(ctx), m_entry(entry),
      m_list(dm.IBDATABASE), m_ui(std::make_unique<Ui::BrowseListForm>())
{
    m_ui->setupUi(this);
    setObjectName(m_table.formName);
    setWindowTitle(m_table.title);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    m_ui->grpFiltre->setTitle(m_table.filterHeading);
    m_ui->lblKonu->setVisible(m_table.subjectLine);
    buildFilters();
    m_ui->grdListe->bind(m_list, m_table.columns);
    for (int c = 0; c < m_table.columns.size(); ++c)
        if (m_table.columns[c].field == m_table.stretchField) {
            m_ui->grdListe->horizontalHeader()->setStretchLastSection(false);
            m_ui->grdListe->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
        }
    connect(&m_list, &db::Query::currentRowChanged, this, &BrowseList::showSubject);
    connect(&m_list, &db::Query::opened, this, &BrowseList::showSubject);

    auto on = [this](QAbstractButton* button, void (BrowseList::*action)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, action] { core::guarded([this, action] { (this->*action)(); }); });
    };
    on(m_ui->btnYeni, &BrowseList::newDocument);
    on(m_ui->btnDegis, &BrowseList::editDocument);
    on(m_ui->btnSil, &BrowseList::deleteCurrent);
    on(m_ui->btnAra, &BrowseList::search);
    on(m_ui->btnCikis, &BrowseList::exit);
    connect(m_ui->grdListe, &widgets::DataGrid::rowActivated, this,
            [this] { core::guarded([this] { editDocument(); }); });
    bindKey(Qt::Key_F2, m_ui->btnYeni);
    bindKey(Qt::Key_F4, m_ui->btnDegis);
    bindKey(Qt::Key_F10, m_ui->btnSil);
    bindKey(Qt::Key_F3, m_ui->btnAra);
    setEscapeButton(m_ui->btnCikis);
}

BrowseList::~BrowseList()
{
    // The grid reads the list query, a member that goes before the widgets
    // do: it must not outlive it (a screen still shown is hidden on its way).
    delete m_ui->grdListe;
}

widgets::DataGrid& BrowseList::grid() const
{
    return *m_ui->grdListe;
}

void BrowseList::buildFilters()
{
    for (int i = 0; i < m_table.filters.size(); ++i) {
        const ListFilter& f = m_table.filters[i];
        auto* column = new QVBoxLayout;
        auto* caption = new QLabel(f.caption, m_ui->grpFiltre);
        auto* combo = new QComboBox(m_ui->grpFiltre);
        combo->setObjectName(f.objectName);
        combo->setEditable(f.editable);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMinimumContentsLength(f.kind == ListFilter::Kind::CodeList ? 22 : 12);
        for (const ListChoice& c : f.choices)
            combo->addItem(c.text);
        caption->setBuddy(combo);
        column->addWidget(caption);
        column->addWidget(combo);
        m_ui->layFiltre->addLayout(column, f.kind == ListFilter::Kind::CodeList ? 2 : 1);
        connect(combo, &QComboBox::currentTextChanged, this,
                [this, i] { core::guarded([this, i] { filterChanged(i); }); });
        m_combos.append(combo);
        m_codes.append(-1);
    }
}

void BrowseList::COMBODOLDUR()
{
    for (int i = 0; i < m_table.filters.size(); ++i) {
        const ListFilter& f = m_table.filters[i];
        QComboBox& box = *m_combos[i];
        m_codes[i] = -1;
        box.setEnabled(true);
        if (f.kind != ListFilter::Kind::CodeList) {
            const QSignalBlocker block(&box);
            box.setCurrentIndex(0);
            continue;
        }
        if (f.departmentOfClerk && m_table.reg->departmentTiedToUser && m_ctx.UserDeptCode != 0) {
            widgets::fillChoiceList(box, m_dm.QRSORGU,
                                    QStringLiteral("SELECT BIRIM FROM BIRIM WHERE BKOD=:BK"),
                                    f.allEntry, {m_ctx.UserDeptCode});
            const QSignalBlocker block(&box);
            box.setCurrentIndex(box.count() - 1);
            box.setEnabled(false);
            m_codes[i] = m_ctx.UserDeptCode;
        } else {
            widgets::fillChoiceList(box, m_dm.QRSORGU, f.fillSql, f.allEntry);
        }
    }
}

QList<ListFilterValue> BrowseList::filterValues() const
{
    QList<ListFilterValue> values;
    for (int i = 0; i < m_table.filters.size(); ++i) {
        const ListFilter& f = m_table.filters[i];
        const bool fixed = f.kind == ListFilter::Kind::CodeList && f.departmentOfClerk &&
                           m_table.reg->departmentTiedToUser && m_ctx.UserDeptCode != 0;
        values.append({m_combos[i]->currentText(), m_codes[i], fixed});
    }
    return values;
}

void BrowseList::filterChanged(int filter)
{
    const ListFilter& f = m_table.filters[filter];
    if (f.kind == ListFilter::Kind::CodeList) {
        const QComboBox& box = *m_combos[filter];
        m_codes[filter] =
            widgets::showsAllEntry(box)
                ? -1
                : widgets::lookupCode(m_dm.QRSORGU, f.lookupLines, box.currentText(), 0);
    }
    SORGULA();
}

void BrowseList::SORGULA()
{
    widgets::runFilteredQuery(m_list, m_table.selectLines, listConditions(m_table, filterValues()),
                              m_table.orderLine);
}

void BrowseList::activate()
{
    COMBODOLDUR();
    SORGULA();
    m_list.last();
    m_ui->grdListe->setFocus();
}

void BrowseList::deactivate()
{
    m_list.close();
}

void BrowseList::showSubject()
{
    m_ui->lblKonu->setText(
        m_list.currentRow() < 0 ? QString() : m_list.field(QStringLiteral("KONU")).toString());
}

void BrowseList::newDocument()
{
    m_entry.EntryMode = EntryMode::New;
    core::Prompter::current().runModal(m_entry);
    // The list as last built, on the newest document.
    m_list.close();
    m_list.open();
    m_list.last();
}

void BrowseList::editDocument()
{
    if (m_list.currentRow() < 0)
        return;
    m_entry.EntryMode = EntryMode::Edit;
    m_entry.EntryKayno = int(m_list.field(QStringLiteral("KAYNO")).toInt());
    core::Prompter::current().runModal(m_entry);
    m_list.close();
    m_list.open();
    if (!m_list.locate(QStringLiteral("KAYNO"), m_entry.EntryKayno))
        m_list.first();
}

void BrowseList::deleteCurrent()
{
    if (m_list.currentRow() < 0)
        return;
    if (!core::Prompter::current().question(DeleteQuestion))
        return;
    const int kayno = int(m_list.field(QStringLiteral("KAYNO")).toInt());
    const int ilgno = int(m_list.field(QStringLiteral("ILGNO")).toInt());
    const QString ilgdur = m_list.columnIndex(QStringLiteral("ILGDUR")) >= 0
                               ? m_list.field(QStringLiteral("ILGDUR")).toString()
                               : QString();
    if (!deleteDocument(m_dm, *m_table.reg, kayno, ilgno, ilgdur)) {
        core::Prompter::current().message(InUseMessage);
        return;
    }
    SORGULA();
}

void BrowseList::search() {}

void BrowseList::exit()
{
    finish(QDialog::Rejected);
}

} // namespace registers
