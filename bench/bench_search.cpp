// "Evrak Ara" over one year of 100,000 incoming documents, 50,000 outgoing
// documents with their letters and 20,000 petitions, and over five such
// yearly files, cold (the first search of a session, which reads every
// letter as text) and warm (the searches after it), next to the bare
// statements of one year in the same run; the statements each search
// issues are counted. Then a list of 100,000 rows out to a workbook
// (constant memory) and to CSV, with the growth of the process's peak
// memory while writing.

#include "benchfile.h"
#include "db/query.h"
#include "lists/documentsearch.h"
#include "lists/ledgers.h"
#include "widgets/datagrid.h"
#include "widgets/gridexport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Incoming = 100000;
constexpr int Outgoing = 50000;
constexpr int Petitions = 20000;
constexpr int Years = 5;

QString dateOf(int i)
{
    return QStringLiteral("%1.%2.2026")
        .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
        .arg(1 + (i / 28) % 12, 2, 10, QLatin1Char('0'));
}

// A one-page letter of about 1,900 bytes, as the editor stores it; one in a
// thousand speaks of the sewer line.
QByteArray letterOf(int i)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1254\\deff0\\deflang1055{\\fonttbl{\\f0\\froman"
                     "\\fcharset162 Times New Roman;}}\r\n\\viewkind4\\uc1\\pard\\qc\\b\\f0\\fs24 "
                     "T.C.\\par BELED\\'ddYE BA\\'deKANLI\\'d0I\\par\\b0\\pard\\qj\\fi709 ";
    for (int p = 0; p < 8; ++p)
        rtf +=
            "\\'ddlgi yaz\\'fdn\\'fdz incelenmi\\'fe olup {\\b belediyemiz s\\'fdn\\'fdrlar\\'fd} "
            "i\\'e7inde kalan yol, kald\\'fdr\\'fdm ve {\\i ayd\\'fdnlatma} \\'e7al\\'fd\\'fe"
            "malar\\'fd program\\'fdna al\\'fdnm\\'fd\\'fet\\'fdr.\\par\r\n";
    if (i % 1000 == 0)
        rtf += "Kanalizasyon hatt\\'fd \\'c7ANKAYA\\par\r\n";
    return rtf + "Say\\'fd " + QByteArray::number(i) + "\\par}";
}

void fillYear(db::Database& database)
{
    db::Query q(database);
    auto codes = [&](const QString& sql, const QString& name, int count) {
        q.clear();
        q.add(sql);
        for (int i = 1; i <= count; ++i) {
            q.bindAll({i, name.arg(i)});
            q.exec();
        }
    };
    codes(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(:D,:N)"),
          QStringLiteral("Kurum %1 Müdürlüğü"), 200);
    codes(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:B,:N)"),
          QStringLiteral("Birim %1 İşleri"), 50);
    q.execLines({QStringLiteral("INSERT INTO SDP (KOD,ACIK) VALUES('611','Su ve kanalizasyon')")});
    for (const char* table : {"GELEN", "GIDEN"}) {
        const bool in = QLatin1String(table) == QLatin1String("GELEN");
        q.clear();
        q.add(QStringLiteral("INSERT INTO %1 (KAYNO,%2,%3,EVSAY,EVTAR,KONU,BKOD,DKOD,SDP,CEVDUR,"
                             "CEVNO,ILGNO) VALUES(:K,:N,:T,:S,:E,:KONU,:B,:D,:P,'H',0,0)")
                  .arg(QLatin1String(table), in ? QStringLiteral("GELNO") : QStringLiteral("GIDNO"),
                       in ? QStringLiteral("GELTAR") : QStringLiteral("GIDTAR")));
        const int count = in ? Incoming : Outgoing;
        for (int i = 1; i <= count; ++i) {
            q.bindAll({(in ? 0 : Incoming) + i, i, dateOf(i),
                       QStringLiteral("B.%1.0.%2").arg(i % 900).arg(i), dateOf(i + 3),
                       QStringLiteral("Belge %1 hakkında ilgili müdürlüğün görüşünün bildirilmesi")
                           .arg(i),
                       1 + i % 50, 1 + i % 200,
                       i % 2000 == 0 ? QStringLiteral("611") : QStringLiteral("010")});
            q.exec();
        }
    }
    q.clear();
    q.add(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,:K,:M)"));
    for (int i = 1; i <= Outgoing; ++i) {
        q.bindAll({Incoming + i, letterOf(i)});
        q.exec();
    }
    q.clear();
    q.add(QStringLiteral("INSERT INTO DILEKCE (KAYNO,DILNO,GELTAR,ADSOY,DILTAR,KONU,BKOD,CEVDUR,"
                         "CEVNO) VALUES(:K,:N,:T,:A,:D,:KONU,:B,'H',0)"));
    for (int i = 1; i <= Petitions; ++i) {
        q.bindAll({i, i, dateOf(i), QStringLiteral("Vatandaş %1 Öztürk").arg(i), dateOf(i),
                   QStringLiteral("Dilekçe %1: sokak aydınlatmasının onarılması isteği").arg(i),
                   1 + i % 50});
        q.exec();
    }
    database.commit();
}

// The data folder: the year's file and four copies of it as the years before.
QString dataFolder()
{
    static const QString folder = [] {
        const QString first = bench::yearFile(QStringLiteral("dorpak-bench-search-1"), fillYear);
        const QString dir = QFileInfo(first).absolutePath();
        for (int y = 2026 - Years + 1; y < 2026; ++y) {
            const QString copy = dir + QStringLiteral("/DORPAK%1.GDB").arg(y);
            if (!QFileInfo::exists(copy))
                QFile::copy(first, copy);
        }
        return dir;
    }();
    return folder;
}

struct Program {
    core::TDM dm;
    core::AppContext ctx;
    std::unique_ptr<lists::DocumentSearch> search;
    Program()
    {
        ctx.WorkingYear = QStringLiteral("2026");
        ctx.DataFolder = dataFolder();
        dm.IBDATABASE.open(ctx.DataFolder + QStringLiteral("/DORPAK2026.GDB"));
        search = std::make_unique<lists::DocumentSearch>(dm, ctx);
    }
};
Program* theProgram = nullptr;

const QList<lists::SearchRegister> AllRegisters = {lists::SearchRegister::Incoming,
                                                   lists::SearchRegister::Outgoing,
                                                   lists::SearchRegister::Petition};

// The 100,000 incoming documents as the ledger lists them.
struct ExportList {
    lists::TFRMGELLIST ledger{theProgram->dm, theProgram->ctx};
    QTemporaryDir dir;
    ExportList()
    {
        ledger.show();
        ledger.hide();
    }
};

// The process's memory in kB as /proc/self/status tells it: "VmRSS" now,
// "VmHWM" its peak since the peak was last reset.
long statusKb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key)) + 1).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Forgets the peak, so that the next VmHWM is the peak of what follows.
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

void runExport(benchmark::State& state, widgets::ExportFormat format)
{
    // Made once and kept to the end: a screen outlives the benchmarks.
    static ExportList& list = *new ExportList;
    const widgets::QueryModel& model = *list.ledger.grid().queryModel();
    QList<int> columns;
    for (int c = 0; c < model.columnCount(); ++c)
        columns << c;
    const QString path =
        list.dir.filePath(format == widgets::ExportFormat::Workbook ? QStringLiteral("liste.xlsx")
                                                                    : QStringLiteral("liste.csv"));
    long growth = 0;
    for (auto _ : state) {
        resetPeak();
        const long before = statusKb("VmRSS:");
        if (format == widgets::ExportFormat::Workbook)
            widgets::writeWorkbook(model, columns, path, QStringLiteral("Liste"));
        else
            widgets::writeCsv(model, columns, path);
        growth = std::max(growth, statusKb("VmHWM:") - before);
    }
    state.counters["rows"] = model.rowCount();
    state.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
    // How far the memory of the process rose above where it stood while
    // the file was written.
    state.counters["peak_growth_MB"] = double(growth) / 1024.0;
}

void BM_ExportWorkbook100k(benchmark::State& state)
{
    runExport(state, widgets::ExportFormat::Workbook);
}
BENCHMARK(BM_ExportWorkbook100k)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ExportCsv100k(benchmark::State& state)
{
    runExport(state, widgets::ExportFormat::Csv);
}
BENCHMARK(BM_ExportCsv100k)->Unit(benchmark::kMillisecond)->Iterations(2);

// Statements of every connection the search holds, counted by the engine's
// access layer of each. Cold: the letters are read as text in every run, as
// in the first search of a session; warm: as in the searches after it,
// which read again only the letters changed since.
void runSearch(benchmark::State& state, bool allYears, const QString& words, bool cold)
{
    Program& p = *theProgram;
    qint64 hits = 0, statements = 0;
    p.search->forgetLetters();
    if (!cold)
        p.search->run({.text = words, .registers = AllRegisters, .allYears = allYears});
    for (auto _ : state) {
        if (cold)
            p.search->forgetLetters();
        const quint64 before = p.dm.IBDATABASE.statementCount();
        const lists::SearchOutcome out =
            p.search->run({.text = words, .registers = AllRegisters, .allYears = allYears});
        hits = out.hits.size();
        statements = qint64(p.dm.IBDATABASE.statementCount() - before);
        for (int y = 2026 - Years + 1; y < 2026; ++y)
            if (db::Database* d = p.search->database(QString::number(y)))
                statements += qint64(d->statementCount());
        // Each year's connection is opened afresh by the next run.
        p.search->closeFiles();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = double(hits);
    state.counters["statements"] = double(statements);
}

void BM_SearchOneYearCold(benchmark::State& state)
{
    runSearch(state, false, QStringLiteral("kanalizasyon"), true);
}
BENCHMARK(BM_SearchOneYearCold)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SearchOneYearWarm(benchmark::State& state)
{
    runSearch(state, false, QStringLiteral("kanalizasyon"), false);
}
BENCHMARK(BM_SearchOneYearWarm)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SearchOneYearTwoWordsWarm(benchmark::State& state)
{
    runSearch(state, false, QStringLiteral("çankaya HATTI"), false);
}
BENCHMARK(BM_SearchOneYearTwoWordsWarm)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SearchFiveYearsCold(benchmark::State& state)
{
    runSearch(state, true, QStringLiteral("kanalizasyon"), true);
}
BENCHMARK(BM_SearchFiveYearsCold)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SearchFiveYearsWarm(benchmark::State& state)
{
    runSearch(state, true, QStringLiteral("kanalizasyon"), false);
}
BENCHMARK(BM_SearchFiveYearsWarm)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the engine and the fetching alone take, on the program's
// connection, every row fetched, the word as a literal. The registers: each
// register's own texts joined and compared once a row, as the search does
// (the code tables' texts go through their codes, which find nothing here).
// The letters: every letter's version, and every letter's bytes, which a
// cold search fetches and a warm one does not.
QString bareContaining(const QStringList& columns, int length)
{
    QStringList parts;
    for (const QString& c : columns)
        parts << QStringLiteral("COALESCE(%1,'')").arg(c);
    return QStringLiteral("CAST(%1 AS VARCHAR(%2) CHARACTER SET WIN1254) COLLATE PXW_TURK "
                          "CONTAINING CAST('kanalizasyon' AS VARCHAR(100) CHARACTER SET WIN1254) "
                          "COLLATE PXW_TURK")
        .arg(parts.join(QStringLiteral("||ASCII_CHAR(1)||")))
        .arg(length);
}

void runBare(benchmark::State& state, const QStringList& statements)
{
    db::Query q(theProgram->dm.IBDATABASE);
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const QString& sql : statements) {
            q.openLines({sql});
            rows += q.rowCount();
            q.close();
        }
    }
    state.counters["rows"] = rows;
}

void BM_BareRegistersOneYear(benchmark::State& state)
{
    const QStringList own = {QStringLiteral("G1.EVSAY"), QStringLiteral("G1.EVTAR"),
                             QStringLiteral("G1.KONU")};
    runBare(state,
            {QStringLiteral("SELECT G1.KAYNO,G1.GELNO,G1.GELTAR,G1.EVSAY,G1.EVTAR,D.DKURUM,G1.KONU,"
                            "S.ACIK,B.BIRIM FROM GELEN G1 LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD) "
                            "LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD) LEFT JOIN SDP S "
                            "ON(S.KOD=G1.SDP) WHERE ") +
                 bareContaining(own, 228),
             QStringLiteral("SELECT G1.KAYNO,G1.GIDNO,G1.GIDTAR,G1.EVSAY,G1.EVTAR,D.DKURUM,G1.KONU,"
                            "S.ACIK,B.BIRIM FROM GIDEN G1 LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD) "
                            "LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD) LEFT JOIN SDP S "
                            "ON(S.KOD=G1.SDP) WHERE ") +
                 bareContaining(own, 228),
             QStringLiteral("SELECT G1.KAYNO,G1.DILNO,G1.GELTAR,G1.DILTAR,G1.ADSOY,G1.KONU,S.ACIK,"
                            "B.BIRIM FROM DILEKCE G1 LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD) LEFT "
                            "JOIN SDP S ON(S.KOD=G1.SDP) WHERE ") +
                 bareContaining({QStringLiteral("G1.DILTAR"), QStringLiteral("G1.ADSOY"),
                                 QStringLiteral("G1.KONU")},
                                243)});
}
BENCHMARK(BM_BareRegistersOneYear)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BareLetterVersionsOneYear(benchmark::State& state)
{
    runBare(state, {QStringLiteral("SELECT T.KAYNO,T.RDB$RECORD_VERSION FROM TEXT T WHERE "
                                   "T.METIN IS NOT NULL AND T.HARNO=1")});
}
BENCHMARK(BM_BareLetterVersionsOneYear)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BareLettersOneYear(benchmark::State& state)
{
    runBare(state, {QStringLiteral("SELECT T.KAYNO,T.RDB$RECORD_VERSION,T.METIN FROM TEXT T "
                                   "WHERE T.METIN IS NOT NULL AND T.HARNO=1")});
}
BENCHMARK(BM_BareLettersOneYear)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return bench::runWithScreens(argc, argv, [] {
        dataFolder();
        Program program;
        theProgram = &program;
        benchmark::RunSpecifiedBenchmarks();
        theProgram = nullptr;
    });
}
