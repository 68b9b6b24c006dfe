#pragma once

#include "report/table.h"

namespace lists {

// The eight printed layouts of the ledgers: the three lists ("Liste
// Yazdır") and the five register books, each a table of columns for the one
// ruled-table engine (report::TableLayout). The layouts read the ledger's
// result by column name; a column the result does not carry prints empty.

const report::TableSpec& TQRPGELLIST();
const report::TableSpec& TQRPGELDEF1();
const report::TableSpec& TQRPGELDEF2();
const report::TableSpec& TQRPGIDLIST();
const report::TableSpec& TQRPGIDDEF1();
const report::TableSpec& TQRPGIDDEF2();
const report::TableSpec& TQRPDILLIST();
const report::TableSpec& TQRPDILDEF1();

} // namespace lists
