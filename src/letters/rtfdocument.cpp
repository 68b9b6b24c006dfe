#include "rtfdocument.h"

#include <algorithm>

namespace rtf {
namespace {

QString roman(int n, bool upper)
{
    static const struct {
        int value;
        const char* digits;
    } table[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"},
                 {90, "xc"},  {50, "l"},   {40, "xl"}, {10, "x"},   {9, "ix"},
                 {5, "v"},    {4, "iv"},   {1, "i"}};
    QString out;
    n = std::clamp(n, 1, 3999);
    for (const auto& t : table)
        while (n >= t.value) {
            out += QLatin1String(t.digits);
            n -= t.value;
        }
    return upper ? out.toUpper() : out;
}

QString letters(int n, bool upper)
{
    // a..z, then aa..zz, as word processors count on.
    n = std::max(n, 1);
    const QChar c = QChar(char16_t((upper ? u'A' : u'a') + (n - 1) % 26));
    return QString((n - 1) / 26 + 1, c);
}

} // namespace

QString Paragraph::text() const
{
    QString out;
    for (const Run& r : runs)
        out += r.text;
    return out;
}

bool Document::isEmpty() const
{
    for (const Paragraph& p : paragraphs)
        for (const Run& r : p.runs)
            if (!r.text.isEmpty())
                return false;
    return true;
}

MarkerAffixes markerAffixes(const QString& marker)
{
    qsizetype start = 0, end = marker.size();
    while (start < end && !marker[start].isLetterOrNumber())
        ++start;
    while (end > start && !marker[end - 1].isLetterOrNumber())
        --end;
    return {marker.left(start), marker.mid(end)};
}

QString listMarker(ListKind kind, int position)
{
    switch (kind) {
    case ListKind::None:
        return QString();
    case ListKind::Bullet:
        return QStringLiteral("\u2022");
    case ListKind::Decimal:
        return QString::number(position) + QLatin1Char('.');
    case ListKind::LowerAlpha:
        return letters(position, false) + QLatin1Char(')');
    case ListKind::UpperAlpha:
        return letters(position, true) + QLatin1Char('.');
    case ListKind::LowerRoman:
        return roman(position, false) + QLatin1Char('.');
    case ListKind::UpperRoman:
        return roman(position, true) + QLatin1Char('.');
    }
    return QString();
}

QString plainText(const Document& document)
{
    QString out;
    for (qsizetype i = 0; i < document.paragraphs.size(); ++i) {
        const Paragraph& p = document.paragraphs[i];
        if (i > 0)
            out += QLatin1Char('\n');
        if (!p.marker.isEmpty())
            out += p.marker + QLatin1Char('\t');
        for (const Run& r : p.runs) {
            QString t = r.text;
            t.replace(QChar::LineSeparator, QLatin1Char('\n'));
            out += t;
        }
    }
    return out;
}

} // namespace rtf
