#pragma once

#include "report/table.h"

namespace lists {

// The eight printed layouts of the ledgers: the three lists ("Liste
// Yazdır") and the five register books, each a table of columns for the one
// ruled-table engine (report::TableLayout). The layouts read the ledger's
// result by column name; a column the result does not carry prints empty.

const report::TableDesign& TQRPGELLIST();
const report::TableDesign& TQRPGELDEF1();
const report::TableDesign& TQRPGELDEF2();
const report::TableDesign& TQRPGIDLIST();
const report::TableDesign& TQRPGIDDEF1();
const report::TableDesign& TQRPGIDDEF2();
const report::TableDesign& TQRPDILLIST();
const report::TableDesign& TQRPDILDEF1();

} // namespace lists
