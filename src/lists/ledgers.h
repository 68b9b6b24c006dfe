#pragma once

#include "lists/ledger.h"

namespace lists {

// The three register ledgers: one design (Ledger) with a table of
// differences each, opened from "Raporlar". Created once at program start
// and reused; the program hands each its detail view (and the petition
// ledger its picker) after building them in its fixed order, and the
// three the institution's emblem for their books.

// "Gelen Yazılar Listesi": the incoming register, the register books
// TQRPGELDEF1 and TQRPGELDEF2 and the list TQRPGELLIST.
class TFRMGELLIST : public Ledger {
    Q_OBJECT
public:
    TFRMGELLIST(core::TDM& dm, core::AppContext& ctx, std::function<QImage()> emblem = {},
                QWidget* parent = nullptr);
    static const LedgerTable& table();
};

// "Giden Yazılar Listesi": the outgoing register, TQRPGIDDEF1, TQRPGIDDEF2
// and TQRPGIDLIST.
class TFRMGIDLIST : public Ledger {
    Q_OBJECT
public:
    TFRMGIDLIST(core::TDM& dm, core::AppContext& ctx, std::function<QImage()> emblem = {},
                QWidget* parent = nullptr);
    static const LedgerTable& table();
};

// "Dilekçeler Listesi": the petitions, TQRPDILDEF1 and TQRPDILLIST; its
// lists accept typed text, and "F3-Ara" moves to a petition chosen in the
// petition picker.
class TFRMDILLIST : public Ledger {
    Q_OBJECT
public:
    TFRMDILLIST(core::TDM& dm, core::AppContext& ctx, std::function<QImage()> emblem = {},
                QWidget* parent = nullptr);
    static const LedgerTable& table();
};

// "Genel Liste": the documents of every register, or of the one "Türü"
// names, narrowed by institution, department, reply expected, month and
// grade as in the ledgers; "F2-Detay" opens the detail view of the row's
// register. The rows of each register are in KAYNO order.
class TFRMGENLST : public Ledger {
    Q_OBJECT
public:
    TFRMGENLST(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    static const LedgerTable& table();

    // One register the list can hold: its name in "Türü", its select and
    // join lines (the same result columns for all; TUR numbers the register
    // from 1 in this order) and its filters.
    struct Branch {
        QString type;
        QStringList selectLines;
        QList<widgets::Filter> filters;
    };
    static const QList<Branch>& branches();

    void setDetailViews(DocumentDetail* incoming, DocumentDetail* outgoing,
                        DocumentDetail* petition);
    void SORGULA() override;

protected:
    DocumentDetail* detailView() const override;

private:
    DocumentDetail* m_views[3] = {nullptr, nullptr, nullptr};
};

} // namespace lists
