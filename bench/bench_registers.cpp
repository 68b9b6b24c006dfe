// The incoming register on a year of 100,000 documents: opening the browse
// list, each filter change, coming back from the entry screen, and the
// entry screen's set-up on a file plan of 5,000 codes. Each screen action
// is measured next to the bare statement it runs, fetched by a minimal
// libfbclient loop, in the same run.

#include "benchfile.h"
#include "core/prompter.h"
#include "db/query.h"
#include "db/schema.h"
#include "lists/pickers.h"
#include "refdata/fileplan.h"
#include "refdata/tfrmkurbil.h"
#include "refdata/tfrmsdpbul.h"
#include "registers/tfrmgelen.h"
#include "registers/tfrmgellst.h"
#include "registers/tfrmresim.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Documents = 100000;
constexpr int OutgoingDocuments = 20000;

// The plan: 50 headings, 10 codes under each, 9 under each of those.
void fillPlan(db::Query& q)
{
    q.clear();
    q.add(QStringLiteral("INSERT INTO SDP (KOD,ACIK) VALUES(:K,:A)"));
    for (int h = 0; h < 50; ++h) {
        const QString heading = QStringLiteral("%1").arg(100 + h * 15);
        q.bindAll({heading, QStringLiteral("Ana başlık %1").arg(heading)});
        q.exec();
        for (int s = 1; s <= 10; ++s) {
            const QString sub = heading + QStringLiteral(".%1").arg(s, 2, 10, QLatin1Char('0'));
            q.bindAll({sub, QStringLiteral("Alt başlık %1").arg(sub)});
            q.exec();
            for (int d = 1; d <= 9; ++d) {
                const QString detail = sub + QStringLiteral(".%1").arg(d, 2, 10, QLatin1Char('0'));
                q.bindAll({detail, QStringLiteral("Detay kod %1 işlemleri").arg(detail)});
                q.exec();
            }
        }
    }
}

QString benchFile()
{
    return bench::yearFile(QStringLiteral("dorpak-bench-registers"), [](db::Database& database) {
        db::Query q(database);
        q.add(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(:D,:N)"));
        for (int i = 1; i <= 200; ++i) {
            q.bindAll({i, QStringLiteral("Kurum %1 Müdürlüğü").arg(i, 3, 10, QLatin1Char('0'))});
            q.exec();
        }
        q.clear();
        q.add(QStringLiteral(
            "INSERT INTO BIRIM (BKOD,BIRIM,YET,GOR) VALUES(:B,:N,'Yetkili','Müdür')"));
        for (int i = 1; i <= 30; ++i) {
            q.bindAll({i, QStringLiteral("Birim %1 İşleri").arg(i, 2, 10, QLatin1Char('0'))});
            q.exec();
        }
        fillPlan(q);
        // Outgoing documents take the keys after the incoming ones; every
        // fifth incoming document answers one of them.
        q.clear();
        q.add(QStringLiteral(
            "INSERT INTO GIDEN (KAYNO,GIDNO,GIDTAR,KONU,BKOD,DKOD,CEVDUR,CEVNO,ILGNO) "
            "VALUES(:K,:N,'10.01.2026','Giden yazı',1,1,'E',0,0)"));
        for (int i = 1; i <= OutgoingDocuments; ++i) {
            q.bindAll({Documents + i, i});
            q.exec();
        }
        q.clear();
        q.add(QStringLiteral(
            "INSERT INTO GELEN (KAYNO,GELNO,GELTAR,EVSAY,EVTAR,EKOD,KONU,BKOD,DKOD,"
            "CEVDUR,CEVNO,ILGNO,GIZDER,SDP) VALUES(:K,:N,:T,:S,:E,1,:KONU,:B,:D,:C,0,:I,:G,:SDP)"));
        const QString grades[] = {QStringLiteral("Ö"), QStringLiteral("K"), QStringLiteral("G"),
                                  QStringLiteral("Ç")};
        for (int i = 1; i <= Documents; ++i) {
            const QString date = QStringLiteral("%1.%2.2026")
                                     .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                     .arg(1 + (i / 8400) % 12, 2, 10, QLatin1Char('0'));
            q.bindAll({i, i, date, QStringLiteral("B.%1.0.%2").arg(i % 900).arg(i), date,
                       QStringLiteral("Belge %1 hakkında ilgili müdürlüğün görüşünün bildirilmesi")
                           .arg(i),
                       1 + i % 30, 1 + i % 200, i % 3 ? QStringLiteral("H") : QStringLiteral("E"),
                       i % 5 ? 0 : Documents + 1 + (i / 5) % OutgoingDocuments, grades[i % 4],
                       QStringLiteral("%1.01.01").arg(100 + (i % 50) * 15)});
            q.exec();
        }
        database.commit();
        database.executeImmediate(
            QStringLiteral("SET GENERATOR GEN_GELKAYNO TO %1").arg(Documents + OutgoingDocuments));
        database.commit();
    });
}

// The incoming screens of the program on the bench file.
struct Program {
    core::TDM dm;
    core::AppContext ctx;
    std::unique_ptr<refdata::TFRMSDPBUL> sdpbul;
    std::unique_ptr<refdata::TFRMKURBIL> kurbil;
    std::unique_ptr<lists::TFRMGIDBUL> gidbul;
    std::unique_ptr<registers::TFRMRESIM> resim;
    std::unique_ptr<registers::TFRMGELEN> entry;
    std::unique_ptr<registers::TFRMGELLST> list;

    Program()
    {
        dm.IBDATABASE.open(benchFile());
        sdpbul = std::make_unique<refdata::TFRMSDPBUL>(dm, ctx);
        kurbil = std::make_unique<refdata::TFRMKURBIL>(dm, ctx);
        gidbul = std::make_unique<lists::TFRMGIDBUL>(dm, ctx);
        resim = std::make_unique<registers::TFRMRESIM>();
        entry = std::make_unique<registers::TFRMGELEN>(dm, ctx, *sdpbul, *kurbil, *gidbul, *resim);
        list = std::make_unique<registers::TFRMGELLST>(dm, ctx, *entry);
    }
    QComboBox& filter(const char* name)
    {
        return *list->findChild<QComboBox*>(QString::fromLatin1(name));
    }
};

// Made in main, inside the application and before the runs.
Program* theProgram = nullptr;

Program& program()
{
    return *theProgram;
}

bench::BareConnection& bare()
{
    static bench::BareConnection b(benchFile());
    return b;
}

QString listSql(const QString& condition)
{
    QStringList lines = registers::TFRMGELLST::table().selectLines;
    if (!condition.isEmpty())
        lines << condition;
    lines << registers::TFRMGELLST::table().orderLine;
    return lines.join(QLatin1Char('\n'));
}

// The list statement as the program wrote it before "Cev.No" came with the
// rows: the two joins only.
const QString PlainListSql =
    QStringLiteral("SELECT G1.KAYNO,G1.GELNO,G1.GELTAR,D.DKURUM,G1.EVTAR||'/'||G1.EVSAY "
                   "TARNO,G1.KONU,B.BIRIM,CEVDUR,ILGNO,"
                   "GIZDER FROM GELEN G1\nLEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD)\nLEFT JOIN BIRIM B "
                   "ON(B.BKOD=G1.BKOD)\n"
                   "ORDER BY G1.GELNO");

void ListOpen(benchmark::State& state)
{
    Program& p = program();
    for (auto _ : state) {
        p.list->reactivate();
        if (p.list->list().rowCount() != Documents)
            state.SkipWithError("wrong row count");
    }
}
BENCHMARK(ListOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same statement through the access layer alone, rows kept in memory.
void LayerListWithReplyNumber(benchmark::State& state)
{
    Program& p = program();
    db::Query q(p.dm.IBDATABASE);
    q.setSql(listSql(QString()));
    for (auto _ : state) {
        q.open();
        if (q.rowCount() != Documents)
            state.SkipWithError("wrong row count");
        q.close();
    }
}
BENCHMARK(LayerListWithReplyNumber)->Unit(benchmark::kMillisecond)->Iterations(5);

void BareListWithReplyNumber(benchmark::State& state)
{
    for (auto _ : state)
        if (bare().fetch(listSql(QString())) != Documents)
            state.SkipWithError("wrong row count");
}
BENCHMARK(BareListWithReplyNumber)->Unit(benchmark::kMillisecond)->Iterations(5);

void BareListWithoutReplyNumber(benchmark::State& state)
{
    for (auto _ : state)
        if (bare().fetch(PlainListSql) != Documents)
            state.SkipWithError("wrong row count");
}
BENCHMARK(BareListWithoutReplyNumber)->Unit(benchmark::kMillisecond)->Iterations(5);

// One filter list put on an entry, then the filter change the clerk's
// choice runs (the look-up of the code and the list query).
struct FilterCase {
    const char* box;
    const char* entry;
    const char* bareCondition;
};
const FilterCase FilterCases[] = {
    {"cmbKurum", "Kurum 017 Müdürlüğü", "WHERE D.DKOD=17 AND G1.DKOD=17"},
    {"cmbBirim", "Birim 05 İşleri", "WHERE B.BKOD=5 AND G1.BKOD=5"},
    {"cmbCevap", "Cevap Bekleyen", "WHERE CEVDUR='E' AND ILGNO=0"},
    {"cmbGizlilik", "Gizli", "WHERE GIZDER='G'"},
};

void FilterChange(benchmark::State& state)
{
    Program& p = program();
    p.list->reactivate();
    const FilterCase& c = FilterCases[state.range(0)];
    QComboBox& box = p.filter(c.box);
    {
        const QSignalBlocker block(&box);
        box.setCurrentText(QString::fromUtf8(c.entry));
    }
    for (auto _ : state)
        p.list->filterChanged(int(state.range(0)));
    state.SetLabel(c.box);
    state.counters["rows"] = p.list->list().rowCount();
    const QSignalBlocker block(&box);
    box.setCurrentIndex(0);
}
BENCHMARK(FilterChange)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(5);

void BareFilterChange(benchmark::State& state)
{
    const FilterCase& c = FilterCases[state.range(0)];
    int rows = 0;
    for (auto _ : state)
        rows = bare().fetch(listSql(QString::fromUtf8(c.bareCondition)));
    state.SetLabel(c.box);
    state.counters["rows"] = rows;
}
BENCHMARK(BareFilterChange)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(5);

// "F4-Değiş" on a document in the middle of the year: the list as last
// built runs again and finds the row once more.
void ReturnFromEntry(benchmark::State& state)
{
    Program& p = program();
    p.list->reactivate();
    for (auto _ : state) {
        p.list->list().setCurrentRow(Documents / 2);
        p.list->editDocument();
        if (p.list->list().currentRow() != Documents / 2)
            state.SkipWithError("not back on the row");
    }
}
BENCHMARK(ReturnFromEntry)->Unit(benchmark::kMillisecond)->Iterations(5);

// The entry screen's set-up for a new document: the lists (5,000 plan
// codes, the leaf test in one statement), the key, the defaults.
void EntrySetUp(benchmark::State& state)
{
    Program& p = program();
    p.entry->EntryMode = registers::EntryMode::New;
    for (auto _ : state) {
        p.entry->reactivate();
        if (p.entry->entry().planCodes().rowCount() != 4500)
            state.SkipWithError("wrong leaf count");
    }
    p.dm.FDTransaction1.rollback();
}
BENCHMARK(EntrySetUp)->Unit(benchmark::kMillisecond)->MinTime(2);

void BareLeafCodes(benchmark::State& state)
{
    const QString sql = refdata::leafCodeLines().join(QLatin1Char('\n'));
    for (auto _ : state)
        if (bare().fetch(sql) != 4500)
            state.SkipWithError("wrong leaf count");
}
BENCHMARK(BareLeafCodes)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

int main(int argc, char** argv)
{
    return bench::runWithScreens(argc, argv, theProgram, benchFile);
}
