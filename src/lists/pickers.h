#pragma once

#include "lists/documentpicker.h"

namespace lists {

// The three document pickers: one design (DocumentPicker) with a table of
// differences each. Created once at program start and reused; the caller
// opens one through core::Prompter::current().runModal() and then reads
// result().Chosen and result().ChosenKayno.

// Incoming documents that wait for a reply. Takes the theme colours of the
// context when it is created.
class TFRMGELBUL : public DocumentPicker {
    Q_OBJECT
public:
    TFRMGELBUL(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    static const PickerTable& table();
};

// Outgoing documents that wait for a reply.
class TFRMGIDBUL : public DocumentPicker {
    Q_OBJECT
public:
    TFRMGIDBUL(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    static const PickerTable& table();
};

// Every petition the four filters let through. The name box and the two
// reply lists keep what the clerk left in them from one use to the next.
class TFRMDILBUL : public DocumentPicker {
    Q_OBJECT
public:
    TFRMDILBUL(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    static const PickerTable& table();
};

} // namespace lists
