#pragma once

#include <QString>

// The reversible encoding of the passwords kept in USERS.PSSWD.
// mode "1" encodes, "2" decodes; any other mode gives an empty text.
//
// Each character is taken as its Windows-1254 byte b and, at position i
// (from 1), becomes the character whose code is b + i + 5 (encoding) or
// b - i - 5 (decoding), counted as an unsigned 16-bit value. A character
// Windows-1254 lacks, on the way in or on the way out, becomes "?". The
// result holds at most ten characters. Stored passwords of every
// workstation depend on this exact rule.
QString SIFRELE(const QString& mode, const QString& text);

// Whether a password comes back as typed from its stored form: some letters
// (and anything after the tenth character) do not survive SIFRELE, and a
// password holding them could never be typed again. The screens and tools
// that set a password refuse one that does not.
bool passwordSurvivesEncoding(const QString& password);
