#pragma once

#include <QString>

namespace core {

// Turkish alphabetical order and Turkish case in the engine's own terms.
// The text columns hold Windows-1254 bytes under character set NONE, which
// the engine sorts by byte and folds only in ASCII. Read as WIN1254 under
// the collation PXW_TURK the same bytes sort A B C Ç D E F G Ğ H I İ J ... Ö
// ... Ş ... Ü ... Z without regard to case, and UPPER folds i to İ and ı to
// I. The stored bytes never change; such an order or match uses no index, so
// it is kept to name lists and typed text.

// A text column (or any text expression) of at most length characters, read
// in Turkish: the sort key of a name list.
QString turkishText(const QString& column, int length);

// "ORDER BY" and the Turkish sort key of the column: the ordering line of a
// list ordered by a name or a description.
QString turkishOrderBy(const QString& column, int length);

// The column folded to Turkish upper case, for a comparison that does not
// regard case.
QString turkishFolded(const QString& column, int length);

// A condition of the system with both sides folded: column, the comparison
// as the system writes it (" LIKE  ", " CONTAINING "), then the parameter
// (":AA") read as text of at most parameterLength characters. The rest of
// the condition, its wildcards included, keeps its meaning: "dilek%" finds
// "Dilekçe", "%izin%" finds "İZİN".
QString caseBlindCondition(const QString& column, int columnLength, const QString& comparison,
                           const QString& parameter, int parameterLength);

// "text CONTAINING :W" without regard to Turkish case: CONTAINING under
// PXW_TURK already compares the two letters I/ı and İ/i the Turkish way, so
// neither side needs folding, and a search over many rows is a third faster.
QString caseBlindContaining(const QString& column, int columnLength, const QString& parameter,
                            int parameterLength);

// The same folding on this side, for what the screens compare themselves:
// "istanbul" -> "İSTANBUL", "ışık" -> "IŞIK".
QString turkishUpper(const QString& text);

// Whether folding changes nothing in the text (digits, dots, blanks): a
// comparison of it needs no folding and can use an index.
bool caseless(const QString& text);

// The beginning of a LIKE pattern up to its first wildcard ("%" or "_") or
// the first letter that has a case: a STARTING WITH of it gives the engine
// an index to narrow a case-blind prefix search. Empty when there is none.
QString indexablePrefix(const QString& likePattern);

} // namespace core
