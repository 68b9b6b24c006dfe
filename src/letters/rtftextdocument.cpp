#include "rtftextdocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <cmath>
#include <map>

namespace rtf {
namespace {

QTextCharFormat toCharFormat(const CharFormat& f)
{
    QTextCharFormat c;
    if (!f.font.isEmpty())
        c.setFontFamilies(QStringList{f.font});
    c.setFontPointSize(f.halfPoints / 2.0);
    c.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    c.setFontItalic(f.italic);
    c.setFontUnderline(f.underline);
    c.setFontStrikeOut(f.strike);
    if (f.color)
        c.setForeground(QColor::fromRgb(QRgb(0xFF000000u | *f.color)));
    return c;
}

CharFormat fromCharFormat(const QTextCharFormat& c, const QFont& fallback)
{
    CharFormat f;
    QStringList families;
    if (c.hasProperty(QTextFormat::FontFamilies))
        families = c.property(QTextFormat::FontFamilies).toStringList();
    if (families.isEmpty() && c.hasProperty(QTextFormat::FontFamily))
        families << c.property(QTextFormat::FontFamily).toString();
    f.font =
        families.isEmpty() || families.first().isEmpty() ? fallback.family() : families.first();
    double points = c.hasProperty(QTextFormat::FontPointSize) ? c.fontPointSize() : 0;
    if (points <= 0)
        points = fallback.pointSizeF() > 0 ? fallback.pointSizeF() : 12;
    f.halfPoints = std::clamp(int(std::lround(points * 2)), 2, 3276);
    f.bold = c.hasProperty(QTextFormat::FontWeight) ? c.fontWeight() >= QFont::DemiBold
                                                    : fallback.bold();
    f.italic = c.hasProperty(QTextFormat::FontItalic) ? c.fontItalic() : fallback.italic();
    f.underline = c.fontUnderline();
    f.strike = c.fontStrikeOut();
    if (c.foreground().style() != Qt::NoBrush)
        f.color = uint32_t(c.foreground().color().rgb() & 0xFFFFFF);
    return f;
}

QTextListFormat::Style listStyle(ListKind kind, const QString& marker)
{
    switch (kind) {
    case ListKind::Bullet:
        if (marker == QStringLiteral("\u25E6") || marker == QLatin1String("o"))
            return QTextListFormat::ListCircle;
        if (marker == QStringLiteral("\u25AA") || marker == QStringLiteral("\u25A0"))
            return QTextListFormat::ListSquare;
        return QTextListFormat::ListDisc;
    case ListKind::Decimal:
        return QTextListFormat::ListDecimal;
    case ListKind::LowerAlpha:
        return QTextListFormat::ListLowerAlpha;
    case ListKind::UpperAlpha:
        return QTextListFormat::ListUpperAlpha;
    case ListKind::LowerRoman:
        return QTextListFormat::ListLowerRoman;
    case ListKind::UpperRoman:
        return QTextListFormat::ListUpperRoman;
    default:
        return QTextListFormat::ListDisc;
    }
}

ListKind listKind(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListDecimal:
        return ListKind::Decimal;
    case QTextListFormat::ListLowerAlpha:
        return ListKind::LowerAlpha;
    case QTextListFormat::ListUpperAlpha:
        return ListKind::UpperAlpha;
    case QTextListFormat::ListLowerRoman:
        return ListKind::LowerRoman;
    case QTextListFormat::ListUpperRoman:
        return ListKind::UpperRoman;
    default:
        return ListKind::Bullet;
    }
}

QString bulletOf(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle:
        return QStringLiteral("\u25E6");
    case QTextListFormat::ListSquare:
        return QStringLiteral("\u25AA");
    default:
        return QStringLiteral("\u2022");
    }
}

int twips(double pixels)
{
    return int(std::lround(pixels / PixelsPerTwip));
}

} // namespace

int indentLevels(const QTextBlock& block)
{
    const QTextList* list = block.textList();
    return block.blockFormat().indent() + (list ? list->format().indent() : 0);
}

void toTextDocument(const Document& document, QTextDocument& target)
{
    target.clear();
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    std::map<std::pair<int, int>, QTextList*> lists;
    bool first = true;
    int previousId = 0;
    for (const Paragraph& p : document.paragraphs) {
        const ParagraphFormat& f = p.format;
        const bool list = f.list != ListKind::None;
        QTextBlockFormat block;
        switch (f.alignment) {
        case Alignment::Left:
            block.setAlignment(Qt::AlignLeft);
            break;
        case Alignment::Center:
            block.setAlignment(Qt::AlignHCenter);
            break;
        case Alignment::Right:
            block.setAlignment(Qt::AlignRight);
            break;
        case Alignment::Justify:
            block.setAlignment(Qt::AlignJustify);
            break;
        }
        // Neither the first line nor the others start left of the page.
        const double left = std::max(0.0, f.leftIndent * PixelsPerTwip);
        const double firstLine = f.firstIndent * PixelsPerTwip;
        block.setLeftMargin(left);
        if (list) {
            // The bullet of a list hangs in the room a negative first-line
            // indent leaves; the text starts at the left indent.
            block.setTextIndent(std::max(0.0, firstLine));
            block.setProperty(ListFirstIndentProperty, f.firstIndent);
        } else {
            block.setTextIndent(std::max(firstLine, -left));
        }
        block.setRightMargin(std::max(0.0, f.rightIndent * PixelsPerTwip));
        block.setTopMargin(f.spaceBefore * PixelsPerTwip);
        block.setBottomMargin(f.spaceAfter * PixelsPerTwip);
        const QTextCharFormat mark = toCharFormat(p.markFormat);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(mark);
            first = false;
        } else {
            cursor.insertBlock(block, mark);
        }
        if (list) {
            // Anonymous lists (only a bullet text to go by) end at the first
            // paragraph outside them.
            const std::pair<int, int> key{f.listId, f.listLevel};
            auto found = lists.find(key);
            if (found != lists.end() && f.listId == -1 && previousId != -1) {
                lists.erase(found);
                found = lists.end();
            }
            if (found == lists.end()) {
                QTextListFormat format;
                format.setStyle(listStyle(f.list, p.marker));
                format.setIndent(0);
                format.setProperty(ListLevelProperty, f.listLevel);
                format.setProperty(ListIdProperty, f.listId);
                if (f.list == ListKind::Bullet)
                    format.setProperty(ListBulletProperty, p.marker);
                if (f.list != ListKind::Bullet) {
                    const MarkerAffixes around = markerAffixes(p.marker);
                    format.setNumberPrefix(around.prefix);
                    format.setNumberSuffix(around.suffix);
                }
                lists[key] = cursor.createList(format);
            } else {
                found->second->add(cursor.block());
            }
        }
        previousId = list ? f.listId : 0;
        for (const Run& r : p.runs)
            cursor.insertText(r.text, toCharFormat(r.format));
    }
    cursor.endEditBlock();
}

Document fromTextDocument(const QTextDocument& source)
{
    Document d;
    const QFont fallback = source.defaultFont();
    const double indentWidth = source.indentWidth();
    std::map<const QTextList*, int> listIds;
    for (QTextBlock b = source.begin(); b.isValid(); b = b.next()) {
        Paragraph p;
        const QTextBlockFormat block = b.blockFormat();
        ParagraphFormat& f = p.format;
        const Qt::Alignment a = block.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            f.alignment = Alignment::Center;
        else if (a & Qt::AlignJustify)
            f.alignment = Alignment::Justify;
        else if (a & Qt::AlignRight)
            f.alignment = Alignment::Right;
        const QTextList* list = b.textList();
        f.leftIndent = twips(indentLevels(b) * indentWidth + block.leftMargin());
        f.rightIndent = twips(block.rightMargin());
        f.spaceBefore = twips(block.topMargin());
        f.spaceAfter = twips(block.bottomMargin());
        if (list) {
            const QTextListFormat lf = list->format();
            f.list = listKind(lf.style());
            f.listLevel = lf.hasProperty(ListLevelProperty) ? lf.intProperty(ListLevelProperty)
                                                            : std::max(0, lf.indent() - 1);
            // Lists the editor made get numbers no list of RTF has.
            auto [it, added] = listIds.emplace(list, lf.hasProperty(ListIdProperty)
                                                         ? lf.intProperty(ListIdProperty)
                                                         : 2000000 + int(listIds.size()));
            f.listId = it->second;
            if (block.textIndent() != 0)
                f.firstIndent = twips(block.textIndent());
            else if (block.hasProperty(ListFirstIndentProperty))
                f.firstIndent = block.intProperty(ListFirstIndentProperty);
            else
                f.firstIndent = -std::min(360, f.leftIndent);
            if (f.list != ListKind::Bullet)
                p.marker = list->itemText(b);
            else if (lf.hasProperty(ListBulletProperty))
                p.marker = lf.stringProperty(ListBulletProperty);
            else
                p.marker = bulletOf(lf.style());
        } else {
            f.firstIndent = twips(block.textIndent());
        }
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            QString text = fragment.text();
            text.remove(QChar::ObjectReplacementCharacter);
            if (text.isEmpty())
                continue;
            const CharFormat format = fromCharFormat(fragment.charFormat(), fallback);
            if (!p.runs.isEmpty() && p.runs.back().format == format)
                p.runs.back().text += text;
            else
                p.runs.append({text, format});
        }
        p.markFormat = fromCharFormat(b.charFormat(), fallback);
        d.paragraphs.append(std::move(p));
    }
    return d;
}

} // namespace rtf
