#pragma once

#include "rtfdocument.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace rtf {

// The font of text that names none, as written and as a letter starts.
inline const QString DefaultFontFamily = QStringLiteral("Times New Roman");

// The RTF of a document as word processors open it: 7-bit text, letters
// beyond ASCII as \uN followed by their Windows-1254 byte (\'xx, under fonts
// of that character set) for readers that know no \uN, or "?" where
// Windows-1254 has none; lists in the \pn form every reader of RTF
// understands.
QByteArray write(const Document& document);

// Appends text as RTF: "\", "{" and "}" escaped, tabs as \tab, line breaks
// as \line. Other characters become \uN followed by their Windows-1254 byte
// as \'xx, or "?" where it has none; with rawLetters a character that
// Windows-1254 has is its byte itself.
void appendText(QByteArray& out, QStringView text, bool rawLetters = false);

} // namespace rtf
