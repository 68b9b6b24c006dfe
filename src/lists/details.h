#pragma once

#include "lists/documentdetail.h"

namespace lists {

// The three detail views: one design (DocumentDetail) with a table of
// differences each. Created once at program start and reused; the ledger
// sets DetailKayno and opens the view through core::Prompter::current().

// An incoming document, its reply and the outgoing document it answers.
class TFRMGELDET : public DocumentDetail {
    Q_OBJECT
public:
    TFRMGELDET(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    static const DetailTable& table();
};

// An outgoing document, its reply and the incoming document or petition it
// answers (as its ILGDUR says).
class TFRMGIDDET : public DocumentDetail {
    Q_OBJECT
public:
    TFRMGIDDET(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    static const DetailTable& table();
};

// A petition and its reply.
class TFRMDILDET : public DocumentDetail {
    Q_OBJECT
public:
    TFRMDILDET(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    static const DetailTable& table();
};

} // namespace lists
