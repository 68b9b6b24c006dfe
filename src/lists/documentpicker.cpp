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
    : widgets::FilteredListScreen(dm.IBDATABASE, parent), m_table(table), m_dm(dm),
      m_ui(std::make_unique<Ui::DocumentPicker>())
{
    m_ui->setupUi(this);
    QList<widgets::GridColumn> columns;
    for (const PickerColumn& c : m_table.columns)
        columns.append({c.field, c.heading, c.width, Qt::AlignLeft | Qt::AlignVCenter, {}});
    // A picker opens on the first row and offers no export of its rows.
    setUpList({.formName = m_table.formName,
               .title = m_table.title,
               .windowFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint,
               .filterHeading = m_table.filterHeading,
               .filters = m_table.filters,
               .look = {.captionsAbove = false},
               .selectLines = m_table.selectLines,
               .baseCondition = m_table.baseCondition,
               .orderLine = m_table.orderLine,
               .columns = columns,
               .exportRows = false,
               .lastRowOnOpen = false},
              dm.QRSORGU);
    m_ui->grpListe->setTitle(m_table.listHeading);

    if (m_table.themeColors)
        paintThemeColors(ctx);

    connect(m_ui->btnSec, &QPushButton::clicked, this,
            [this] { core::guarded([this] { choose(); }); });
    connect(m_ui->btnCikis, &QPushButton::clicked, this,
            [this] { core::guarded([this] { cancel(); }); });
    connect(&grid(), &widgets::DataGrid::rowActivated, this,
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
