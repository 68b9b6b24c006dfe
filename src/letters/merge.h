#pragma once

#include "lettersource.h"

#include <QByteArray>
#include <QString>

namespace letters {

// The merge fields a template may hold, written as plain text in it.
inline const QString FieldSayi = QStringLiteral("[SAYI]");
inline const QString FieldKonu = QStringLiteral("[KONU]");
inline const QString FieldTarih = QStringLiteral("[TARIH]");

// Replaces every occurrence of the field in the RTF source by the value. The
// search runs over the source text: a field whose letters stand apart
// through formatting commands (other fonts or styles inside it) is not
// found, while the letters themselves may be written as \'xx or \uN, and a
// line break of the source inside a field counts for nothing. Letter case
// does not count, and I, ı, İ and i are one letter, so that "[sayı]",
// "[sayi]" and "[SAYİ]" are all "[SAYI]". The value goes in as text of the
// RTF: "\", "{" and "}" escaped so that it cannot break the document, line
// breaks as \line, Turkish letters as their Windows-1254 bytes.
QByteArray replaceField(const QByteArray& rtf, const QString& field, const QString& value);

// The merge of a template: [SAYI] by EVSAY, then [KONU] by KONU, then
// [TARIH] by EVTAR, each over the result of the one before.
QByteArray mergeFields(const QByteArray& rtf, const MergeValues& values);

} // namespace letters
