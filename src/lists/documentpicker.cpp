#include "documentpicker.h"

#include "ui_documentpicker.h"

#include "core/errors.h"
#include "widgets/colors.h"

#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

namespace lists {
namespace {

// A panel of the theme; on a dark colour its captions turn white so that
// they stay readable (the colours are "0", black, when the general
// definitions could not be read).
void paintPanel(QWidget& panel, const QColor& color)
{
    widgets::paintBackground(panel, color);
    QPalette p = panel.palette();
    p.setColor(QPalette::WindowText, color.lightness() < 110 ? Qt::white : Qt::black);
    panel.setPalette(p);
}

} // namespace

widgets::ConditionLine pickerConditions(const PickerTable& table, const QList<FilterValue>& values)
{
    widgets::ConditionLine line;
    if (!table.baseCondition.isEmpty())
        line.append(table.baseCondition);
    for (int i = 0; i < table.filters.size(); ++i) {
        const PickerFilter& f = table.filters[i];
        const FilterValue v = values.value(i);
        switch (f.kind) {
        case PickerFilter::Kind::CodeList:
            // Off only on the all-entry: a text that is no entry filters
            // with its code -1, so the list comes back empty.
            if (v.shown != AllEntry)
                line.add(f.condition.firstForm, f.condition.laterForm, {v.code});
            break;
        case PickerFilter::Kind::NameText:
            if (!v.shown.isEmpty())
                line.add(f.condition.firstForm, f.condition.laterForm,
                         {QLatin1Char('%') + v.shown + QLatin1Char('%')});
            break;
        case PickerFilter::Kind::FixedList:
            for (const FixedEntry& e : f.entries)
                if (e.text == v.shown && !e.condition.firstForm.isEmpty())
                    line.add(e.condition.firstForm, e.condition.laterForm, {e.condition.param});
            break;
        }
    }
    return line;
}

DocumentPicker::DocumentPicker(const PickerTable& table, core::TDM& dm, core::AppContext& ctx,
                               QWidget* parent)
    : widgets::Screen(parent), m_table(table), m_dm(dm), m_list(dm.IBDATABASE),
      m_ui(std::make_unique<Ui::DocumentPicker>())
{
    m_ui->setupUi(this);
    setObjectName(m_table.formName);
    setWindowTitle(m_table.title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_ui->grpFiltre->setTitle(m_table.filterHeading);
    m_ui->grpListe->setTitle(m_table.listHeading);
    buildFilters();

    QList<widgets::GridColumn> columns;
    for (const PickerColumn& c : m_table.columns)
        columns.append({c.field, c.heading, c.width, Qt::AlignLeft | Qt::AlignVCenter, {}});
    m_ui->grdListe->bind(m_list, columns);

    if (m_table.themeColors)
        paintThemeColors(ctx);

    connect(m_ui->btnSec, &QPushButton::clicked, this,
            [this] { core::guarded([this] { choose(); }); });
    connect(m_ui->btnCikis, &QPushButton::clicked, this,
            [this] { core::guarded([this] { cancel(); }); });
    connect(m_ui->grdListe, &widgets::DataGrid::rowActivated, this,
            [this] { core::guarded([this] { choose(); }); });
    bindKey(Qt::Key_F5, m_ui->btnSec);
    setEscapeButton(m_ui->btnCikis);
}

DocumentPicker::~DocumentPicker() = default;

void DocumentPicker::buildFilters()
{
    for (int i = 0; i < m_table.filters.size(); ++i) {
        const PickerFilter& f = m_table.filters[i];
        auto* caption = new QLabel(f.caption, m_ui->grpFiltre);
        m_ui->layFiltre->addWidget(caption);
        QComboBox* combo = nullptr;
        QLineEdit* edit = nullptr;
        switch (f.kind) {
        case PickerFilter::Kind::CodeList:
            combo = new QComboBox(m_ui->grpFiltre);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->completer()->setCompletionMode(QCompleter::InlineCompletion);
            combo->setMinimumContentsLength(18);
            connect(combo, &QComboBox::currentTextChanged, this,
                    [this, i] { core::guarded([this, i] { filterChanged(i); }); });
            break;
        case PickerFilter::Kind::FixedList:
            combo = new QComboBox(m_ui->grpFiltre);
            for (const FixedEntry& e : f.entries)
                combo->addItem(e.text);
            connect(combo, &QComboBox::currentTextChanged, this,
                    [this, i] { core::guarded([this, i] { filterChanged(i); }); });
            break;
        case PickerFilter::Kind::NameText:
            edit = new QLineEdit(m_ui->grpFiltre);
            edit->setMaxLength(f.maxLength);
            connect(edit, &QLineEdit::textChanged, this,
                    [this, i] { core::guarded([this, i] { filterChanged(i); }); });
            break;
        }
        QWidget* w = combo ? static_cast<QWidget*>(combo) : edit;
        w->setObjectName(f.objectName);
        caption->setBuddy(w);
        m_ui->layFiltre->addWidget(w, 1);
        m_combos.append(combo);
        m_edits.append(edit);
        m_codes.append(-1);
    }
}

void DocumentPicker::paintThemeColors(const core::AppContext& ctx)
{
    widgets::paintBackground(*this, widgets::windowsColor(ctx.ThemeFormColor));
    const QColor panel = widgets::windowsColor(ctx.ThemePanelColor);
    paintPanel(*m_ui->grpFiltre, panel);
    paintPanel(*m_ui->grpListe, panel);
    paintPanel(*m_ui->pnlButon, panel);
}

void DocumentPicker::activate()
{
    COMBODOLDUR();
    SORGULA();
    m_ui->grdListe->setFocus();
}

void DocumentPicker::deactivate()
{
    m_list.close();
}

void DocumentPicker::COMBODOLDUR()
{
    for (int i = 0; i < m_table.filters.size(); ++i) {
        if (m_table.filters[i].kind != PickerFilter::Kind::CodeList)
            continue;
        widgets::fillChoiceList(*m_combos[i], m_dm.QRSORGU, m_table.filters[i].fillSql, AllEntry);
        m_codes[i] = -1;
    }
}

void DocumentPicker::filterChanged(int filter)
{
    const PickerFilter& f = m_table.filters[filter];
    if (f.kind == PickerFilter::Kind::CodeList) {
        QComboBox& box = *m_combos[filter];
        m_codes[filter] =
            widgets::showsAllEntry(box)
                ? -1
                : widgets::lookupCode(m_dm.QRSORGU, f.lookupLines, box.currentText(), 0);
    }
    SORGULA();
}

QList<FilterValue> DocumentPicker::filterValues() const
{
    QList<FilterValue> values;
    for (int i = 0; i < m_table.filters.size(); ++i)
        values.append({m_combos[i] ? m_combos[i]->currentText() : m_edits[i]->text(), m_codes[i]});
    return values;
}

void DocumentPicker::SORGULA()
{
    widgets::runFilteredQuery(m_list, m_table.selectLines,
                              pickerConditions(m_table, filterValues()), m_table.orderLine);
}

void DocumentPicker::choose()
{
    m_result.ChosenKayno =
        m_list.isEmpty() ? 0 : int(m_list.field(QStringLiteral("KAYNO")).toInt());
    m_result.Chosen = true;
    finish(QDialog::Accepted);
}

void DocumentPicker::cancel()
{
    m_result.Chosen = false;
    finish(QDialog::Rejected);
}

} // namespace lists
