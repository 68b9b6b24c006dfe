#pragma once

#include "dberror.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace Firebird {
class IAttachment;
class ITransaction;
} // namespace Firebird
struct GDS_QUAD_t;

namespace db {
namespace fb {
class Status;
}

// User name and password sent with every attachment: the system's built-in
// pair, unless ISC_USER / ISC_PASSWORD say otherwise.
struct Credentials {
    QString user;
    QString password;
    static Credentials fromEnvironment();
};

inline constexpr const char* BuiltInUser = "SYSDBA";
inline constexpr const char* BuiltInPassword = "masterkey";

// Something that holds a prepared statement of an attachment and must let it
// go before the attachment is closed.
class StatementHolder {
public:
    virtual void releaseStatement() = 0;

protected:
    ~StatementHolder() = default;
};

// Shows the busy cursor while statements run; installed by the program.
// Nested calls are counted, so only the outermost pair takes effect.
using BusyHandler = std::function<void(bool busy)>;

// The one connection to a yearly database file and its one transaction.
//
// The transaction starts by itself at the first statement. commit() and
// rollback() end it for real; the next statement starts a new one with the
// same parameters. To the clerk this is "the transaction kept open", but it
// does not hold back garbage collection for the other workstations as a
// retaining commit would. Statements keep no cursor open between calls
// (rows are fetched in full), so nothing is lost at a commit point.
//
// No statement waits long for a row another workstation holds: the
// transaction gives up after LockTimeoutSeconds with an error whose fault is
// RecordInUse, and the work of the transaction stays as it was, so the same
// action can be tried again.
//
// A connection that breaks (the server stopped, the network gone) is taken
// up again by itself: the statement that found it broken fails with
// ServerUnreachable, and the next one attaches again, as often as it takes
// until the server answers. Work pending when it broke is gone with the
// server's transaction; until it is rolled back (the clerk's cancel, or
// forgetLostWork()), every commit is refused with WorkLost rather than make
// the rest of that work permanent as if it were whole.
class Database {
public:
    // How long a statement waits for a row another transaction holds.
    static constexpr int LockTimeoutSeconds = 5;
    // How long attaching to a server that does not answer may take.
    static constexpr int ConnectTimeoutSeconds = 10;

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // A local path opens the file with the embedded engine, "host:path" (or
    // "host/port:path") goes through a Firebird server. Throws DbOpenError.
    void open(const QString& name, const Credentials& credentials = Credentials::fromEnvironment());
    // Creates a new, empty database file and keeps it open.
    void create(const QString& name,
                const Credentials& credentials = Credentials::fromEnvironment());
    // Commits the open transaction and detaches. Work lost with a broken
    // connection is not committed.
    void close();
    // Deletes the open database file: for a file this program has just made
    // and could not finish, so that nothing half-made is left behind.
    void drop();
    // Open, even while its connection is broken and waits to be taken up
    // again.
    bool isOpen() const;
    QString name() const { return m_name; }
    // The connection broke and has not been taken up again yet.
    bool connectionLost() const { return m_lost; }
    // Work pending when the connection broke has not been rolled back yet.
    bool workLost() const { return m_workLost; }

    bool inTransaction() const;
    // Transactions that may only read: the engine refuses every change, so a
    // connection that looks into a file (another year's) cannot alter it.
    // Takes effect from the next transaction.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool readOnly() const { return m_readOnly; }
    // Makes the work since the last commit point permanent.
    void commit();
    // Undoes everything since the last commit point.
    void rollback();
    // Rolls back when work was lost with a broken connection, so that the
    // next commit point is not refused: for the end of the clerk's visit
    // of a screen.
    void forgetLostWork();

    // Runs one statement with no parameters and no result; for DDL.
    void executeImmediate(const QString& sql);

    // Bumps whenever the attachment changes, so holders re-prepare.
    quint64 generation() const { return m_generation; }
    quint64 statementCount() const { return m_statementCount; }

    static void setBusyHandler(BusyHandler handler);

    // For the query and the schema code of this folder.
    Firebird::IAttachment* attachment();
    Firebird::ITransaction* transaction();
    void registerHolder(StatementHolder* holder);
    void unregisterHolder(StatementHolder* holder);
    void countStatement() { ++m_statementCount; }
    // A statement that changes the file ran in the current transaction.
    void noteWrite() { m_pendingWrites = true; }
    QByteArray readBlob(const GDS_QUAD_t& id);
    void writeBlob(const char* data, qsizetype size, GDS_QUAD_t& id);
    // Throws the error a status holds, first taking note of a broken
    // connection; every call on this connection checks its status here.
    void check(fb::Status& status);

    static bool isRemoteName(const QString& name);

private:
    struct Handles;

    void attach(const QString& name, const Credentials& credentials, bool create);
    void reattach();
    void lose();
    // close() and drop(): the transaction ends (committed unless the file
    // goes or its work was lost), then the attachment.
    void end(bool dropFile);
    void endTransaction();
    void releaseHolders();

    std::unique_ptr<Handles> m_handles;
    QString m_name;
    Credentials m_credentials;
    bool m_lost = false;
    bool m_pendingWrites = false;
    bool m_workLost = false;
    quint64 m_generation = 0;
    quint64 m_statementCount = 0;
    bool m_readOnly = false;
    std::vector<StatementHolder*> m_holders;
};

// Marks the time a statement runs; drives the busy cursor.
class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

} // namespace db
