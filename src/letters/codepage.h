#pragma once

#include <QByteArray>
#include <QString>

namespace rtf {

// The code page that Windows-1254 letters and templates are stored in.
constexpr int TurkishCodePage = 1254;
// Not a Windows code page: the symbol fonts, whose bytes are glyph numbers.
constexpr int SymbolCodePage = 42;

// The code page of a font's \fcharset; ansiCodePage stands for the
// document's own (\ansicpg) where the charset says "default".
int codePageOfCharset(int charset, int ansiCodePage);

// Decodes 8-bit text of a Windows code page; a byte the code page cannot
// decode becomes U+FFFD. An unknown code page is read as Windows-1252.
QString decode(int codePage, const char* bytes, qsizetype size);
inline QString decode(int codePage, const QByteArray& bytes)
{
    return decode(codePage, bytes.constData(), bytes.size());
}

// One byte of a single-byte code page as its character.
char16_t decodeByte(int codePage, unsigned char byte);

// The byte of a character in a single-byte code page; -1 when it has none.
int encodeChar(int codePage, char16_t unit);

} // namespace rtf
