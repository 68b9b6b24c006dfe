#include "benchfile.h"

#include "core/prompter.h"
#include "db/database.h"
#include "db/schema.h"

#include <firebird/Interface.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace bench {

QString yearFile(const QString& name, const std::function<void(db::Database&)>& fill)
{
    const QString dir = QDir::tempPath() + QLatin1Char('/') + name;
    const QString path = dir + QStringLiteral("/DORPAK2026.GDB");
    if (QFileInfo::exists(path))
        return path;
    QDir().mkpath(dir);
    const QString building = dir + QStringLiteral("/building.GDB");
    QFile::remove(building);
    {
        db::Database database;
        db::createYearFile(database, building, db::SchemaVersion::Current);
        fill(database);
        database.commit();
    }
    QFile::rename(building, path);
    return path;
}

namespace {

class NoPrompts : public core::Prompter {
public:
    void message(const QString&) override {}
    bool question(const QString&) override { return false; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    bool printDialog(QPrinter&, bool) override { return false; }
    int runModal(QDialog&) override { return 0; }
};

} // namespace

int runWithScreens(int argc, char** argv, const std::function<void()>& run)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    NoPrompts prompts;
    core::Prompter::install(&prompts);
    run();
    core::Prompter::install(nullptr);
    benchmark::Shutdown();
    return 0;
}

struct BareConnection::Handles {
    Firebird::IMaster* master = nullptr;
    Firebird::IProvider* provider = nullptr;
    Firebird::IAttachment* attachment = nullptr;
};

BareConnection::BareConnection(const QString& path) : m_h(new Handles)
{
    using namespace Firebird;
    const QByteArray file = path.toLocal8Bit();
    m_h->master = fb_get_master_interface();
    ThrowStatusWrapper st(m_h->master->getStatus());
    m_h->provider = m_h->master->getDispatcher();
    IXpbBuilder* dpb =
        m_h->master->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
    dpb->insertString(&st, isc_dpb_password, "masterkey");
    m_h->attachment = m_h->provider->attachDatabase(&st, file.constData(),
                                                    dpb->getBufferLength(&st), dpb->getBuffer(&st));
    dpb->dispose();
}

BareConnection::~BareConnection()
{
    Firebird::ThrowStatusWrapper st(m_h->master->getStatus());
    m_h->attachment->detach(&st);
    m_h->provider->release();
    delete m_h;
}

int BareConnection::fetch(const QString& sql)
{
    using namespace Firebird;
    ThrowStatusWrapper st(m_h->master->getStatus());
    const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                 isc_tpb_rec_version, isc_tpb_wait};
    ITransaction* tra = m_h->attachment->startTransaction(&st, sizeof tpb, tpb);
    const QByteArray text = sql.toUtf8();
    IStatement* stmt = m_h->attachment->prepare(&st, tra, 0, text.constData(), 3,
                                                IStatement::PREPARE_PREFETCH_METADATA);
    IMessageMetadata* meta = stmt->getOutputMetadata(&st);
    std::vector<unsigned char> buffer(meta->getMessageLength(&st));
    IResultSet* rs = stmt->openCursor(&st, tra, nullptr, nullptr, meta, 0);
    int rows = 0;
    while (rs->fetchNext(&st, buffer.data()) == IStatus::RESULT_OK)
        ++rows;
    rs->close(&st);
    meta->release();
    stmt->free(&st);
    tra->commit(&st);
    return rows;
}

} // namespace bench
