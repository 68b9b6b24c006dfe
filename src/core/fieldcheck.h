#pragma once

#include <QString>

namespace core {

// What a clerk types is stored only as it is: a date must be a day of the
// calendar, a text must fit its column and hold only characters the file's
// code page has. Nothing is cut or replaced; a value that cannot be stored
// is refused with a message naming the field, and the clerk puts it right.

// dd.mm.yyyy naming a real day: 31.02.2026, 00.00.0000 and a date typed in
// part are none.
bool isCalendarDate(const QString& text);

// The message refusing a date typed into the field; empty when it is one.
QString dateRefusal(const QString& field, const QString& text);

// What is wrong with a text for a column of maxLength characters (0: no
// limit), in a few words for a box's mark; empty when it can be stored.
QString textProblem(const QString& text, int maxLength);

// The message refusing a text typed into the field; empty when it can be
// stored as it is.
QString textRefusal(const QString& field, const QString& text, int maxLength);

// What is wrong with the digits typed for an integer column holding at most
// maximum (0: no limit), for a box's mark; empty when they can be stored.
QString numberProblem(const QString& digits, qint64 maximum);

// The message refusing the digits typed into the field; empty when they can
// be stored.
QString numberRefusal(const QString& field, const QString& digits, qint64 maximum);

} // namespace core
