#pragma once

#include "db/database.h"
#include "db/query.h"

namespace core {

// The program's one transaction as the screens see it: it is always there,
// commit() makes the work since the last commit point permanent and visible
// to the other workstations, rollback() undoes it, and the next statement
// goes on in a transaction of the same kind.
class Transaction {
public:
    explicit Transaction(db::Database& db) : m_db(db) {}
    bool active() const { return m_db.inTransaction(); }
    void commit() { m_db.commit(); }
    void rollback() { m_db.rollback(); }

private:
    db::Database& m_db;
};

// The data module: the one connection, its transaction and the two scratch
// queries every routine uses for its ad-hoc statements (close, clear, add
// the lines, bind by position, open or execute).
class TDM {
public:
    TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    db::Database IBDATABASE;
    Transaction FDTransaction1{IBDATABASE};
    db::Query QRSORGU{IBDATABASE};
    // For a statement that must run while QRSORGU is being read.
    db::Query QRSORGU1{IBDATABASE};
};

} // namespace core
