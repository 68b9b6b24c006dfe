#pragma once

#include "appcontext.h"
#include "tdm.h"

#include <QString>

namespace core {

// The two theme colours of a TANIM.RNK value, as Windows colour values.
struct ThemeColors {
    QString form;
    QString panel;
};
// "M" blue, "T" orange, anything else green ("Y").
ThemeColors themeColors(const QString& rnk);

// Reads the per-user settings into the context (YIL cut to four characters,
// BFORM to one, defaults for what is missing), stores YIL and YOL back at
// once, and opens the working year's file. Any database error of the
// opening sets DbOpenFailed and shows nothing; on success TANIMOKU runs.
// Returns true when the database is open.
bool IBASEAC(TDM& dm, AppContext& ctx);

// Reads the single TANIM row into the context: institution, login flag,
// theme colours, preview flag; and the name of the user's department when
// the user is bound to one.
void TANIMOKU(TDM& dm, AppContext& ctx);

// A stored date split as the main window shows it.
struct DateParts {
    int day = 0;
    int month = 0;
    int year = 0;
    QString monthName;   // "OCAK" ... "ARALIK"
    QString weekdayName; // of today, whatever the text: "PAZAR" ... "CUMARTESİ"
};
// Splits a dd.mm.yyyy text; throws std::invalid_argument when it is no date.
DateParts TARIHBUL(const QString& dateText);

// "9-ARALIK(12)-2026": numbers without leading zeros.
QString dateLabelText(const DateParts& parts);

// Hours and minutes of the current time, "14:05", as the clock shows it.
QString clockText();

} // namespace core
