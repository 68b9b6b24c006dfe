#pragma once

#include "registertable.h"

namespace registers {

// What an entry screen keeps of its document in rows of their own beside
// the record: the scanned pages of an incoming document, the letter of an
// outgoing one. Each change is written at once inside the program's one
// transaction, so the entry's saving commits it with the record and its
// cancelling rolls it back; saving needs to know nothing of them.
class EntryAttachment {
public:
    virtual ~EntryAttachment() = default;

    // The entry opened a new document (nothing of it stored yet) or the
    // stored document of the key.
    virtual void setUp(EntryMode mode, int kayno) = 0;
    // The entry closed: nothing of the document is kept.
    virtual void close() = 0;
};

} // namespace registers
