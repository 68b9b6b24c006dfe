#include "fbclient.h"

#include <QLibrary>

#include <algorithm>

namespace db::fb {
namespace {

using MasterFn = Firebird::IMaster* (*)();
using SqlCodeFn = ISC_LONG (*)(const ISC_STATUS*);

struct Client {
    QLibrary library;
    Firebird::IMaster* master = nullptr;
    SqlCodeFn sqlCode = nullptr;
};

Client& client()
{
    static Client c;
    if (c.master)
        return c;
    // DORPAK_FBCLIENT names another client library; it exists for setups
    // with a client in a private folder (and for the tests of a missing one).
    const QByteArray custom = qgetenv("DORPAK_FBCLIENT");
    if (!custom.isEmpty())
        c.library.setFileName(QString::fromLocal8Bit(custom));
    else
        c.library.setFileNameAndVersion(QStringLiteral("fbclient"), 2);
    if (!c.library.load() && custom.isEmpty()) {
        c.library.setFileName(QStringLiteral("fbclient"));
        c.library.load();
    }
    auto fn = reinterpret_cast<MasterFn>(c.library.resolve("fb_get_master_interface"));
    if (!fn)
        throw DbOpenError(
            DbOpenError::Kind::ClientLibraryMissing,
            QStringLiteral("Firebird client library not found: %1").arg(c.library.errorString()));
    c.sqlCode = reinterpret_cast<SqlCodeFn>(c.library.resolve("isc_sqlcode"));
    c.master = fn();
    return c;
}

} // namespace

Firebird::IMaster* master()
{
    return client().master;
}

Firebird::IUtil* util()
{
    return master()->getUtilInterface();
}

Status::Status() : m_status(master()->getStatus()), m_wrapper(m_status) {}

Status::~Status()
{
    m_status->dispose();
}

bool Status::failed() const
{
    return m_wrapper.getState() & Firebird::IStatus::STATE_ERRORS;
}

long Status::gdsCode() const
{
    const intptr_t* v = m_wrapper.getErrors();
    return (v && v[0] == isc_arg_gds) ? long(v[1]) : 0;
}

std::vector<long> Status::codes() const
{
    std::vector<long> found;
    const intptr_t* v = m_wrapper.getErrors();
    for (int i = 0; v && v[i] != isc_arg_end;) {
        if (v[i] == isc_arg_gds)
            found.push_back(long(v[i + 1]));
        i += v[i] == isc_arg_cstring ? 3 : 2;
    }
    return found;
}

bool Status::holds(long gds) const
{
    const std::vector<long> all = codes();
    return std::find(all.begin(), all.end(), gds) != all.end();
}

DbError Status::error() const
{
    char buffer[2048];
    util()->formatStatus(buffer, sizeof buffer,
                         const_cast<Firebird::CheckStatusWrapper*>(&m_wrapper));
    int sqlCode = 0;
    if (SqlCodeFn fn = client().sqlCode)
        sqlCode = int(fn(reinterpret_cast<const ISC_STATUS*>(m_wrapper.getErrors())));
    // Firebird's messages are ASCII or the server's locale; show them as they come.
    return DbError(QString::fromLocal8Bit(buffer).trimmed(), sqlCode, codes());
}

void Status::check()
{
    if (!failed())
        return;
    DbError e = error();
    m_wrapper.init();
    throw e;
}

} // namespace db::fb
