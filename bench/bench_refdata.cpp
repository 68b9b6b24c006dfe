// The file plan on a plan of 5,000 codes: the picker's SORGULA (with the
// sub-code test of its colour rule in the list query) and the leaf list of
// the entry screens' drop-down, each beside the bare query without the
// sub-code test, in the same run. The leaf test as one counting statement
// per code is measured too, for comparison.

#include "benchfile.h"
#include "db/query.h"
#include "db/schema.h"
#include "refdata/fileplan.h"

#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

constexpr int MainCodes = 100;
constexpr int SecondLevel = 7;
constexpr int ThirdLevel = 6;
constexpr int Codes = MainCodes * (1 + SecondLevel * (1 + ThirdLevel)); // 5,000
constexpr int LeafCodes = MainCodes * SecondLevel * ThirdLevel;         // 4,200

QString benchFile()
{
    return bench::yearFile(QStringLiteral("dorpak-bench-refdata"), [](db::Database& database) {
        db::Query q(database);
        q.add(QStringLiteral("INSERT INTO SDP (KOD,ACIK) VALUES(:K,:A)"));
        auto add = [&q](const QString& code, const QString& text) {
            q.bindAll({code, text});
            q.exec();
        };
        for (int m = 0; m < MainCodes; ++m) {
            const QString main = QString::number(100 + m * 8);
            add(main, QStringLiteral("Ana Hesap %1 İşleri").arg(main));
            for (int s = 1; s <= SecondLevel; ++s) {
                const QString second = main + QStringLiteral(".%1").arg(s, 2, 10, QLatin1Char('0'));
                add(second, QStringLiteral("Alt Hesap %1 Yazışmaları").arg(second));
                for (int t = 1; t <= ThirdLevel; ++t) {
                    const QString third =
                        second + QStringLiteral(".%1").arg(t, 2, 10, QLatin1Char('0'));
                    add(third, QStringLiteral("Detay Hesap %1 Başvuruları").arg(third));
                }
            }
        }
        database.commit();
    });
}

void run(benchmark::State& state, const std::function<void(db::Query&)>& open, int rows)
{
    db::Database database;
    database.open(benchFile());
    db::Query q(database);
    for (auto _ : state) {
        open(q);
        benchmark::DoNotOptimize(q.rowCount());
        if (q.rowCount() != rows)
            state.SkipWithError("wrong row count");
    }
    state.counters["rows"] = rows;
}

void openLines(db::Query& q, const QStringList& lines)
{
    q.close();
    q.clear();
    for (const QString& line : lines)
        q.add(line);
    q.open();
}

void PickerSorgula(benchmark::State& state)
{
    run(
        state, [](db::Query& q) { refdata::runPlanQuery(q, refdata::SearchMode::None, QString()); },
        Codes);
}
BENCHMARK(PickerSorgula)->Unit(benchmark::kMillisecond)->MinTime(2);

void PickerBareQuery(benchmark::State& state)
{
    run(
        state,
        [](db::Query& q) {
            openLines(q, {QStringLiteral("SELECT KOD,ACIK FROM SDP"),
                          QStringLiteral("WHERE KOD LIKE '___%'"), QStringLiteral("ORDER BY KOD")});
        },
        Codes);
}
BENCHMARK(PickerBareQuery)->Unit(benchmark::kMillisecond)->MinTime(2);

void LeafList(benchmark::State& state)
{
    run(
        state, [](db::Query& q) { refdata::openLeafCodes(q); }, LeafCodes);
}
BENCHMARK(LeafList)->Unit(benchmark::kMillisecond)->MinTime(2);

void LeafBareQuery(benchmark::State& state)
{
    run(
        state,
        [](db::Query& q) {
            openLines(q, {QStringLiteral("SELECT KOD,ACIK FROM SDP ORDER BY KOD")});
        },
        Codes);
}
BENCHMARK(LeafBareQuery)->Unit(benchmark::kMillisecond)->MinTime(2);

// The leaf test as one "SELECT COUNT(*) SAY FROM SDP WHERE KOD LIKE :KN"
// per code, the way a drop-down filled row by row would run it.
void LeafCountPerCode(benchmark::State& state)
{
    db::Database database;
    database.open(benchFile());
    db::Query list(database);
    db::Query count(database);
    for (auto _ : state) {
        openLines(list, {QStringLiteral("SELECT KOD FROM SDP ORDER BY KOD")});
        int leaves = 0;
        for (int r = 0; r < list.rowCount(); ++r)
            leaves += refdata::hasSubCodes(count, list.value(r, 0).toString()) ? 0 : 1;
        if (leaves != LeafCodes)
            state.SkipWithError("wrong leaf count");
    }
}
BENCHMARK(LeafCountPerCode)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
