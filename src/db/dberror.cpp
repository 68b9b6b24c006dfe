#include "dberror.h"

#include <ibase.h>

#include <algorithm>

namespace db {

DbError::DbError(const QString& message, int sqlCode, long gdsCode)
    : DbError(message, sqlCode, gdsCode ? std::vector<long>{gdsCode} : std::vector<long>{})
{
}

DbError::DbError(const QString& message, int sqlCode, std::vector<long> codes)
    : DbError(message, sqlCode, codes, faultOf(codes))
{
}

DbError::DbError(const QString& message, int sqlCode, std::vector<long> codes, Fault fault)
    : std::runtime_error(message.toStdString()), m_message(message), m_sqlCode(sqlCode),
      m_codes(std::move(codes)), m_fault(fault)
{
}

bool DbError::holds(long gds) const
{
    return std::find(m_codes.begin(), m_codes.end(), gds) != m_codes.end();
}

DbError DbError::aboutFile(const QString& file) const
{
    if (m_message.startsWith(file))
        return *this;
    return DbError(file + QStringLiteral(": ") + m_message, m_sqlCode, m_codes, m_fault);
}

DbError::Fault DbError::faultOf(const std::vector<long>& codes)
{
    const auto any = [&codes](std::initializer_list<long> wanted) {
        return std::any_of(codes.begin(), codes.end(), [&wanted](long c) {
            return std::find(wanted.begin(), wanted.end(), c) != wanted.end();
        });
    };
    if (any({isc_network_error, isc_net_connect_err, isc_net_connect_listen_err,
             isc_net_event_connect_err, isc_net_event_listen_err, isc_net_read_err,
             isc_net_write_err, isc_conn_lost, isc_lost_db_connection, isc_att_shutdown,
             isc_shutdown}))
        return Fault::ServerUnreachable;
    // A row another transaction holds: with a lock timeout the wait ends in
    // "deadlock / update conflicts"; a key another workstation has just
    // taken (a picture number, a code) ends in a key violation once its
    // holder commits or the wait runs out.
    if (any({isc_lock_timeout, isc_lock_conflict, isc_deadlock, isc_update_conflict,
             isc_unique_key_violation, isc_no_dup}))
        return Fault::RecordInUse;
    if (any({isc_io_write_err, isc_io_create_err}))
        return Fault::WriteFailed;
    if (any({isc_bad_db_format}))
        return Fault::NotADatabase;
    if (any({isc_db_corrupt, isc_badpage, isc_bad_checksum, isc_io_read_err}))
        return Fault::Damaged;
    return Fault::Other;
}

DbOpenError::DbOpenError(Kind kind, const QString& message, int sqlCode, long gdsCode)
    : DbError(message, sqlCode, gdsCode), m_kind(kind)
{
}

DbOpenError::DbOpenError(Kind kind, const DbError& error)
    : DbError(error.message(), error.sqlCode(), error.codes(), error.fault()), m_kind(kind)
{
}

} // namespace db
