#pragma once

#include <QString>

#include <stdexcept>
#include <vector>

namespace db {

// A database error: Firebird's own message and codes.
class DbError : public std::runtime_error {
public:
    // What went wrong, as far as the clerk or the administrator can act on
    // it; Other for everything else.
    enum class Fault {
        Other,
        // The server does not answer, or the connection to it broke.
        ServerUnreachable,
        // Another workstation holds the row: the wait for its lock ran out,
        // or it has just taken the same key.
        RecordInUse,
        // The connection broke while work since the last commit point was
        // pending: the server has undone that work, so the commit that
        // would have made it permanent is refused.
        WorkLost,
        // The server could not write: its disk is full or its folder is not
        // writable.
        WriteFailed,
        // The file is damaged, or is no database at all.
        Damaged,
        NotADatabase,
    };

    DbError(const QString& message, int sqlCode = 0, long gdsCode = 0);
    // With every code of the status vector, the general failure first.
    DbError(const QString& message, int sqlCode, std::vector<long> codes, Fault fault);
    DbError(const QString& message, int sqlCode, std::vector<long> codes);

    QString message() const { return m_message; }
    int sqlCode() const { return m_sqlCode; }
    // The general failure: the first code.
    long gdsCode() const { return m_codes.empty() ? 0 : m_codes.front(); }
    const std::vector<long>& codes() const { return m_codes; }
    // Whether any code of the error is this one (the reason often comes
    // after the general failure).
    bool holds(long gds) const;
    Fault fault() const { return m_fault; }

    // The same error with its message led by the file it concerns, for the
    // administrator's tool (unless the message already begins with it).
    DbError aboutFile(const QString& file) const;

    // The fault the codes of a status vector name.
    static Fault faultOf(const std::vector<long>& codes);

private:
    QString m_message;
    int m_sqlCode;
    std::vector<long> m_codes;
    Fault m_fault;
};

// The database could not be opened at all. Start-up treats this apart from
// every other error: it leads to the system settings screen, not to the
// error message.
class DbOpenError : public DbError {
public:
    enum class Kind {
        FileMissing,
        FolderMissing,
        ServerUnreachable,
        ClientLibraryMissing,
        LoginRefused,
        // Not a database file at all (a text, a picture, a few bytes).
        NotADatabase,
        // A database file whose pages are damaged or cut short.
        Damaged,
        // Made by an engine older (or newer) than the one the program
        // works with: its on-disk structure cannot be read.
        TooOld,
        TooNew,
        Other,
    };

    DbOpenError(Kind kind, const QString& message, int sqlCode = 0, long gdsCode = 0);
    DbOpenError(Kind kind, const DbError& error);
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

} // namespace db
