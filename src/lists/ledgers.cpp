#include "ledgers.h"

#include "registerbooks.h"

#include "core/prompter.h"

namespace lists {
namespace {

using Kind = widgets::Filter::Kind;
using widgets::withCondition;

widgets::GridColumn column(const QString& field, const QString& heading, int width,
                           bool number = false)
{
    return {
        field, heading, width, (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, {}};
}

// The list columns of the incoming and outgoing ledgers and the general list.
QList<widgets::GridColumn> documentColumns(const QString& no, const QString& date)
{
    return {column(no, QStringLiteral("Kay.No"), 60, true),
            column(date, QStringLiteral("Kay.Tarihi"), 80),
            column(QStringLiteral("DKURUM"), QStringLiteral("Geldiği Yer"), 200),
            column(QStringLiteral("TARNO"), QStringLiteral("Evrak Tar./No"), 180),
            column(QStringLiteral("KONU"), QStringLiteral("Konusu"), 260),
            column(QStringLiteral("BIRIM"), QStringLiteral("Verildiği Birim"), 200)};
}

// The incoming and outgoing ledgers differ in their register's table and
// columns, the all-entry of the institutions, the books they print and the
// captions of those. With replyDate the reply's date (GIDTAR of the outgoing
// document CEVNO names) comes with the rows, as CEVTAR: the joined table
// shows only its two columns, so the names of the register stay unique.
LedgerTable documentLedger(const QString& formName, const QString& title, const QString& table,
                           const QString& no, const QString& date, const QString& allInstitutions,
                           const QString& book,
                           const QList<const report::TableDesign& (*)()>& layouts, bool replyDate)
{
    QStringList lines = {
        QStringLiteral(
            "SELECT G1.KAYNO,G1.%1,G1.%2,D.DKURUM,G1.EKSAY,G1.EVTAR||'/'||G1.EVSAY TARNO,"
            "G1.KONU,B.BIRIM,G1.EVTAR,G1.EVSAY,G1.TESADI,G1.TESGOR,G1.CEVDUR,G1.CEVNO,"
            "G1.ILGNO%3 FROM %4 G1")
            .arg(no, date, replyDate ? QStringLiteral(",C.CEVTAR") : QString(), table),
        QStringLiteral("LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD)"),
        QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)")};
    if (replyDate)
        lines << QStringLiteral("LEFT JOIN (SELECT KAYNO CKAYNO,GIDTAR CEVTAR FROM GIDEN) C "
                                "ON(C.CKAYNO=G1.CEVNO AND G1.CEVNO>0)");
    return {
        .formName = formName,
        .title = title,
        .selectLines = lines,
        .orderLine = QStringLiteral("ORDER BY KAYNO"),
        .filters = ledgerFilters(
            {.monthColumn = date, .dateColumn = date, .institutionAllEntry = allInstitutions}),
        .columns = documentColumns(no, date),
        .stretchField = QStringLiteral("KONU"),
        .printMenu = {{book + QStringLiteral(" (1)"), layouts.value(0)},
                      {book + QStringLiteral(" (2)"), layouts.value(1)},
                      {QStringLiteral("Liste Yazdır"), layouts.value(2)}},
    };
}

const QString AllTypes = QStringLiteral("Tümü");

// A code list that accepts typed text, completed to the first matching entry.
widgets::Filter editable(widgets::Filter f)
{
    f.editable = true;
    return f;
}

// The filters of the general list for one register: institution and
// department as the browse lists compare them, then the reply, month and
// grade as the ledgers do. A petition comes from no institution: with an
// institution chosen none is listed.
QList<widgets::Filter> generalFilters(const QString& monthColumn, bool institution)
{
    return {
        editable(institution
                     ? widgets::institutionFilter(QStringLiteral("Kurumu"), QStringLiteral("G1"))
                     : withCondition(widgets::institutionFilter(QStringLiteral("Kurumu"),
                                                                QStringLiteral("G1")),
                                     QStringLiteral("1=0"))),
        editable(widgets::departmentFilter(QStringLiteral("Birimi"), QStringLiteral("G1"))),
        {.kind = Kind::Choice,
         .objectName = QStringLiteral("cmbTuru"),
         .caption = QStringLiteral("Türü"),
         .choices = choiceEntries({AllTypes, QStringLiteral("Gelen Evrak"),
                                   QStringLiteral("Giden Evrak"), QStringLiteral("Dilekçe")})},
        withCondition(
            {.kind = Kind::Choice,
             .objectName = QStringLiteral("cmbCevap"),
             .caption = QStringLiteral("Cevap"),
             .choices = {{QStringLiteral("Tümü")},
                         {.text = QStringLiteral("Beklenen"), .param = QStringLiteral("E")},
                         {.text = QStringLiteral("Beklenmeyen"), .param = QStringLiteral("H")}}},
            QStringLiteral("G1.CEVDUR=:CD")),
        withCondition(
            {.kind = Kind::Position,
             .objectName = QStringLiteral("cmbAy"),
             .caption = QStringLiteral("Ait Olduğu Ay"),
             .choices = choiceEntries(QStringList{QStringLiteral("Tümü")} + monthNames())},
            monthCondition(monthColumn)),
        withCondition(
            {.kind = Kind::Letter,
             .objectName = QStringLiteral("cmbGizlilik"),
             .caption = QStringLiteral("Gizlilik Derecesi"),
             .choices = choiceEntries({QStringLiteral("Tümü"), QStringLiteral("Özel"),
                                       QStringLiteral("Kişiye Özel"), QStringLiteral("Gizli"),
                                       QStringLiteral("Çok Gizli")})},
            QStringLiteral("G1.GIZDER=:GD")),
    };
}

constexpr int TypeFilter = 2;

} // namespace

const LedgerTable& TFRMGELLIST::table()
{
    // "Kurumu" keeps its names in alphabetical order: its statement reads
    // them in Turkish order, which is the order the list would keep itself.
    static const LedgerTable differences =
        documentLedger(QStringLiteral("TFRMGELLIST"), QStringLiteral("GELEN YAZILAR  LİSTESİ"),
                       QStringLiteral("GELEN"), QStringLiteral("GELNO"), QStringLiteral("GELTAR"),
                       QStringLiteral("  TÜMÜ"), QStringLiteral("Gelen Yazılar Defteri"),
                       {&TQRPGELDEF1, &TQRPGELDEF2, &TQRPGELLIST}, true);
    return differences;
}

const LedgerTable& TFRMGIDLIST::table()
{
    static const LedgerTable differences = [] {
        LedgerTable t = documentLedger(
            QStringLiteral("TFRMGIDLIST"), QStringLiteral("GİDEN YAZILAR  LİSTESİ"),
            QStringLiteral("GIDEN"), QStringLiteral("GIDNO"), QStringLiteral("GIDTAR"),
            QStringLiteral("   TÜMÜ"), QStringLiteral("Giden Yazılar Defteri"),
            {&TQRPGIDDEF1, &TQRPGIDDEF2, &TQRPGIDLIST}, false);
        t.subjectLine = true;
        return t;
    }();
    return differences;
}

const LedgerTable& TFRMDILLIST::table()
{
    static const LedgerTable differences = {
        .formName = QStringLiteral("TFRMDILLIST"),
        .title = QStringLiteral("DİLEKÇELER  LİSTESİ"),
        .toolWindow = false,
        .selectLines = {QStringLiteral("SELECT G1.KAYNO,G1.DILNO,G1.GELTAR,G1.ADSOY,G1.TESADI,"
                                       "G1.TESGOR,G1.EKSAY,G1.DILTAR,G1.CEVDUR,G1.CEVNO,G1.KONU,"
                                       "B.BIRIM FROM DILEKCE G1"),
                        QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)"),
                        QStringLiteral("LEFT JOIN ECINS E ON(E.EKOD=G1.EKOD)")},
        .orderLine = QStringLiteral("ORDER BY KAYNO"),
        .filters = ledgerFilters({.monthColumn = QStringLiteral("GELTAR"),
                                  .dateColumn = QStringLiteral("DILTAR"),
                                  .editable = true}),
        .columns = {column(QStringLiteral("DILNO"), QStringLiteral("Kay.No"), 60, true),
                    column(QStringLiteral("GELTAR"), QStringLiteral("Kay.Tarihi"), 80),
                    column(QStringLiteral("ADSOY"), QStringLiteral("Dilekçe Sahibi"), 200),
                    column(QStringLiteral("DILTAR"), QStringLiteral("Dilekçe Tarihi"), 90),
                    column(QStringLiteral("KONU"), QStringLiteral("Konusu"), 300),
                    column(QStringLiteral("BIRIM"), QStringLiteral("Verildiği Birim"), 200)},
        .stretchField = QStringLiteral("KONU"),
        .search = true,
        .printMenu = {{QStringLiteral("Dilekçe Defteri (1)"), &TQRPDILDEF1},
                      {QStringLiteral("Liste Yazdır"), &TQRPDILLIST}},
    };
    return differences;
}

const QList<TFRMGENLST::Branch>& TFRMGENLST::branches()
{
    static const QList<Branch> all = {
        {QStringLiteral("Gelen Evrak"),
         {QStringLiteral(
              "SELECT G1.KAYNO,G1.GELNO,G1.GELTAR,D.DKURUM,G1.EVTAR||'/'||G1.EVSAY TARNO,"
              "G1.KONU,B.BIRIM,1 TUR FROM GELEN G1"),
          QStringLiteral("LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD)"),
          QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)")},
         generalFilters(QStringLiteral("GELTAR"), true)},
        {QStringLiteral("Giden Evrak"),
         {QStringLiteral(
              "SELECT G1.KAYNO,G1.GIDNO,G1.GIDTAR,D.DKURUM,G1.EVTAR||'/'||G1.EVSAY TARNO,"
              "G1.KONU,B.BIRIM,2 TUR FROM GIDEN G1"),
          QStringLiteral("LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD)"),
          QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)")},
         generalFilters(QStringLiteral("GIDTAR"), true)},
        // The petitioner in the place of the institution, the petition's
        // own date in that of the document's date and number.
        {QStringLiteral("Dilekçe"),
         {QStringLiteral("SELECT G1.KAYNO,G1.DILNO,G1.GELTAR,G1.ADSOY,G1.DILTAR,G1.KONU,B.BIRIM,"
                         "3 TUR FROM DILEKCE G1"),
          QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)")},
         generalFilters(QStringLiteral("GELTAR"), false)},
    };
    return all;
}

const LedgerTable& TFRMGENLST::table()
{
    static const LedgerTable differences = {
        .formName = QStringLiteral("TFRMGENLST"),
        .title = QStringLiteral("GENEL  LİSTESİ"),
        .filterHeading = QStringLiteral("Filtre Seçeneekleri"),
        .filters = branches().first().filters,
        .look = {.captionsAbove = true, .perRow = 3},
        // Which register a row belongs to, when the list holds several.
        .columns = documentColumns(QStringLiteral("GELNO"), QStringLiteral("GELTAR"))
                   << widgets::GridColumn{QStringLiteral("TUR"), QStringLiteral("Türü"), 90,
                                          Qt::AlignLeft | Qt::AlignVCenter,
                                          [](const db::Field& f) {
                                              const qint64 n = f.toInt();
                                              return n >= 1 && n <= 3 ? branches()[n - 1].type
                                                                      : QString();
                                          }},
        .stretchField = QStringLiteral("KONU"),
        .refreshButton = false,
    };
    return differences;
}

TFRMGELLIST::TFRMGELLIST(core::TDM& dm, core::AppContext& ctx, std::function<QImage()> emblem,
                         QWidget* parent)
    : Ledger(table(), dm, ctx, std::move(emblem), parent)
{
}

TFRMGIDLIST::TFRMGIDLIST(core::TDM& dm, core::AppContext& ctx, std::function<QImage()> emblem,
                         QWidget* parent)
    : Ledger(table(), dm, ctx, std::move(emblem), parent)
{
}

TFRMDILLIST::TFRMDILLIST(core::TDM& dm, core::AppContext& ctx, std::function<QImage()> emblem,
                         QWidget* parent)
    : Ledger(table(), dm, ctx, std::move(emblem), parent)
{
}

TFRMGENLST::TFRMGENLST(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : Ledger(table(), dm, ctx, {}, parent)
{
}

void TFRMGENLST::setDetailViews(DocumentDetail* incoming, DocumentDetail* outgoing,
                                DocumentDetail* petition)
{
    m_views[0] = incoming;
    m_views[1] = outgoing;
    m_views[2] = petition;
}

void TFRMGENLST::SORGULA()
{
    // The registers "Türü" names, one select each with its own condition
    // line, in one statement; the parameters follow in the same order. The
    // rows of each register in KAYNO order (a petition's key is of its own
    // sequence), the registers in the order of "Türü".
    const QString type = filters().list(TypeFilter)->currentText();
    const QList<widgets::FilterValue> values = filters().values();
    QStringList lines;
    QVariantList params;
    for (const Branch& b : branches()) {
        if (type != AllTypes && type != b.type)
            continue;
        if (!lines.isEmpty())
            lines << QStringLiteral("UNION ALL");
        lines << b.selectLines;
        const widgets::ConditionLine condition = widgets::filterConditions(b.filters, values);
        if (!condition.isEmpty())
            lines << condition.line();
        params += condition.params();
    }
    lines << QStringLiteral("ORDER BY 8,1");
    m_list.close();
    m_list.clear();
    for (const QString& line : lines)
        m_list.add(line);
    m_list.bindAll(params);
    m_list.open();
}

DocumentDetail* TFRMGENLST::detailView() const
{
    if (m_list.currentRow() < 0)
        return m_views[0];
    const qint64 type = m_list.field(QStringLiteral("TUR")).toInt();
    return type >= 1 && type <= 3 ? m_views[type - 1] : m_views[0];
}

} // namespace lists
