#include "dberror.h"

namespace db {

DbError::DbError(const QString& message, int sqlCode, long gdsCode)
    : std::runtime_error(message.toStdString()), m_message(message), m_sqlCode(sqlCode),
      m_gdsCode(gdsCode)
{
}

DbError DbError::aboutFile(const QString& file) const
{
    if (m_message.startsWith(file))
        return *this;
    return DbError(file + QStringLiteral(": ") + m_message, m_sqlCode, m_gdsCode);
}

DbOpenError::DbOpenError(Kind kind, const QString& message, int sqlCode, long gdsCode)
    : DbError(message, sqlCode, gdsCode), m_kind(kind)
{
}

} // namespace db
