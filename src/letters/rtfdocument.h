#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// Formatted text as letters and templates store it, read from and written
// to RTF without any widget. Lengths are in twips (1/20 point), sizes in
// half points, as RTF counts them.
namespace rtf {

struct CharFormat {
    QString font;        // family name; empty for the reader's default
    int halfPoints = 24; // \fs
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<uint32_t> color; // 0xRRGGBB; none for the automatic colour

    bool operator==(const CharFormat&) const = default;
};

// Text of one format. Line breaks inside a paragraph are U+2028.
struct Run {
    QString text;
    CharFormat format;

    bool operator==(const Run&) const = default;
};

enum class Alignment { Left, Center, Right, Justify };

enum class ListKind { None, Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    int firstIndent = 0; // \fi: the first line, from the left indent
    int leftIndent = 0;  // \li
    int rightIndent = 0; // \ri
    int spaceBefore = 0; // \sb
    int spaceAfter = 0;  // \sa
    ListKind list = ListKind::None;
    int listLevel = 0; // from 0
    // Which list the paragraph belongs to; paragraphs of one list number
    // on from each other. 0 outside lists.
    int listId = 0;

    bool operator==(const ParagraphFormat&) const = default;
};

struct Paragraph {
    ParagraphFormat format;
    // The bullet or number as shown before the text ("•", "1.", "a)"),
    // without the tab that follows it; empty outside lists.
    QString marker;
    QList<Run> runs;
    // The format of the paragraph mark: the height of an empty line.
    CharFormat markFormat;

    QString text() const;
    bool operator==(const Paragraph&) const = default;
};

struct Document {
    QList<Paragraph> paragraphs;

    bool isEmpty() const;
    bool operator==(const Document&) const = default;
};

// The text as administrators and searches read it: one line per paragraph,
// tabs as tabs, a list's bullet or number and its tab before the text.
QString plainText(const Document& document);

// The text around the number of a numbered list's marker: "(" before it,
// "." or ")" after it.
struct MarkerAffixes {
    QString prefix;
    QString suffix;
};
MarkerAffixes markerAffixes(const QString& marker);

// The bullet or number a list paragraph shows as its position-th item
// (from 1) when its RTF gave no text for it.
QString listMarker(ListKind kind, int position);

} // namespace rtf
