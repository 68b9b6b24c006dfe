#include "database.h"

#include "encoding.h"
#include "fbclient.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

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

// write, read committed, record version, wait, but not for ever: the
// transaction every workstation of the system runs.
const unsigned char TransactionParameters[] = {isc_tpb_version3,
                                               isc_tpb_write,
                                               isc_tpb_read_committed,
                                               isc_tpb_rec_version,
                                               isc_tpb_wait,
                                               isc_tpb_lock_timeout,
                                               1,
                                               Database::LockTimeoutSeconds};
// The same, reading only.
const unsigned char ReadOnlyParameters[] = {isc_tpb_version3,
                                            isc_tpb_read,
                                            isc_tpb_read_committed,
                                            isc_tpb_rec_version,
                                            isc_tpb_wait,
                                            isc_tpb_lock_timeout,
                                            1,
                                            Database::LockTimeoutSeconds};

// Blob segments are at most 65,535 bytes; over the network a larger one is
// cut without an error, so blobs are always written in smaller pieces.
constexpr qsizetype BlobChunk = 32768;

QString envOr(const char* name, const char* fallback)
{
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? QString::fromLatin1(fallback) : QString::fromLocal8Bit(v);
}

// A Firebird file begins with its header page, whose type is 1.
bool looksLikeDatabase(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(20);
    return head.size() == 20 && head[0] == 1;
}

// "found 11.0, support 12.2" in the engine's message: the version of the
// file and the one the engine reads.
DbOpenError::Kind odsKind(const QString& message)
{
    static const QRegularExpression found(QStringLiteral("found (\\d+)\\.\\d+, support (\\d+)"));
    const QRegularExpressionMatch m = found.match(message);
    if (m.hasMatch() && m.captured(1).toInt() > m.captured(2).toInt())
        return DbOpenError::Kind::TooNew;
    return DbOpenError::Kind::TooOld;
}

DbOpenError::Kind openErrorKind(const DbError& e, const QString& name)
{
    if (e.fault() == DbError::Fault::ServerUnreachable)
        return DbOpenError::Kind::ServerUnreachable;
    if (e.holds(isc_login))
        return DbOpenError::Kind::LoginRefused;
    if (e.holds(isc_wrong_ods) || e.holds(isc_badodsver))
        return odsKind(e.message());
    if (e.holds(isc_bad_db_format))
        return DbOpenError::Kind::NotADatabase;
    if (e.fault() == DbError::Fault::Damaged)
        return DbOpenError::Kind::Damaged;
    const bool local = !Database::isRemoteName(name);
    if (e.holds(isc_io_error) || e.holds(isc_sys_request)) {
        if (e.holds(isc_io_open_err) || e.holds(isc_io_access_err) || !e.holds(isc_random)) {
            if (!local)
                return DbOpenError::Kind::FileMissing;
            const QFileInfo file(name);
            if (!file.absoluteDir().exists())
                return DbOpenError::Kind::FolderMissing;
            if (!file.exists())
                return DbOpenError::Kind::FileMissing;
            return DbOpenError::Kind::Other;
        }
        // "File size is less than expected": a few bytes of something else,
        // or a database cut short.
        return local && looksLikeDatabase(name) ? DbOpenError::Kind::Damaged
                                                : DbOpenError::Kind::NotADatabase;
    }
    return DbOpenError::Kind::Other;
}

} // namespace

struct Database::Handles {
    fb::Handle<IAttachment> attachment;
    fb::Handle<ITransaction> transaction;
};

Credentials Credentials::fromEnvironment()
{
    return {envOr("ISC_USER", BuiltInUser), envOr("ISC_PASSWORD", BuiltInPassword)};
}

Database::Database() : m_handles(std::make_unique<Handles>()) {}

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

bool Database::isOpen() const
{
    return m_handles->attachment || m_lost;
}

bool Database::inTransaction() const
{
    return bool(m_handles->transaction);
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
    fb::Handle<IXpbBuilder> dpb(fb::util()->getXpbBuilder(st.get(), IXpbBuilder::DPB, nullptr, 0));
    st.check();
    dpb->insertString(st.get(), isc_dpb_user_name, credentials.user.toUtf8().constData());
    dpb->insertString(st.get(), isc_dpb_password, credentials.password.toUtf8().constData());
    // A server that does not answer is given up after a few seconds, not
    // the engine's three minutes: attaching again happens at a clerk's
    // action, and the screen waits for it.
    dpb->insertInt(st.get(), isc_dpb_connect_timeout, ConnectTimeoutSeconds);
    if (create) {
        dpb->insertInt(st.get(), isc_dpb_sql_dialect, 3);
        dpb->insertInt(st.get(), isc_dpb_page_size, 8192);
    }
    // No isc_dpb_lc_ctype: the connection character set stays NONE and the
    // Windows-1254 bytes of the files pass unchanged.
    const QByteArray path = name.toLocal8Bit();
    fb::Handle<IProvider> provider(fb::master()->getDispatcher());
    fb::Handle<IAttachment> att;
    if (!st.failed()) {
        const unsigned length = dpb->getBufferLength(st.get());
        const unsigned char* buffer = dpb->getBuffer(st.get());
        if (!st.failed())
            att.reset(create
                          ? provider->createDatabase(st.get(), path.constData(), length, buffer)
                          : provider->attachDatabase(st.get(), path.constData(), length, buffer));
    }
    if (st.failed() || !att) {
        const DbError e = st.error();
        throw DbOpenError(openErrorKind(e, name), e);
    }
    m_handles->attachment = std::move(att);
    m_name = name;
    m_credentials = credentials;
    ++m_generation;
}

void Database::reattach()
{
    const QString name = m_name;
    const Credentials credentials = m_credentials;
    // Work lost with the old connection stays lost with the new one, until
    // it is rolled back.
    const bool workLost = m_workLost;
    try {
        BusyScope busy;
        attach(name, credentials, false);
    } catch (const DbError&) {
        // Still no answer: the connection stays broken, to be tried again.
        m_name = name;
        m_credentials = credentials;
        m_lost = true;
        m_workLost = workLost;
        throw;
    }
    m_workLost = workLost;
}

void Database::lose()
{
    // The statements and the transaction went with the server's side of
    // the connection; their interfaces are let go without a call.
    releaseHolders();
    m_handles->transaction.reset();
    m_handles->attachment.reset();
    m_lost = true;
    if (m_pendingWrites)
        m_workLost = true;
    m_pendingWrites = false;
    ++m_generation;
}

void Database::check(fb::Status& status)
{
    if (!status.failed())
        return;
    const DbError e = status.error();
    status.clear();
    if (e.fault() == DbError::Fault::ServerUnreachable && m_handles->attachment)
        lose();
    throw e;
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
    if (m_lost && !m_handles->attachment) {
        // Nothing left on the server's side to end.
        m_lost = false;
        m_workLost = false;
        m_pendingWrites = false;
        m_name.clear();
        ++m_generation;
        return;
    }
    if (!m_handles->attachment)
        return;
    releaseHolders();
    fb::Status st;
    std::optional<DbError> failure;
    fb::Handle<ITransaction>& tra = m_handles->transaction;
    if (tra && !dropFile && !m_workLost) {
        if (!tra.finish(st, &ITransaction::commit<fb::Wrapper>)) {
            failure = st.error();
            st.clear();
        }
    }
    if (tra) {
        tra.finish(st, &ITransaction::rollback<fb::Wrapper>);
        st.clear();
        tra.reset();
    }
    fb::Handle<IAttachment>& att = m_handles->attachment;
    if (dropFile && !att.finish(st, &IAttachment::dropDatabase<fb::Wrapper>)) {
        failure = st.error();
        st.clear();
    }
    att.finish(st, &IAttachment::detach<fb::Wrapper>);
    att.reset();
    m_name.clear();
    m_lost = false;
    m_workLost = false;
    m_pendingWrites = false;
    ++m_generation;
    if (failure)
        throw *failure;
}

IAttachment* Database::attachment()
{
    if (m_lost)
        reattach();
    if (!m_handles->attachment)
        throw DbError(QStringLiteral("Database is not open"));
    return m_handles->attachment.get();
}

ITransaction* Database::transaction()
{
    if (!m_handles->transaction) {
        IAttachment* att = attachment();
        fb::Status st;
        fb::Handle<ITransaction> started(
            m_readOnly
                ? att->startTransaction(st.get(), sizeof ReadOnlyParameters, ReadOnlyParameters)
                : att->startTransaction(st.get(), sizeof TransactionParameters,
                                        TransactionParameters));
        check(st);
        m_handles->transaction = std::move(started);
        m_pendingWrites = false;
    }
    return m_handles->transaction.get();
}

void Database::endTransaction()
{
    m_handles->transaction.reset();
    m_pendingWrites = false;
}

void Database::commit()
{
    if (m_workLost)
        throw DbError(QStringLiteral("the connection to the server broke while work was pending; "
                                     "that work is gone and is not committed"),
                      0, {}, DbError::Fault::WorkLost);
    if (!m_handles->transaction)
        return;
    fb::Status st;
    if (!m_handles->transaction.finish(st, &ITransaction::commit<fb::Wrapper>))
        check(st); // the transaction is still open and can be rolled back
    endTransaction();
}

void Database::rollback()
{
    m_workLost = false;
    if (!m_handles->transaction)
        return;
    fb::Status st;
    const bool done = m_handles->transaction.finish(st, &ITransaction::rollback<fb::Wrapper>);
    // Whatever the answer, the transaction is over: a broken connection
    // undoes the work on the server's side.
    endTransaction();
    if (!done)
        check(st);
}

void Database::forgetLostWork()
{
    if (m_workLost)
        rollback();
}

void Database::executeImmediate(const QString& sql)
{
    BusyScope busy;
    fb::Status st;
    const QByteArray text = toDbText(sql);
    ITransaction* tra = transaction();
    countStatement();
    noteWrite();
    attachment()->execute(st.get(), tra, unsigned(text.size()), text.constData(), 3, nullptr,
                          nullptr, nullptr, nullptr);
    check(st);
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
    ITransaction* tra = transaction();
    fb::Status st;
    ISC_QUAD blobId = id;
    fb::Handle<IBlob> blob(attachment()->openBlob(st.get(), tra, &blobId, 0, nullptr));
    check(st);
    QByteArray data;
    char buffer[BlobChunk];
    for (;;) {
        unsigned got = 0;
        const int rc = blob->getSegment(st.get(), sizeof buffer, buffer, &got);
        if (rc != IStatus::RESULT_OK && rc != IStatus::RESULT_SEGMENT)
            break;
        data.append(buffer, got);
    }
    check(st);
    blob.finish(st, &IBlob::close<fb::Wrapper>);
    check(st);
    return data;
}

void Database::writeBlob(const char* data, qsizetype size, ISC_QUAD& id)
{
    ITransaction* tra = transaction();
    fb::Status st;
    fb::Handle<IBlob> blob(attachment()->createBlob(st.get(), tra, &id, 0, nullptr));
    check(st);
    noteWrite();
    for (qsizetype pos = 0; pos < size && !st.failed(); pos += BlobChunk)
        blob->putSegment(st.get(), unsigned(std::min(BlobChunk, size - pos)), data + pos);
    if (st.failed()) {
        fb::Status cancelled;
        blob.finish(cancelled, &IBlob::cancel<fb::Wrapper>);
        check(st);
    }
    blob.finish(st, &IBlob::close<fb::Wrapper>);
    check(st);
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
