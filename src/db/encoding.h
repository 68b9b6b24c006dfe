#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string_view>

namespace db {

// Text columns hold Windows-1254 bytes (the connection names no character
// set). Every string crosses the boundary through these two functions.
// A character Windows-1254 lacks is stored as "?".
QByteArray toDbText(const QString& text);
QString fromDbText(std::string_view bytes);
inline QString fromDbText(const QByteArray& bytes)
{
    return fromDbText(std::string_view(bytes.constData(), size_t(bytes.size())));
}

// The characters of text that Windows-1254 cannot hold (each would be
// stored as "?"), each once, in the order they first appear; a character
// outside the basic plane (an emoji) stays whole. Empty when the text can
// be stored as it is.
QStringList charactersNotInCodePage(const QString& text);

// Appends the encoding of text to out; used on the hot path of binding.
void appendDbText(std::string& out, const QString& text);

} // namespace db
