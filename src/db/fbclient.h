#pragma once

// The one place that talks to libfbclient. The library is loaded when the
// first database is opened, so that a machine without it still starts the
// program and reaches the system settings screen.

#include "dberror.h"

#include <firebird/Interface.h>

#include <type_traits>
#include <utility>

namespace db::fb {

// The status type every call of the program hands to the client.
using Wrapper = Firebird::CheckStatusWrapper;

// Loads the client library on first use; throws DbOpenError with
// ClientLibraryMissing when it cannot be loaded.
Firebird::IMaster* master();
Firebird::IUtil* util();

// Owns one interface of the client (an attachment, a transaction, a
// statement, a cursor, a blob, metadata, a parameter builder) and lets it go
// when the holder goes, on every path, an exception's included.
//
// The calls that end such an object on the server (detach, commit,
// rollback, free, close, cancel) also release the interface when they
// succeed; when they fail it is still ours and must be released without
// them. finish() makes one of those calls and lets the interface go only
// when it succeeded.
template <typename T> class Handle {
public:
    Handle() = default;
    explicit Handle(T* interface) : m_ptr(interface) {}
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_ptr = std::exchange(other.m_ptr, nullptr);
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

    // Gives up the interface without a call (the server has let it go).
    T* release() { return std::exchange(m_ptr, nullptr); }
    void reset(T* interface = nullptr)
    {
        if (T* old = std::exchange(m_ptr, interface))
            drop(old);
    }

    // end is the ending call, e.g. &Firebird::IBlob::close<Wrapper>. True when it
    // succeeded; on failure the status holds why and the holder keeps the
    // interface (released with it).
    template <typename Status, typename End> bool finish(Status& status, End end)
    {
        if (!m_ptr)
            return true;
        (m_ptr->*end)(status.get());
        if (status.failed())
            return false;
        m_ptr = nullptr;
        return true;
    }

private:
    static void drop(T* interface)
    {
        if constexpr (std::is_base_of_v<Firebird::IDisposable, T>)
            interface->dispose();
        else
            interface->release();
    }

    T* m_ptr = nullptr;
};

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
    // Every code of the vector, the general failure first.
    std::vector<long> codes() const;
    void clear() { m_wrapper.init(); }

private:
    Firebird::IStatus* m_status;
    Firebird::CheckStatusWrapper m_wrapper;
};

} // namespace db::fb
