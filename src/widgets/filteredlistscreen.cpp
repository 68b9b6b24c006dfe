#include "filteredlistscreen.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>

namespace widgets {

Qt::WindowFlags listWindowFlags(bool toolWindow)
{
    return toolWindow ? Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                      : Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                            Qt::WindowMaximizeButtonHint;
}

FilteredListScreen::FilteredListScreen(db::Database& db, QWidget* parent)
    : Screen(parent), m_list(db)
{
}

FilteredListScreen::~FilteredListScreen()
{
    // The grid reads the list query, a member that goes before the widgets
    // do: it must not outlive it (a screen still shown is hidden on its way).
    delete m_grid;
}

void FilteredListScreen::setUpList(const FilteredListDesign& design, db::Query& scratch)
{
    m_design = design;
    setObjectName(m_design.formName);
    setWindowTitle(m_design.title);
    setWindowFlags(m_design.windowFlags);
    if (m_design.sizeGrip)
        setSizeGripEnabled(true);

    auto* filterBox = findChild<QGroupBox*>(QStringLiteral("grpFiltre"));
    m_grid = findChild<DataGrid*>(QStringLiteral("grdListe"));
    m_subject = findChild<QLabel*>(QStringLiteral("lblKonu"));
    Q_ASSERT(filterBox && m_grid);

    filterBox->setTitle(m_design.filterHeading);
    if (m_subject)
        m_subject->setVisible(m_design.subjectLine);
    m_filters = new FilterStrip(m_design.filters, scratch, m_design.look, filterBox);
    qobject_cast<QBoxLayout*>(filterBox->layout())->addWidget(m_filters);
    connect(m_filters, &FilterStrip::changed, this, &FilteredListScreen::SORGULA);

    m_grid->bind(m_list, m_design.columns);
    if (m_design.exportRows)
        m_grid->offerExport(m_design.title.simplified());
    for (int c = 0; c < m_design.columns.size(); ++c)
        if (m_design.columns[c].field == m_design.stretchField) {
            m_grid->horizontalHeader()->setStretchLastSection(false);
            m_grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
        }
    connect(&m_list, &db::Query::currentRowChanged, this, &FilteredListScreen::showSubject);
    connect(&m_list, &db::Query::opened, this, &FilteredListScreen::showSubject);
    connect(&m_list, &db::Query::closed, this, &FilteredListScreen::showSubject);
}

void FilteredListScreen::activate()
{
    COMBODOLDUR();
    SORGULA();
    if (m_design.lastRowOnOpen)
        m_list.last();
    m_grid->setFocus();
}

void FilteredListScreen::deactivate()
{
    m_list.close();
}

void FilteredListScreen::COMBODOLDUR()
{
    m_filters->fill(clerkDepartment());
}

void FilteredListScreen::filterChanged(int filter)
{
    m_filters->filterChanged(filter);
}

void FilteredListScreen::SORGULA()
{
    runFilteredQuery(m_list, m_design.selectLines, m_filters->conditions(m_design.baseCondition),
                     m_design.orderLine);
}

void FilteredListScreen::showSubject()
{
    if (!m_subject || !m_design.subjectLine)
        return;
    m_subject->setText(m_list.currentRow() < 0 ? QString()
                                               : m_list.field(QStringLiteral("KONU")).toString());
}

} // namespace widgets
