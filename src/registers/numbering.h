#pragma once

#include <QString>
#include <QVariant>

namespace db {
class Query;
}

namespace registers {

// The column of a register that holds its registry number: GELEN.GELNO,
// GIDEN.GIDNO.
struct NumberColumn {
    QString table;
    QString column;
};

inline const NumberColumn GelenNumber{QStringLiteral("GELEN"), QStringLiteral("GELNO")};
inline const NumberColumn GidenNumber{QStringLiteral("GIDEN"), QStringLiteral("GIDNO")};

// Gives the stored document with key kayno the registry number of its
// register: the highest number stored plus one (1 on an empty register), and
// returns it. The caller has already stored the row without a number and
// commits right after, so the number is taken at the last moment of saving.
//
// Workstations saving at the same moment must never take the same number.
// Before reading the highest number the statement locks the single row of
// TANIM: a second workstation doing the same waits there until the first has
// committed and then reads a maximum that includes the first one's number.
// The lock lasts only from here to the commit of the saving. Readers of
// TANIM do not wait for it, every yearly file has the row, and the row is
// otherwise written only where the general definitions and the schema
// version are saved, each committed at once. A register's own rows would
// not do: the first or the last one changes as documents come and go, and
// two workstations locking different rows would not wait for each other.
int assignRegistryNumber(db::Query& scratch, const NumberColumn& number, int kayno);

// A running number within a group of documents, as the department and the
// grade number their documents (BSIRNO per BKOD, GSIRNO per GIZDER): the
// highest number of the group plus one, 1 for an empty group.
int nextNumberInGroup(db::Query& scratch, const QString& table, const QString& column,
                      const QString& groupColumn, const QVariant& group);

} // namespace registers
