#pragma once

#include "registertable.h"

#include "widgets/screen.h"

namespace registers {

// An entry screen as its browse list sees it: before opening it the list
// writes EntryMode and, to change a document, EntryKayno; in New mode the
// screen writes the key it drew. After the screen has closed the list reads
// EntryKayno back to find the document again.
class EntryScreen : public widgets::Screen {
    Q_OBJECT
public:
    using widgets::Screen::Screen;

    registers::EntryMode EntryMode = registers::EntryMode::New;
    int EntryKayno = 0;

    // Nothing an entry screen holds is saved before "F5-Kayıt".
    bool holdsUnsavedWork() const override { return true; }
};

} // namespace registers
