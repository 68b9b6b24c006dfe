// The incoming browse list of a year of 100,000 documents, fetched through
// the access layer and through a bare libfbclient loop in the same run.

#include "benchfile.h"
#include "db/query.h"
#include "db/schema.h"

#include <firebird/Interface.h>

#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const char* const ListSql =
    "SELECT G1.KAYNO,G1.GELNO,G1.GELTAR,D.DKURUM,G1.EVTAR||'/'||G1.EVSAY TARNO,"
    "G1.KONU,B.BIRIM,CEVDUR,ILGNO,GIZDER FROM GELEN G1\n"
    "LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD)\n"
    "LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)\n"
    "ORDER BY G1.GELNO";

constexpr int Documents = 100000;

QString benchFile()
{
    return bench::yearFile(QStringLiteral("dorpak-bench"), [](db::Database& database) {
        db::Query q(database);
        q.add(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(:D,:N)"));
        for (int i = 1; i <= 200; ++i) {
            q.bindAll({i, QStringLiteral("Kurum %1 Müdürlüğü").arg(i)});
            q.exec();
        }
        q.clear();
        q.add(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:B,:N)"));
        for (int i = 1; i <= 30; ++i) {
            q.bindAll({i, QStringLiteral("Birim %1 İşleri").arg(i)});
            q.exec();
        }
        q.clear();
        q.add(QStringLiteral(
            "INSERT INTO GELEN (KAYNO,GELNO,GELTAR,EVSAY,EVTAR,EKOD,KONU,BKOD,DKOD,"
            "CEVDUR,CEVNO,ILGNO,GIZDER) VALUES(:K,:N,:T,:S,:E,1,:KONU,:B,:D,:C,0,:I,:G)"));
        for (int i = 1; i <= Documents; ++i) {
            const QString date = QStringLiteral("%1.%2.2026")
                                     .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                     .arg(1 + (i / 8400) % 12, 2, 10, QLatin1Char('0'));
            q.bindAll({i, i, date, QStringLiteral("B.%1.0.%2").arg(i % 900).arg(i), date,
                       QStringLiteral("Belge %1 hakkında ilgili müdürlüğün görüşünün bildirilmesi")
                           .arg(i),
                       1 + i % 30, 1 + i % 200, i % 3 ? QStringLiteral("H") : QStringLiteral("E"),
                       i % 5 ? 0 : i + 1, i % 10 ? QString() : QStringLiteral("G")});
            q.exec();
        }
        database.commit();
        database.executeImmediate(
            QStringLiteral("SET GENERATOR GEN_GELKAYNO TO %1").arg(Documents));
        database.commit();
    });
}

void LayerList(benchmark::State& state)
{
    db::Database database;
    database.open(benchFile());
    db::Query q(database);
    q.setSql(QLatin1String(ListSql));
    for (auto _ : state) {
        q.open();
        benchmark::DoNotOptimize(q.rowCount());
        if (q.rowCount() != Documents)
            state.SkipWithError("wrong row count");
        database.commit();
    }
}
BENCHMARK(LayerList)->Unit(benchmark::kMillisecond)->MinTime(3);

// The least a program can do: one prepared statement, fetch every row into
// the described message and touch its bytes.
void BareList(benchmark::State& state)
{
    using namespace Firebird;
    const QByteArray path = benchFile().toLocal8Bit();
    IMaster* master = fb_get_master_interface();
    ThrowStatusWrapper st(master->getStatus());
    IProvider* prov = master->getDispatcher();
    IXpbBuilder* dpb = master->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
    dpb->insertString(&st, isc_dpb_password, "masterkey");
    IAttachment* att =
        prov->attachDatabase(&st, path.constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
    const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                 isc_tpb_rec_version, isc_tpb_wait};
    ITransaction* tra = att->startTransaction(&st, sizeof tpb, tpb);
    IStatement* stmt = att->prepare(&st, tra, 0, ListSql, 3, IStatement::PREPARE_PREFETCH_METADATA);
    tra->commit(&st);
    IMessageMetadata* meta = stmt->getOutputMetadata(&st);
    std::vector<unsigned char> buffer(meta->getMessageLength(&st));
    for (auto _ : state) {
        tra = att->startTransaction(&st, sizeof tpb, tpb);
        IResultSet* rs = stmt->openCursor(&st, tra, nullptr, nullptr, meta, 0);
        int rows = 0;
        size_t bytes = 0;
        while (rs->fetchNext(&st, buffer.data()) == IStatus::RESULT_OK) {
            ++rows;
            bytes += buffer[0];
        }
        rs->close(&st);
        tra->commit(&st);
        benchmark::DoNotOptimize(bytes);
        if (rows != Documents)
            state.SkipWithError("wrong row count");
    }
    meta->release();
    stmt->free(&st);
    att->detach(&st);
    dpb->dispose();
    prov->release();
}
BENCHMARK(BareList)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

BENCHMARK_MAIN();
