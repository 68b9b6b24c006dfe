#pragma once

#include "links.h"
#include "numbering.h"

#include <QString>
#include <QStringList>

namespace registers {

// How an entry screen is opened: to register a new document or to change
// the one the browse list points at.
enum class EntryMode { New, Edit };

// What the entry and list code does otherwise for each of the three
// registers. The incoming register is the model; the outgoing and petition
// registers differ in the values of this table.
struct RegisterTable {
    Register reg = Register::Gelen;
    QString table;        // GELEN
    QString numberColumn; // GELNO: the registry number ("Kay.No")
    QString dateColumn;   // GELTAR: the registration date
    QString keyGenerator; // GEN_GELKAYNO: KAYNO of a new document
    // Set to the highest remaining number after a deletion; a register
    // without a highest-plus-one number also draws its numbers from it.
    QString numberGenerator;
    // The highest stored number plus one at saving (incoming, outgoing);
    // otherwise the number generator (petitions).
    bool numberFromHighest = true;
    // The date columns of the record: typed through the date mask.
    QStringList dateColumns;
    // A clerk tied to a department may give documents only to it.
    bool departmentTiedToUser = true;
    // BSIRNO and GSIRNO are numbered on a new document when its department
    // or grade is chosen (the outgoing entry keeps them without showing them).
    bool numbersInGroups = false;
    // Rows of TEXT keyed by the document's KAYNO belong to it (the scanned
    // pages of an incoming document, the letter of an outgoing one) and go
    // with it. A petition's key comes from a generator of its own: TEXT
    // rows of its KAYNO are another document's.
    bool ownsTextRows = false;

    NumberColumn number() const { return {table, numberColumn}; }
};

const RegisterTable& incomingRegister();
const RegisterTable& outgoingRegister();
const RegisterTable& petitionRegister();

} // namespace registers
