#pragma once

#include <QStringList>

namespace tools {

// dorpak-admin rtf-text FILE.rtf: the plain text of an RTF file in UTF-8,
// read by the program's own reader: one line per paragraph, tabs as tabs,
// a list's bullet or number and its tab before the item's text. A file
// that is no RTF, or a damaged one, is printed as the text it holds, with
// a warning on the error output.
int rtfText(const QStringList& args);

inline const char* const RtfTextUsage =
    "  rtf-text FILE.rtf\n"
    "      Print the plain text of an RTF letter or template in UTF-8: one line per\n"
    "      paragraph, tabs as tabs, bullets and numbers as their text.\n";

} // namespace tools
