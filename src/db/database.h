#pragma once

#include "dberror.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace Firebird {
class IAttachment;
class ITransaction;
} // namespace Firebird
struct GDS_QUAD_t;

namespace db {

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
class Database {
public:
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
    // Commits the open transaction and detaches.
    void close();
    // Deletes the open database file: for a file this program has just made
    // and could not finish, so that nothing half-made is left behind.
    void drop();
    bool isOpen() const { return m_attachment != nullptr; }
    QString name() const { return m_name; }

    bool inTransaction() const { return m_transaction != nullptr; }
    // Transactions that may only read: the engine refuses every change, so a
    // connection that looks into a file (another year's) cannot alter it.
    // Takes effect from the next transaction.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool readOnly() const { return m_readOnly; }
    // Makes the work since the last commit point permanent.
    void commit();
    // Undoes everything since the last commit point.
    void rollback();

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
    QByteArray readBlob(const GDS_QUAD_t& id);
    void writeBlob(const char* data, qsizetype size, GDS_QUAD_t& id);

    static bool isRemoteName(const QString& name);

private:
    void attach(const QString& name, const Credentials& credentials, bool create);
    // close() and drop(): the transaction ends (committed unless the file
    // goes), then the attachment.
    void end(bool dropFile);
    void releaseHolders();

    Firebird::IAttachment* m_attachment = nullptr;
    Firebird::ITransaction* m_transaction = nullptr;
    QString m_name;
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
