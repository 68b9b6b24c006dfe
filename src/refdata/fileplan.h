#pragma once

#include "db/query.h"

#include <QColor>
#include <QString>
#include <QStringList>

namespace refdata {

// The standard file plan (SDP): dotted codes under main codes of three
// characters. The sub-codes of a code are the codes that begin with it and
// a full stop; a detail code has none. A code of PlanCodeLength characters
// cannot have any.
inline constexpr int PlanCodeLength = 15;

// Which search box of the file plan picker filters its list.
enum class SearchMode { None, Code, Description };

// The column of the picker's list that holds 1 for a code with sub-codes
// and 0 for any other: the colour rule reads it, so no statement runs per
// drawn cell.
inline const QString SubCodeColumn = QStringLiteral("ALTKOD");

// SORGULA of the file plan picker: every code of three characters or more,
// narrowed in code mode to the codes beginning with the search text and in
// description mode to the descriptions containing it (the database's LIKE
// without regard to Turkish case: "%" and "_" are wildcards), ordered by
// code. Columns KOD, ACIK and SubCodeColumn.
void runPlanQuery(db::Query& query, SearchMode mode, const QString& searchText);

// The choice rule: whether the code has sub-codes, counted on the scratch
// query. A code of PlanCodeLength characters is not looked up.
bool hasSubCodes(db::Query& scratch, const QString& code);

// The colour rule: dark red for a main code, red for a code with sub-codes
// (this wins), an invalid colour (the grid's own) for any other.
QColor planCodeColor(const QString& code, bool subCodes);

// The leaf codes of the plan, the list of the entry screens' file plan
// drop-down: every code no other code continues, ordered by code, in one
// statement for the whole plan. Columns KOD and ACIK.
QStringList leafCodeLines();
void openLeafCodes(db::Query& query);

// The main codes: the picker's second list.
QStringList mainCodeLines();

} // namespace refdata
