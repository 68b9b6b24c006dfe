#include "rtfwriter.h"

#include "codepage.h"

#include <vector>

namespace rtf {
namespace {

void appendNumber(QByteArray& out, const char* word, int value)
{
    out += word;
    out += QByteArray::number(value);
}

class Writer {
public:
    explicit Writer(const Document& document) : m_doc(document) {}
    QByteArray run();

private:
    int fontIndex(const QString& name);
    int colorIndex(uint32_t rgb);
    void collect(const CharFormat& f);
    void charFormat(const CharFormat& f);
    void paragraph(const Paragraph& p, const Paragraph* previous);

    const Document& m_doc;
    QStringList m_fonts;
    std::vector<uint32_t> m_colors;
    QByteArray m_out;
};

int Writer::fontIndex(const QString& name)
{
    const qsizetype i = m_fonts.indexOf(name.isEmpty() ? DefaultFontFamily : name);
    return i < 0 ? 0 : int(i);
}

int Writer::colorIndex(uint32_t rgb)
{
    for (size_t i = 0; i < m_colors.size(); ++i)
        if (m_colors[i] == rgb)
            return int(i) + 1;
    return 0;
}

void Writer::collect(const CharFormat& f)
{
    const QString name = f.font.isEmpty() ? DefaultFontFamily : f.font;
    if (!m_fonts.contains(name))
        m_fonts << name;
    if (f.color && colorIndex(*f.color) == 0)
        m_colors.push_back(*f.color);
}

void Writer::charFormat(const CharFormat& f)
{
    appendNumber(m_out, "\\plain\\f", fontIndex(f.font));
    appendNumber(m_out, "\\fs", f.halfPoints);
    if (f.bold)
        m_out += "\\b";
    if (f.italic)
        m_out += "\\i";
    if (f.underline)
        m_out += "\\ul";
    if (f.strike)
        m_out += "\\strike";
    if (f.color)
        appendNumber(m_out, "\\cf", colorIndex(*f.color));
    m_out += ' ';
}

const char* numberingWord(ListKind kind)
{
    switch (kind) {
    case ListKind::LowerAlpha:
        return "\\pnlcltr";
    case ListKind::UpperAlpha:
        return "\\pnucltr";
    case ListKind::LowerRoman:
        return "\\pnlcrm";
    case ListKind::UpperRoman:
        return "\\pnucrm";
    default:
        return "\\pndec";
    }
}

void Writer::paragraph(const Paragraph& p, const Paragraph* previous)
{
    const ParagraphFormat& f = p.format;
    const bool list = f.list != ListKind::None;
    // The items after the first of a list keep the numbering the first one
    // set (no \pard between them), as numbering goes on only so in the
    // readers that know the \pn form alone.
    const bool continues =
        list && previous && previous->format.list == f.list && previous->format.listId == f.listId;
    if (!continues)
        m_out += "\\pard";
    switch (f.alignment) {
    case Alignment::Left:
        m_out += "\\ql";
        break;
    case Alignment::Center:
        m_out += "\\qc";
        break;
    case Alignment::Right:
        m_out += "\\qr";
        break;
    case Alignment::Justify:
        m_out += "\\qj";
        break;
    }
    appendNumber(m_out, "\\fi", f.firstIndent);
    appendNumber(m_out, "\\li", f.leftIndent);
    appendNumber(m_out, "\\ri", f.rightIndent);
    appendNumber(m_out, "\\sb", f.spaceBefore);
    appendNumber(m_out, "\\sa", f.spaceAfter);
    if (list) {
        const QString marker = p.marker.isEmpty() ? listMarker(f.list, 1) : p.marker;
        m_out += "{\\pntext\\f0 ";
        appendText(m_out, marker);
        m_out += "\\tab}";
        if (!continues) {
            if (f.list == ListKind::Bullet) {
                m_out += "{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb ";
                appendText(m_out, marker);
                m_out += "}}";
            } else {
                const MarkerAffixes around = markerAffixes(marker);
                m_out += "{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1";
                m_out += numberingWord(f.list);
                if (!around.prefix.isEmpty()) {
                    m_out += "{\\pntxtb ";
                    appendText(m_out, around.prefix);
                    m_out += '}';
                }
                if (!around.suffix.isEmpty()) {
                    m_out += "{\\pntxta ";
                    appendText(m_out, around.suffix);
                    m_out += '}';
                }
                m_out += '}';
            }
        }
        appendNumber(m_out, "\\ilvl", f.listLevel);
    }
    const CharFormat* current = nullptr;
    for (const Run& r : p.runs) {
        if (!current || !(*current == r.format)) {
            charFormat(r.format);
            current = &r.format;
        }
        appendText(m_out, r.text);
    }
    if (p.runs.isEmpty())
        charFormat(p.markFormat);
    m_out += "\\par\r\n";
}

QByteArray Writer::run()
{
    for (const Paragraph& p : m_doc.paragraphs) {
        for (const Run& r : p.runs)
            collect(r.format);
        if (p.runs.isEmpty())
            collect(p.markFormat);
    }
    if (m_fonts.isEmpty())
        m_fonts << DefaultFontFamily;
    m_out.reserve(1024);
    m_out += "{\\rtf1\\ansi\\ansicpg1254\\deff0\\deflang1055{\\fonttbl";
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        appendNumber(m_out, "{\\f", int(i));
        m_out += "\\fnil\\fcharset162 ";
        appendText(m_out, m_fonts[i]);
        m_out += ";}";
    }
    m_out += "}\r\n";
    if (!m_colors.empty()) {
        m_out += "{\\colortbl ;";
        for (const uint32_t c : m_colors) {
            appendNumber(m_out, "\\red", int((c >> 16) & 0xFF));
            appendNumber(m_out, "\\green", int((c >> 8) & 0xFF));
            appendNumber(m_out, "\\blue", int(c & 0xFF));
            m_out += ';';
        }
        m_out += "}\r\n";
    }
    m_out += "\\viewkind4\\uc1\r\n";
    const Paragraph* previous = nullptr;
    for (const Paragraph& p : m_doc.paragraphs) {
        paragraph(p, previous);
        previous = &p;
    }
    m_out += "}\r\n";
    return m_out;
}

} // namespace

QByteArray write(const Document& document)
{
    return Writer(document).run();
}

void appendText(QByteArray& out, QStringView text, bool rawLetters)
{
    static const char hex[] = "0123456789abcdef";
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        switch (u) {
        case u'\\':
        case u'{':
        case u'}':
            out += '\\';
            out += char(u);
            continue;
        case u'\t':
            out += "\\tab ";
            continue;
        case u'\n':
        case u'\u2028':
        case u'\u2029':
            out += "\\line ";
            continue;
        case u'\u00A0':
            out += "\\~";
            continue;
        case u'\u00AD':
            out += "\\-";
            continue;
        case u'\u2011':
            out += "\\_";
            continue;
        case u'\uFFFC':
            continue; // a picture or object of the editor
        default:
            break;
        }
        if (u < 0x20)
            continue;
        if (u < 0x80) {
            out += char(u);
            continue;
        }
        const int b = encodeChar(TurkishCodePage, u);
        if (b >= 0 && rawLetters) {
            out += char(b);
            continue;
        }
        // The character itself for every reader that knows \uN, whatever
        // code page it assumes; its Windows-1254 byte for the others.
        appendNumber(out, "\\u", int(int16_t(u)));
        if (b >= 0) {
            out += "\\'";
            out += hex[(b >> 4) & 0xF];
            out += hex[b & 0xF];
        } else {
            out += '?';
        }
    }
}

} // namespace rtf
