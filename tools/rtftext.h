#pragma once

#include "tools/admincommand.h"

namespace tools {

// dorpak-admin rtf-text FILE.rtf: the plain text of an RTF file in UTF-8,
// read by the program's own reader: one line per paragraph, tabs as tabs,
// a list's bullet or number and its tab before the item's text. A file
// that is no RTF, or a damaged one, is printed as the text it holds, with
// a warning on the error output.
extern const AdminCommand RtfTextCommand;

} // namespace tools
