#pragma once

// The one place that talks to libfbclient. The library is loaded when the
// first database is opened, so that a machine without it still starts the
// program and reaches the system settings screen.

#include "dberror.h"

#include <firebird/Interface.h>

namespace db::fb {

// Loads the client library on first use; throws DbOpenError with
// ClientLibraryMissing when it cannot be loaded.
Firebird::IMaster* master();
Firebird::IUtil* util();

// A status vector owned for the length of a scope.
class Status {
public:
    Status();
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    Firebird::CheckStatusWrapper* get() { return &m_wrapper; }
    bool failed() const;
    // Throws the error the status holds, if any, and clears it.
    void check();
    DbError error() const;
    long gdsCode() const;
    // Whether any error of the vector has this code (the first one names
    // only the general failure; the reason may come later).
    bool holds(long gds) const;
    void clear() { m_wrapper.init(); }

private:
    Firebird::IStatus* m_status;
    Firebird::CheckStatusWrapper m_wrapper;
};

} // namespace db::fb
