#pragma once

#include "rtfdocument.h"

#include <QByteArray>

namespace rtf {

enum class ReadStatus {
    Ok,
    Empty,   // nothing stored
    NotRtf,  // text without the RTF header: another program's plain text
    Damaged, // an RTF header, but its groups do not close where they should
};

struct ReadResult {
    Document document;
    ReadStatus status = ReadStatus::Ok;
};

// Reads an RTF document as word processors write it: the font table with
// its character sets, \ansicpg, \'xx, \uN with its fallback and \ucN, the
// colour table, character and paragraph formatting, lists in their old
// (\pn, \pntext) and newer (\listtable, \ls, \listtext) forms, tabs, line
// and paragraph breaks. Pictures, objects, fields' instructions, headers,
// footers, style sheets and every ignorable group are skipped. Reading never
// fails: a document that is no RTF or is damaged says so in its status, with
// what could be read.
ReadResult read(const QByteArray& bytes);

// The value of a hexadecimal digit, as of \'xx; -1 for any other character.
int hexDigitValue(char c);

// Whether the bytes begin as an RTF document ("{\rtf", after white space).
bool looksLikeRtf(const QByteArray& bytes);

// Stored text that is no RTF, as the text it holds: UTF-8 where it is valid
// UTF-8 with letters beyond ASCII, otherwise Windows-1254.
QString decodePlainText(const QByteArray& bytes);

// The plain text of a stored letter or template (see plainText()); text
// that cannot be read as RTF is given as it is stored.
QString plainTextOf(const QByteArray& stored);

} // namespace rtf
