// The list screens on a year of 100,000 documents in each register: the
// three browse lists opening, every selective filter of the browse lists
// and the ledgers (an institution, a
// department, a date) next to the best plan the engine offers for the same
// rows, each ledger's SORGULA with two filters next to its bare statement,
// and register books of 10,000 and 20,000 rows rendered to PDF.

#include "benchfile.h"
#include "core/prompter.h"
#include "db/query.h"
#include "lists/ledgers.h"
#include "lists/registerbooks.h"
#include "registers/browselist.h"
#include "registers/tfrmdillst.h"
#include "registers/tfrmgellst.h"
#include "registers/tfrmgidlst.h"
#include "report/printrule.h"
#include "widgets/datebox.h"

#include <QComboBox>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Documents = 100000;
constexpr int Codes = 200;
constexpr int Dates = 200;

// One of 200 dates of the year, spread over the months: 17 days a month.
QString dateOf(int d)
{
    return QStringLiteral("%1.%2.2026")
        .arg(1 + d % 17, 2, 10, QLatin1Char('0'))
        .arg(1 + d / 17, 2, 10, QLatin1Char('0'));
}

// Each institution, department and date holds 500 documents of a register;
// they vary independently of each other.
int institutionOf(int i)
{
    return 1 + i % Codes;
}
int departmentOf(int i)
{
    return 1 + (i / 7) % Codes;
}
int dateIndexOf(int i)
{
    return (i * 37 + i / 1000) % Dates;
}

void fillRegisters(db::Database& database)
{
    db::Query q(database);
    auto codes = [&](const QString& sql, const QString& name, int count) {
        q.clear();
        q.add(sql);
        for (int i = 1; i <= count; ++i) {
            q.bindAll({i, name.arg(i, 3, 10, QLatin1Char('0'))});
            q.exec();
        }
    };
    codes(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(:D,:N)"),
          QStringLiteral("Kurum %1 Müdürlüğü"), Codes);
    codes(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:B,:N)"),
          QStringLiteral("Birim %1 İşleri"), Codes);
    codes(QStringLiteral("INSERT INTO ECINS (EKOD,ECINS) VALUES(:E,:N)"),
          QStringLiteral("Evrak Cinsi %1"), 20);
    const QString grades[] = {QStringLiteral("Ö"), QStringLiteral("K"), QStringLiteral("G"),
                              QStringLiteral("Ç")};
    // Incoming and outgoing documents share the keys: the outgoing ones
    // come after the incoming ones; every fifth document of each answers
    // one of the other register, but every fiftieth outgoing one answers a
    // petition (the outgoing list reads its number by ILGDUR).
    for (const char* table : {"GELEN", "GIDEN"}) {
        const bool incoming = QLatin1String(table) == QLatin1String("GELEN");
        q.clear();
        q.add(QStringLiteral("INSERT INTO %1 (KAYNO,%2,%3,EVSAY,EVTAR,EKOD,KONU,BKOD,DKOD,EKSAY,"
                             "GIZDER,TESADI,TESGOR,CEVDUR,CEVNO,ILGNO%4) VALUES(:K,:N,:T,:S,:E,:EK,"
                             ":KONU,:B,:D,1,:G,'Ayşe Çelik','Memur',:C,:CN,:I%5)")
                  .arg(QLatin1String(table),
                       incoming ? QStringLiteral("GELNO") : QStringLiteral("GIDNO"),
                       incoming ? QStringLiteral("GELTAR") : QStringLiteral("GIDTAR"),
                       incoming ? QString() : QStringLiteral(",ILGDUR"),
                       incoming ? QString() : QStringLiteral(",:ID")));
        const int base = incoming ? 0 : Documents;
        const int other = incoming ? Documents : 0;
        for (int i = 1; i <= Documents; ++i) {
            const QString date = dateOf(dateIndexOf(i));
            const bool petition = !incoming && i % 50 == 0;
            const int link = i % 5      ? 0
                             : petition ? 1 + (i * 7) % Documents
                                        : other + 1 + (i * 7) % Documents;
            QVariantList values{
                base + i,
                i,
                date,
                QStringLiteral("B.%1.0.%2").arg(i % 900).arg(i),
                date,
                1 + i % 20,
                QStringLiteral("Belge %1 hakkında ilgili müdürlüğün görüşünün bildirilmesi").arg(i),
                departmentOf(i),
                institutionOf(i),
                grades[i % 4],
                i % 3 ? QStringLiteral("H") : QStringLiteral("E"),
                link,
                link};
            if (!incoming)
                values << (link == 0  ? QString()
                           : petition ? QStringLiteral("D")
                                      : QStringLiteral("G"));
            q.bindAll(values);
            q.exec();
        }
    }
    q.clear();
    q.add(QStringLiteral("INSERT INTO DILEKCE (KAYNO,DILNO,GELTAR,ADSOY,DILTAR,EKOD,KONU,BKOD,"
                         "EKSAY,GIZDER,TESADI,TESGOR,CEVDUR,CEVNO) VALUES(:K,:N,:T,:A,:D,:EK,"
                         ":KONU,:B,0,:G,'Emine Koç','Memur',:C,:CN)"));
    for (int i = 1; i <= Documents; ++i) {
        const QString date = dateOf(dateIndexOf(i));
        q.bindAll({i, i, date, QStringLiteral("Vatandaş %1 Öztürk").arg(i), date, 1 + i % 20,
                   QStringLiteral("Dilekçe %1: sokak aydınlatmasının onarılması isteği").arg(i),
                   departmentOf(i), grades[i % 4],
                   i % 3 ? QStringLiteral("H") : QStringLiteral("E"), i % 5 ? 0 : Documents + i});
        q.exec();
    }
    database.commit();
    database.executeImmediate(
        QStringLiteral("SET GENERATOR GEN_GELKAYNO TO %1").arg(2 * Documents));
    database.commit();
    database.executeImmediate(QStringLiteral("SET GENERATOR GEN_DILKAYNO TO %1").arg(Documents));
    database.commit();
}

QString benchFile()
{
    return bench::yearFile(QStringLiteral("dorpak-bench-lists-2"), fillRegisters);
}

bench::BareConnection& bare()
{
    static bench::BareConnection b(benchFile());
    return b;
}

const registers::ListTable* const BrowseTables[] = {&registers::TFRMGELLST::table(),
                                                    &registers::TFRMGIDLST::table(),
                                                    &registers::TFRMDILLST::table()};

// The three browse lists and the three ledgers on the bench file.
struct Program {
    core::TDM dm;
    core::AppContext ctx;
    registers::EntryScreen entry;
    std::unique_ptr<registers::BrowseList> browse[3];
    std::unique_ptr<lists::Ledger> ledgers[3];

    Program()
    {
        dm.IBDATABASE.open(benchFile());
        for (int r = 0; r < 3; ++r)
            browse[r] = std::make_unique<registers::BrowseList>(*BrowseTables[r], dm, ctx, entry);
        ledgers[0] = std::make_unique<lists::TFRMGELLIST>(dm, ctx);
        ledgers[1] = std::make_unique<lists::TFRMGIDLIST>(dm, ctx);
        ledgers[2] = std::make_unique<lists::TFRMDILLIST>(dm, ctx);
    }
};

Program* theProgram = nullptr;

Program& program()
{
    return *theProgram;
}

// A statement of a list with a literal condition in the place of its
// condition line.
QString statement(const QStringList& fixedLines, const QString& condition, const QString& order)
{
    QStringList lines = fixedLines;
    if (!condition.isEmpty())
        lines << condition;
    if (!order.isEmpty())
        lines << order;
    return lines.join(QLatin1Char('\n'));
}

// A filter put on an entry (or the date box on a date) as the clerk leaves
// it, without running anything yet.
void setFilter(widgets::FilterStrip& strip, int filter, const QString& shown)
{
    if (QComboBox* box = strip.list(filter)) {
        const QSignalBlocker block(box);
        box->setCurrentText(shown);
    } else {
        strip.dateBox()->setValue(shown);
    }
}

// One selective filter of a screen: the entry chosen, the condition of the
// same rows with the engine's best plan (the register's own indexed
// column), and the system's own condition on the joined code table.
struct Selective {
    const char* label;
    int screen; // -1: the browse list, else a ledger
    int filter;
    const char* shown;
    const char* bestCondition;
    const char* systemCondition;
};
const Selective SelectiveCases[] = {
    {"GELLST Geldiği Yer", -1, 0, "Kurum 017 Müdürlüğü", "WHERE G1.DKOD=17", "WHERE D.DKOD=17"},
    {"GELLST Verildiği Birim", -1, 1, "Birim 005 İşleri", "WHERE G1.BKOD=5", "WHERE B.BKOD=5"},
    {"GELLIST Kurumu", 0, 0, "Kurum 017 Müdürlüğü", "WHERE G1.DKOD=17", nullptr},
    {"GELLIST Birimi", 0, 1, "Birim 005 İşleri", "WHERE G1.BKOD=5", nullptr},
    {"GELLIST Tarih", 0, 6, "05.03.2026", "WHERE G1.GELTAR='05.03.2026'", nullptr},
    {"GIDLIST Kurumu", 1, 0, "Kurum 017 Müdürlüğü", "WHERE G1.DKOD=17", nullptr},
    {"GIDLIST Birimi", 1, 1, "Birim 005 İşleri", "WHERE G1.BKOD=5", nullptr},
    {"GIDLIST Tarih", 1, 6, "05.03.2026", "WHERE G1.GIDTAR='05.03.2026'", nullptr},
    {"DILLIST Birimi", 2, 0, "Birim 005 İşleri", "WHERE G1.BKOD=5", nullptr},
    {"DILLIST Tarih", 2, 5, "05.03.2026", "WHERE G1.DILTAR='05.03.2026'", nullptr},
};

widgets::FilterStrip& stripOf(Program& p, int screen)
{
    return screen < 0 ? *p.browse[0]->findChild<widgets::FilterStrip*>()
                      : p.ledgers[screen]->filters();
}

QStringList fixedLinesOf(int screen)
{
    const lists::LedgerTable* tables[] = {
        &lists::TFRMGELLIST::table(), &lists::TFRMGIDLIST::table(), &lists::TFRMDILLIST::table()};
    return screen < 0 ? registers::TFRMGELLST::table().selectLines : tables[screen]->selectLines;
}

QString orderOf(int screen)
{
    return screen < 0 ? registers::TFRMGELLST::table().orderLine : QStringLiteral("ORDER BY KAYNO");
}

// A statement fetched by the bare loop, as often as the state asks.
void fetchBare(benchmark::State& state, const QString& sql, const std::string& label)
{
    int rows = 0;
    for (auto _ : state)
        rows = bare().fetch(sql);
    state.SetLabel(label);
    state.counters["rows"] = rows;
}

// Each register's browse list opening on the whole year, "Cev.No" of the
// incoming and outgoing lists included: one statement, whatever the rows.
void BrowseListOpen(benchmark::State& state)
{
    registers::BrowseList& list = *program().browse[state.range(0)];
    const quint64 before = program().dm.IBDATABASE.statementCount();
    int rounds = 0;
    for (auto _ : state) {
        list.reactivate();
        ++rounds;
        if (list.list().rowCount() != Documents)
            state.SkipWithError("wrong row count");
    }
    state.SetLabel(list.objectName().toStdString());
    state.counters["statements"] =
        double(program().dm.IBDATABASE.statementCount() - before) / rounds;
}
BENCHMARK(BrowseListOpen)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

void BareBrowseList(benchmark::State& state)
{
    const registers::ListTable& t = *BrowseTables[state.range(0)];
    fetchBare(state, statement(t.selectLines, QString(), t.orderLine), t.formName.toStdString());
}
BENCHMARK(BareBrowseList)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

// The clerk's choice of the entry: the look-up of its code and SORGULA.
void SelectiveFilter(benchmark::State& state)
{
    Program& p = program();
    const Selective& c = SelectiveCases[state.range(0)];
    widgets::Screen& screen =
        c.screen < 0 ? static_cast<widgets::Screen&>(*p.browse[0]) : *p.ledgers[c.screen];
    screen.reactivate();
    widgets::FilterStrip& strip = stripOf(p, c.screen);
    setFilter(strip, c.filter, QString::fromUtf8(c.shown));
    int rows = 0;
    for (auto _ : state) {
        if (c.screen < 0)
            p.browse[0]->filterChanged(c.filter);
        else
            p.ledgers[c.screen]->filterChanged(c.filter);
        rows =
            c.screen < 0 ? p.browse[0]->list().rowCount() : p.ledgers[c.screen]->list().rowCount();
    }
    state.SetLabel(c.label);
    state.counters["rows"] = rows;
    screen.reactivate();
}
BENCHMARK(SelectiveFilter)->DenseRange(0, 9)->Unit(benchmark::kMillisecond)->Iterations(30);

// The same rows by the best plan the engine offers, fetched by the bare loop.
void SelectiveBestPlan(benchmark::State& state)
{
    const Selective& c = SelectiveCases[state.range(0)];
    fetchBare(
        state,
        statement(fixedLinesOf(c.screen), QString::fromUtf8(c.bestCondition), orderOf(c.screen)),
        c.label);
}
BENCHMARK(SelectiveBestPlan)->DenseRange(0, 9)->Unit(benchmark::kMillisecond)->Iterations(30);

// The browse list's condition as the system wrote it, on the joined code
// table alone: the engine reads every document.
void SelectiveSystemConditionAlone(benchmark::State& state)
{
    const Selective& c = SelectiveCases[state.range(0)];
    fetchBare(
        state,
        statement(fixedLinesOf(c.screen), QString::fromUtf8(c.systemCondition), orderOf(c.screen)),
        c.label);
}
BENCHMARK(SelectiveSystemConditionAlone)
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// Each ledger's SORGULA with two filters on, against its bare statement.
struct TwoFilters {
    const char* label;
    int ledger;
    int first, second;
    const char* firstShown;
    const char* secondShown;
    const char* condition;
};
const TwoFilters TwoFilterCases[] = {
    {"GELLIST Cinsi+Cevap", 0, 2, 3, "Evrak Cinsi 003", "Beklenen",
     "WHERE G1.EKOD=3 AND G1.CEVDUR='E'"},
    {"GIDLIST Kurumu+Ay", 1, 0, 4, "Kurum 017 Müdürlüğü", "Mart",
     "WHERE G1.DKOD=17 AND CAST(SUBSTRING(G1.GIDTAR FROM 4 FOR 2) AS SMALLINT)=3 AND "
     "CAST(SUBSTR(G1.GIDTAR ,4,5) AS SMALLINT)=3"},
    {"DILLIST Ay+Gizlilik", 2, 3, 4, "Mart", "Gizli",
     "WHERE CAST(SUBSTRING(G1.GELTAR FROM 4 FOR 2) AS SMALLINT)=3 AND "
     "CAST(SUBSTR(G1.GELTAR ,4,5) AS SMALLINT)=3 AND G1.GIZDER='G'"},
};

void LedgerTwoFilters(benchmark::State& state)
{
    Program& p = program();
    const TwoFilters& c = TwoFilterCases[state.range(0)];
    lists::Ledger& ledger = *p.ledgers[c.ledger];
    ledger.reactivate();
    setFilter(ledger.filters(), c.first, QString::fromUtf8(c.firstShown));
    ledger.filterChanged(c.first);
    setFilter(ledger.filters(), c.second, QString::fromUtf8(c.secondShown));
    ledger.filterChanged(c.second);
    for (auto _ : state)
        ledger.SORGULA();
    state.SetLabel(c.label);
    state.counters["rows"] = ledger.list().rowCount();
    ledger.reactivate();
}
BENCHMARK(LedgerTwoFilters)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(10);

void BareLedgerTwoFilters(benchmark::State& state)
{
    const TwoFilters& c = TwoFilterCases[state.range(0)];
    fetchBare(state,
              statement(fixedLinesOf(c.ledger), QString::fromUtf8(c.condition), orderOf(c.ledger)),
              c.label);
}
BENCHMARK(BareLedgerTwoFilters)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(10);

// The whole register, as the ledger opens.
void LedgerWholeYear(benchmark::State& state)
{
    Program& p = program();
    lists::Ledger& ledger = *p.ledgers[state.range(0)];
    ledger.reactivate();
    for (auto _ : state)
        ledger.SORGULA();
    state.SetLabel(ledger.objectName().toStdString());
    state.counters["rows"] = ledger.list().rowCount();
}
BENCHMARK(LedgerWholeYear)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

void BareLedgerWholeYear(benchmark::State& state)
{
    fetchBare(state, statement(fixedLinesOf(int(state.range(0))), QString(), orderOf(0)),
              program().ledgers[state.range(0)]->objectName().toStdString());
}
BENCHMARK(BareLedgerWholeYear)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

// The incoming register book of the first n documents of the year to a PDF
// file: the pages follow the row height, the time the row count.
void RegisterBookToPdf(benchmark::State& state)
{
    const int rows = int(state.range(0));
    db::Query q(program().dm.IBDATABASE);
    q.setSql(statement(lists::TFRMGELLIST::table().selectLines, QString(),
                       QStringLiteral("ORDER BY KAYNO ROWS %1").arg(rows)));
    q.open();
    report::TableLayout book(lists::TQRPGELDEF1());
    book.setRows(q.result());
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("defter.pdf"));
    int pages = 0;
    for (auto _ : state)
        pages = report::exportPdf(book, pdf);
    state.counters["rows"] = q.rowCount();
    state.counters["pages"] = pages;
    state.counters["MB"] = double(QFileInfo(pdf).size()) / 1e6;
}
BENCHMARK(RegisterBookToPdf)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return bench::runWithScreens(argc, argv, theProgram, benchFile);
}
