#pragma once

#include "rtfdocument.h"

#include <QTextFormat>

class QTextBlock;
class QTextDocument;

namespace rtf {

// What a block and a list of the editor keep of their RTF beyond what the
// editor shows, so that they are written back as they were read.
enum : int {
    // The \fi of a list paragraph: where its bullet hangs.
    ListFirstIndentProperty = QTextFormat::UserProperty + 0x5246,
    // A list's \ilvl, the list of RTF it came from, and its bullet.
    ListLevelProperty,
    ListIdProperty,
    ListBulletProperty,
};

// 1 twip = 1/20 point; the editor counts 4/3 pixels to the point.
constexpr double PixelsPerTwip = 1.0 / 15.0;

// The indent levels of a block, its own and its list's; each level is the
// document's indentWidth() wide.
int indentLevels(const QTextBlock& block);

// Fills the text document with the document: one block per paragraph, its
// runs as formatted text, list paragraphs in lists.
void toTextDocument(const Document& document, QTextDocument& target);

// The document as the text document holds it.
Document fromTextDocument(const QTextDocument& source);

} // namespace rtf
