#include "sdpimport.h"

#include "db/database.h"
#include "db/query.h"

#include <QRegularExpression>
#include <QStringList>

namespace tools {
namespace {

QString unquote(QString s)
{
    s = s.trimmed();
    if (s.size() >= 2 && s.startsWith(QLatin1Char('"')) && s.endsWith(QLatin1Char('"')))
        s = s.mid(1, s.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return s;
}

// A top-level code of three characters, then dotted parts.
bool isPlanCode(const QString& code)
{
    static const QRegularExpression re(QStringLiteral("^[0-9A-Za-z]{3}(\\.[0-9A-Za-z]+)*$"));
    return re.match(code).hasMatch();
}

} // namespace

SdpImportError::SdpImportError(int line, const QString& reason)
    : std::runtime_error(QStringLiteral("line %1: %2").arg(line).arg(reason).toStdString()),
      m_line(line), m_reason(reason)
{
}

SdpImportResult importSdp(db::Database& db, const QByteArray& csv)
{
    QString text = QString::fromUtf8(csv);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));

    struct Row {
        QString code, description;
    };
    std::vector<Row> rows;
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype sep = line.indexOf(QLatin1Char(';'));
        if (sep < 0)
            throw SdpImportError(lineNo, QStringLiteral("no ';' between code and description"));
        const QString code = unquote(line.left(sep));
        const QString description = unquote(line.mid(sep + 1));
        const bool header = i == 0 && !code.contains(QRegularExpression(QStringLiteral("[0-9]")));
        if (header)
            continue;
        if (!isPlanCode(code)) {
            throw SdpImportError(lineNo, QStringLiteral("\"%1\" is not a file plan code").arg(code));
        }
        if (code.size() > 15)
            throw SdpImportError(lineNo, QStringLiteral("code longer than 15 characters"));
        if (description.size() > 100)
            throw SdpImportError(lineNo, QStringLiteral("description longer than 100 characters"));
        rows.push_back({code, description});
    }

    // Work pending from elsewhere must not ride along with the import.
    db.commit();
    SdpImportResult result;
    try {
        db::Query exists(db);
        exists.add(QStringLiteral("SELECT 1 FROM SDP WHERE KOD=:K"));
        db::Query update(db);
        update.add(QStringLiteral("UPDATE SDP SET ACIK=:A WHERE KOD=:K"));
        db::Query insert(db);
        insert.add(QStringLiteral("INSERT INTO SDP (KOD,ACIK) VALUES(:K,:A)"));
        for (const Row& r : rows) {
            exists.bind(0, r.code);
            exists.open();
            if (exists.isEmpty()) {
                insert.bindAll({r.code, r.description});
                insert.exec();
                ++result.inserted;
            } else {
                update.bindAll({r.description, r.code});
                update.exec();
                ++result.updated;
            }
        }
        db.commit();
    } catch (...) {
        db.rollback();
        throw;
    }
    return result;
}

} // namespace tools
