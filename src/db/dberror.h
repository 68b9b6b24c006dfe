#pragma once

#include <QString>

#include <stdexcept>

namespace db {

// A database error: Firebird's own message and codes.
class DbError : public std::runtime_error {
public:
    DbError(const QString& message, int sqlCode = 0, long gdsCode = 0);

    QString message() const { return m_message; }
    int sqlCode() const { return m_sqlCode; }
    long gdsCode() const { return m_gdsCode; }

    // The same error with its message led by the file it concerns, for the
    // administrator's tool (unless the message already begins with it).
    DbError aboutFile(const QString& file) const;

private:
    QString m_message;
    int m_sqlCode;
    long m_gdsCode;
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
        Other,
    };

    DbOpenError(Kind kind, const QString& message, int sqlCode = 0, long gdsCode = 0);
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

} // namespace db
