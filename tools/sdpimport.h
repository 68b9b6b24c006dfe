#pragma once

#include <QString>

#include <stdexcept>

namespace db {
class Database;
}

namespace tools {

// A line of a file plan that cannot be loaded; nothing was changed.
class SdpImportError : public std::runtime_error {
public:
    SdpImportError(int line, const QString& reason);
    int line() const { return m_line; }
    QString reason() const { return m_reason; }

private:
    int m_line;
    QString m_reason;
};

struct SdpImportResult {
    int inserted = 0;
    int updated = 0;
};

// Loads a standard file plan ("code;description" lines, UTF-8, an optional
// header line) into SDP in one transaction: a code already there gets the
// new description, a new one is added. A bad line stops the import with its
// line number and the table stays as it was.
SdpImportResult importSdp(db::Database& db, const QByteArray& csv);

} // namespace tools
