#include "ledger.h"

#include "ui_ledger.h"

#include "documentdetail.h"
#include "documentpicker.h"

#include "core/errors.h"
#include "core/prompter.h"
#include "report/printrule.h"

#include <QMenu>
#include <QStyle>

namespace lists {
namespace {

using Kind = widgets::Filter::Kind;
using widgets::withCondition;

} // namespace

QList<widgets::FilterChoice> choiceEntries(const QStringList& texts)
{
    QList<widgets::FilterChoice> choices;
    for (const QString& t : texts)
        choices.append({t});
    return choices;
}

const QStringList& monthNames()
{
    static const QStringList names = {
        QStringLiteral("Ocak"),   QStringLiteral("Şubat"),   QStringLiteral("Mart"),
        QStringLiteral("Nisan"),  QStringLiteral("Mayıs"),   QStringLiteral("Haziran"),
        QStringLiteral("Temmuz"), QStringLiteral("Ağustos"), QStringLiteral("Eylül"),
        QStringLiteral("Ekim"),   QStringLiteral("Kasım"),   QStringLiteral("Aralık")};
    return names;
}

QString monthCondition(const QString& dateColumn)
{
    return QStringLiteral("CAST(SUBSTRING(G1.%1 FROM 4 FOR 2) AS SMALLINT)=:AY AND "
                          "CAST(SUBSTR(G1.%1 ,4,5) AS SMALLINT)=:AY")
        .arg(dateColumn);
}

QList<widgets::Filter> ledgerFilters(const LedgerColumns& c)
{
    QList<widgets::Filter> filters;
    if (!c.institutionAllEntry.isEmpty()) {
        widgets::Filter kurum = widgets::codeListFilter(
            QStringLiteral("cmbKurum"), QStringLiteral("Kurumu"), QStringLiteral("DISKUR"),
            QStringLiteral("DKURUM"), QStringLiteral("DKOD"), QStringLiteral("D"),
            QStringLiteral("G1.DKOD=:DK"));
        kurum.allEntry = c.institutionAllEntry;
        filters << kurum;
    }
    filters << widgets::codeListFilter(QStringLiteral("cmbBirim"), QStringLiteral("Birimi"),
                                       QStringLiteral("BIRIM"), QStringLiteral("BIRIM"),
                                       QStringLiteral("BKOD"), QStringLiteral("B"),
                                       QStringLiteral("G1.BKOD=:BK"))
            << widgets::codeListFilter(QStringLiteral("cmbCinsi"), QStringLiteral("Cinsi"),
                                       QStringLiteral("ECINS"), QStringLiteral("ECINS"),
                                       QStringLiteral("EKOD"), QStringLiteral("E"),
                                       QStringLiteral("G1.EKOD=:EK"))
            << withCondition(
                   {.kind = Kind::Choice,
                    .objectName = QStringLiteral("cmbCevap"),
                    .caption = QStringLiteral("Cevap"),
                    .choices = {{QStringLiteral("TÜMÜ")},
                                {.text = QStringLiteral("Beklenen"), .param = QStringLiteral("E")},
                                {.text = QStringLiteral("Beklenmeyen"),
                                 .param = QStringLiteral("H")}}},
                   QStringLiteral("G1.CEVDUR=:CD"));
    filters << withCondition(
                   {.kind = Kind::Position,
                    .objectName = QStringLiteral("cmbAy"),
                    .caption = QStringLiteral("Ait Olduğu Ay"),
                    .choices = choiceEntries(QStringList{QStringLiteral("TÜMÜ")} + monthNames()),
                    .emptiesDate = true},
                   monthCondition(c.monthColumn))
            << withCondition({.kind = Kind::Letter,
                              .objectName = QStringLiteral("cmbGizlilik"),
                              .caption = QStringLiteral("Gizlilik Derecesi"),
                              .choices = choiceEntries(
                                  {QStringLiteral("TÜMÜ"), QStringLiteral("Özel"),
                                   QStringLiteral("Kişiye Özel"), QStringLiteral("Gizli"),
                                   QStringLiteral("Çok Gizli")})},
                             QStringLiteral("G1.GIZDER=:GD"))
            << withCondition({.kind = Kind::Date,
                              .objectName = QStringLiteral("edtTarih"),
                              .caption = QStringLiteral("Tarih")},
                             QStringLiteral("G1.%1=:GT").arg(c.dateColumn));
    for (widgets::Filter& f : filters)
        f.editable = c.editable && f.kind != Kind::Date;
    return filters;
}

Ledger::Ledger(const LedgerTable& table, core::TDM& dm, core::AppContext& ctx,
               std::function<QImage()> emblem, QWidget* parent)
    : widgets::FilteredListScreen(dm.IBDATABASE, parent), m_dm(dm), m_ctx(ctx), m_table(table),
      m_emblem(std::move(emblem)), m_ui(std::make_unique<Ui::Ledger>())
{
    m_ui->setupUi(this);
    widgets::FilteredListDesign design = widgets::listDesign(m_table);
    // A tool window keeps its size; the strip has two rows unless the table
    // says otherwise.
    design.sizeGrip = !m_table.toolWindow;
    design.look = m_table.look;
    if (design.look.perRow == 0)
        design.look.perRow = int(m_table.filters.size() + 1) / 2;
    setUpList(design, dm.QRSORGU);
    if (m_table.refreshButton) {
        m_refresh = new QPushButton(&filters());
        m_refresh->setObjectName(QStringLiteral("btnYenile"));
        m_refresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
        m_refresh->setAutoDefault(false);
        filters().addTrailing(m_refresh);
        bindButton(m_refresh, [this] { SORGULA(); });
    }

    m_printMenu = new QMenu(this);
    m_printMenu->setObjectName(QStringLiteral("mnuYazdir"));
    for (int i = 0; i < m_table.printMenu.size(); ++i) {
        const LedgerPrint& entry = m_table.printMenu[i];
        m_layouts.push_back(std::make_unique<report::TableLayout>(entry.layout()));
        QAction* action = m_printMenu->addAction(entry.caption);
        connect(action, &QAction::triggered, this,
                [this, i] { core::guarded([this, i] { print(i); }); });
    }
    // The rows on screen also go to a workbook or a CSV file, from the print
    // menu as from the list's context menu.
    if (!m_table.printMenu.isEmpty()) {
        m_printMenu->addSeparator();
        for (QAction* action : grid().actions())
            m_printMenu->addAction(action);
    }
    m_ui->btnYazdir->setVisible(!m_table.printMenu.isEmpty());
    m_ui->btnAra->setVisible(m_table.search);

    bindButton(m_ui->btnDetay, [this] { detail(); });
    bindButton(m_ui->btnYazdir, [this] { showPrintMenu(); });
    bindButton(m_ui->btnAra, [this] { search(); });
    bindButton(m_ui->btnCikis, [this] { exit(); });
    bindKey(Qt::Key_F2, m_ui->btnDetay);
    bindKey(Qt::Key_F7, m_ui->btnYazdir);
    bindKey(Qt::Key_F3, m_ui->btnAra);
    setEscapeButton(m_ui->btnCikis);
}

Ledger::~Ledger() = default;

void Ledger::detail()
{
    DocumentDetail* view = detailView();
    if (!view)
        return;
    view->DetailKayno =
        m_list.currentRow() < 0 ? 0 : int(m_list.field(QStringLiteral("KAYNO")).toInt());
    core::Prompter::current().runModal(*view);
}

void Ledger::showPrintMenu()
{
    if (m_table.printMenu.isEmpty())
        return;
    const QPoint above(0, -m_printMenu->sizeHint().height());
    m_printMenu->popup(m_ui->btnYazdir->mapToGlobal(above));
}

void Ledger::print(int printEntry)
{
    report::TableLayout& book = layout(printEntry);
    // The rows on screen, read in place: a preview keeps them while the
    // ledger runs on.
    book.setRows(m_list.result());
    book.setEmblem(m_emblem ? m_emblem() : QImage());
    report::printLayout(book, m_ctx.PreviewBeforePrint, report::PrintDialogKind::System,
                        report::PreviewChoice::BySetting, this, [this] { reactivate(); });
}

void Ledger::search()
{
    if (!m_table.search || !m_picker)
        return;
    core::Prompter::current().runModal(*m_picker);
    // The chosen petition becomes current when the filters show it.
    if (m_picker->result().Chosen)
        m_list.locate(QStringLiteral("KAYNO"), m_picker->result().ChosenKayno);
}

void Ledger::exit()
{
    finish(QDialog::Rejected);
}

} // namespace lists
