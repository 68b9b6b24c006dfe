#pragma once

#include "rtfdocument.h"

#include <QByteArray>
#include <QStringView>

namespace rtf {

// The RTF of a document as word processors open it: 7-bit text, Turkish
// letters as \'xx of Windows-1254 under fonts of that character set, other
// characters as \uN with "?" for readers that know no Unicode, lists in the
// \pn form every reader of RTF understands.
QByteArray write(const Document& document);

// Appends text as RTF: "\", "{" and "}" escaped, tabs as \tab, line breaks
// as \line. Letters Windows-1254 has become \'xx, or with rawLetters their
// byte itself; other characters become \uN followed by "?".
void appendText(QByteArray& out, QStringView text, bool rawLetters = false);

} // namespace rtf
