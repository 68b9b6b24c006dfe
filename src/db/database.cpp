#include "database.h"

#include "encoding.h"
#include "fbclient.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>

using namespace Firebird;

namespace db {
namespace {

BusyHandler& busyHandler()
{
    static BusyHandler handler;
    return handler;
}
int busyDepth = 0;

// write, read committed, record version, wait: the transaction every
// workstation of the system runs.
const unsigned char TransactionParameters[] = {isc_tpb_version3, isc_tpb_write,
                                               isc_tpb_read_committed, isc_tpb_rec_version,
                                               isc_tpb_wait};
// The same, reading only.
const unsigned char ReadOnlyParameters[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                            isc_tpb_rec_version, isc_tpb_wait};

// Blob segments are at most 65,535 bytes; over the network a larger one is
// cut without an error, so blobs are always written in smaller pieces.
constexpr qsizetype BlobChunk = 32768;

QString envOr(const char* name, const char* fallback)
{
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? QString::fromLatin1(fallback) : QString::fromLocal8Bit(v);
}

DbOpenError::Kind openErrorKind(long gds, const QString& name)
{
    switch (gds) {
    case isc_network_error:
    case isc_net_connect_err:
    case isc_net_connect_listen_err:
    case isc_net_event_connect_err:
    case isc_net_event_listen_err:
    case isc_net_read_err:
    case isc_net_write_err:
        return DbOpenError::Kind::ServerUnreachable;
    case isc_login:
        return DbOpenError::Kind::LoginRefused;
    case isc_io_error:
    case isc_sys_request:
        if (!Database::isRemoteName(name)) {
            const QFileInfo file(name);
            if (!file.absoluteDir().exists())
                return DbOpenError::Kind::FolderMissing;
            if (!file.exists())
                return DbOpenError::Kind::FileMissing;
            return DbOpenError::Kind::Other;
        }
        return DbOpenError::Kind::FileMissing;
    default:
        return DbOpenError::Kind::Other;
    }
}

} // namespace

Credentials Credentials::fromEnvironment()
{
    return {envOr("ISC_USER", BuiltInUser), envOr("ISC_PASSWORD", BuiltInPassword)};
}

Database::Database() = default;

Database::~Database()
{
    try {
        close();
    } catch (...) {
        // A destructor cannot report; the server drops what was not committed.
    }
}

bool Database::isRemoteName(const QString& name)
{
    // "C:\..." is a drive letter, "host:..." and "host/3050:..." name a server.
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    return colon > 1;
}

void Database::open(const QString& name, const Credentials& credentials)
{
    attach(name, credentials, false);
}

void Database::create(const QString& name, const Credentials& credentials)
{
    attach(name, credentials, true);
}

void Database::attach(const QString& name, const Credentials& credentials, bool create)
{
    close();
    fb::Status st; // loads the client library, or throws DbOpenError
    IXpbBuilder* dpb = fb::util()->getXpbBuilder(st.get(), IXpbBuilder::DPB, nullptr, 0);
    st.check();
    dpb->insertString(st.get(), isc_dpb_user_name, credentials.user.toUtf8().constData());
    dpb->insertString(st.get(), isc_dpb_password, credentials.password.toUtf8().constData());
    if (create) {
        dpb->insertInt(st.get(), isc_dpb_sql_dialect, 3);
        dpb->insertInt(st.get(), isc_dpb_page_size, 8192);
    }
    // No isc_dpb_lc_ctype: the connection character set stays NONE and the
    // Windows-1254 bytes of the files pass unchanged.
    const QByteArray path = name.toLocal8Bit();
    IProvider* provider = fb::master()->getDispatcher();
    IAttachment* att = nullptr;
    if (!st.failed()) {
        att = create ? provider->createDatabase(st.get(), path.constData(),
                                                dpb->getBufferLength(st.get()), dpb->getBuffer(st.get()))
                     : provider->attachDatabase(st.get(), path.constData(),
                                                dpb->getBufferLength(st.get()), dpb->getBuffer(st.get()));
    }
    dpb->dispose();
    provider->release();
    if (st.failed() || !att) {
        const DbError e = st.error();
        throw DbOpenError(openErrorKind(e.gdsCode(), name), e.message(), e.sqlCode(), e.gdsCode());
    }
    m_attachment = att;
    m_name = name;
    ++m_generation;
}

void Database::close()
{
    end(false);
}

void Database::drop()
{
    end(true);
}

void Database::end(bool dropFile)
{
    if (!m_attachment)
        return;
    releaseHolders();
    fb::Status st;
    std::optional<DbError> failure;
    if (m_transaction && !dropFile) {
        m_transaction->commit(st.get());
        if (st.failed()) {
            failure = st.error();
            st.clear();
        } else {
            m_transaction = nullptr;
        }
    }
    if (m_transaction) {
        m_transaction->rollback(st.get());
        if (st.failed())
            m_transaction->release();
        st.clear();
        m_transaction = nullptr;
    }
    if (dropFile) {
        m_attachment->dropDatabase(st.get()); // releases the attachment when it succeeds
        if (st.failed()) {
            failure = st.error();
            st.clear();
        } else {
            m_attachment = nullptr;
        }
    }
    if (m_attachment) {
        m_attachment->detach(st.get());
        if (st.failed())
            m_attachment->release();
    }
    m_attachment = nullptr;
    m_name.clear();
    ++m_generation;
    if (failure)
        throw *failure;
}

IAttachment* Database::attachment()
{
    if (!m_attachment)
        throw DbError(QStringLiteral("Database is not open"));
    return m_attachment;
}

ITransaction* Database::transaction()
{
    if (!m_transaction) {
        fb::Status st;
        m_transaction = m_readOnly
                            ? attachment()->startTransaction(st.get(), sizeof ReadOnlyParameters,
                                                             ReadOnlyParameters)
                            : attachment()->startTransaction(st.get(), sizeof TransactionParameters,
                                                             TransactionParameters);
        st.check();
    }
    return m_transaction;
}

void Database::commit()
{
    if (!m_transaction)
        return;
    fb::Status st;
    m_transaction->commit(st.get());
    st.check(); // on failure the transaction is still open and can be rolled back
    m_transaction = nullptr;
}

void Database::rollback()
{
    if (!m_transaction)
        return;
    fb::Status st;
    m_transaction->rollback(st.get());
    if (st.failed()) {
        // A broken connection: the server undoes the work on its side.
        m_transaction->release();
        m_transaction = nullptr;
        st.check();
    }
    m_transaction = nullptr;
}

void Database::executeImmediate(const QString& sql)
{
    BusyScope busy;
    fb::Status st;
    const QByteArray text = toDbText(sql);
    ITransaction* tra = transaction();
    countStatement();
    attachment()->execute(st.get(), tra, unsigned(text.size()), text.constData(), 3, nullptr,
                          nullptr, nullptr, nullptr);
    st.check();
}

void Database::registerHolder(StatementHolder* holder)
{
    m_holders.push_back(holder);
}

void Database::unregisterHolder(StatementHolder* holder)
{
    m_holders.erase(std::remove(m_holders.begin(), m_holders.end(), holder), m_holders.end());
}

void Database::releaseHolders()
{
    const auto holders = m_holders;
    for (StatementHolder* h : holders)
        h->releaseStatement();
}

QByteArray Database::readBlob(const ISC_QUAD& id)
{
    fb::Status st;
    ISC_QUAD blobId = id;
    IBlob* blob = attachment()->openBlob(st.get(), transaction(), &blobId, 0, nullptr);
    st.check();
    QByteArray data;
    char buffer[BlobChunk];
    for (;;) {
        unsigned got = 0;
        const int rc = blob->getSegment(st.get(), sizeof buffer, buffer, &got);
        if (rc == IStatus::RESULT_OK || rc == IStatus::RESULT_SEGMENT) {
            data.append(buffer, got);
            continue;
        }
        break;
    }
    if (st.failed()) {
        blob->release();
        st.check();
    }
    blob->close(st.get());
    if (st.failed())
        blob->release();
    st.check();
    return data;
}

void Database::writeBlob(const char* data, qsizetype size, ISC_QUAD& id)
{
    fb::Status st;
    IBlob* blob = attachment()->createBlob(st.get(), transaction(), &id, 0, nullptr);
    st.check();
    for (qsizetype pos = 0; pos < size && !st.failed(); pos += BlobChunk)
        blob->putSegment(st.get(), unsigned(std::min(BlobChunk, size - pos)), data + pos);
    if (st.failed()) {
        const DbError e = st.error();
        st.clear();
        blob->cancel(st.get());
        if (st.failed())
            blob->release();
        throw e;
    }
    blob->close(st.get());
    if (st.failed())
        blob->release();
    st.check();
}

void Database::setBusyHandler(BusyHandler handler)
{
    busyHandler() = std::move(handler);
}

BusyScope::BusyScope()
{
    if (busyDepth++ == 0 && busyHandler())
        busyHandler()(true);
}

BusyScope::~BusyScope()
{
    if (--busyDepth == 0 && busyHandler())
        busyHandler()(false);
}

} // namespace db
