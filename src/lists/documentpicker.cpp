#include "documentpicker.h"

#include "ui_documentpicker.h"

#include "core/errors.h"
#include "widgets/colors.h"

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
    m_filters = new widgets::FilterStrip(m_table.filters, dm.QRSORGU, {.captionsAbove = false},
                                         m_ui->grpFiltre);
    m_ui->layFiltre->addWidget(m_filters);
    connect(m_filters, &widgets::FilterStrip::changed, this, &DocumentPicker::SORGULA);

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
    m_filters->fill();
}

void DocumentPicker::filterChanged(int filter)
{
    m_filters->filterChanged(filter);
}

void DocumentPicker::SORGULA()
{
    widgets::runFilteredQuery(m_list, m_table.selectLines,
                              m_filters->conditions(m_table.baseCondition), m_table.orderLine);
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
