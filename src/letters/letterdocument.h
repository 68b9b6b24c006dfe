#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace letters {

// The message shown when a stored letter or template cannot be read as RTF.
inline const QString NotRtfMessage =
    QStringLiteral("DİKKAT! Bu metin RTF biçiminde okunamadı, düz metin olarak açıldı.");

// The font of letter text that names none: RTF's own default, 12 points.
QString letterDefaultFontFamily();

// Fills the document with stored text: the RTF it holds, or when it cannot
// be read as RTF the plain text it is (then false).
bool loadLetter(const QByteArray& stored, QTextDocument& document);

// The RTF of what the document holds, as it is stored; nothing for a
// document without a single character.
QByteArray storedText(const QTextDocument& document);

} // namespace letters
