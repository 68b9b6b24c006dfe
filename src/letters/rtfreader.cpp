#include "rtfreader.h"

#include "codepage.h"

#include <QStringDecoder>

#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rtf {
namespace {

// Where the text of a group goes.
enum class Dest {
    Body,
    Skip,
    FontTable,
    ColorTable,
    Marker,    // \pntext, \listtext: the bullet or number shown
    Numbering, // \*\pn: how the paragraph is numbered
    ListTable,
    List,
    ListOverride,
};

enum class Kw {
    // destinations
    Rtf,
    FontTable,
    ColorTable,
    SkipGroup,
    Marker,
    Numbering,
    ListTable,
    List,
    ListLevel,
    ListOverrideTable,
    ListOverride,
    BodyGroup, // \fldrslt, \result: text of the body after all
    // document
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    DefaultFont,
    Uc,
    U,
    Bin,
    // fonts and colours
    Font,
    Charset,
    Cpg,
    Red,
    Green,
    Blue,
    // characters
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Color,
    Hidden,
    // paragraphs
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    FirstIndent,
    LeftIndent,
    RightIndent,
    SpaceBefore,
    SpaceAfter,
    ListOverrideNumber,
    ListLevelNumber,
    ListId,
    LevelNfc,
    PnBullet,
    PnBody,
    PnCont,
    PnLevel,
    PnDecimal,
    PnUpperAlpha,
    PnLowerAlpha,
    PnUpperRoman,
    PnLowerRoman,
    // characters and breaks
    Par,
    Line,
    Tab,
    Cell,
    InTable,
    EmDash,
    EnDash,
    EmSpace,
    EnSpace,
    Bullet,
    LQuote,
    RQuote,
    LDblQuote,
    RDblQuote,
    Ignore,
};

const std::unordered_map<std::string_view, Kw>& keywords()
{
    static const std::unordered_map<std::string_view, Kw> table = [] {
        std::unordered_map<std::string_view, Kw> t;
        const std::pair<const char*, Kw> entries[] = {
            {"rtf", Kw::Rtf},
            {"fonttbl", Kw::FontTable},
            {"colortbl", Kw::ColorTable},
            {"pntext", Kw::Marker},
            {"listtext", Kw::Marker},
            {"pn", Kw::Numbering},
            {"listtable", Kw::ListTable},
            {"list", Kw::List},
            {"listlevel", Kw::ListLevel},
            {"listoverridetable", Kw::ListOverrideTable},
            {"listoverride", Kw::ListOverride},
            {"fldrslt", Kw::BodyGroup},
            {"result", Kw::BodyGroup},
            {"ansi", Kw::Ansi},
            {"mac", Kw::Mac},
            {"pc", Kw::Pc},
            {"pca", Kw::Pca},
            {"ansicpg", Kw::AnsiCpg},
            {"deff", Kw::DefaultFont},
            {"uc", Kw::Uc},
            {"u", Kw::U},
            {"bin", Kw::Bin},
            {"f", Kw::Font},
            {"fcharset", Kw::Charset},
            {"cpg", Kw::Cpg},
            {"red", Kw::Red},
            {"green", Kw::Green},
            {"blue", Kw::Blue},
            {"plain", Kw::Plain},
            {"b", Kw::Bold},
            {"i", Kw::Italic},
            {"ul", Kw::Underline},
            {"uld", Kw::Underline},
            {"uldash", Kw::Underline},
            {"uldashd", Kw::Underline},
            {"uldashdd", Kw::Underline},
            {"uldb", Kw::Underline},
            {"ulhwave", Kw::Underline},
            {"ulldash", Kw::Underline},
            {"ulth", Kw::Underline},
            {"ulthd", Kw::Underline},
            {"ulthdash", Kw::Underline},
            {"ulthdashd", Kw::Underline},
            {"ulthdashdd", Kw::Underline},
            {"ulthldash", Kw::Underline},
            {"ululdbwave", Kw::Underline},
            {"ulw", Kw::Underline},
            {"ulwave", Kw::Underline},
            {"ulnone", Kw::UnderlineNone},
            {"strike", Kw::Strike},
            {"striked", Kw::Strike},
            {"fs", Kw::FontSize},
            {"cf", Kw::Color},
            {"v", Kw::Hidden},
            {"pard", Kw::Pard},
            {"ql", Kw::AlignLeft},
            {"qc", Kw::AlignCenter},
            {"qr", Kw::AlignRight},
            {"qj", Kw::AlignJustify},
            {"qd", Kw::AlignJustify},
            {"fi", Kw::FirstIndent},
            {"li", Kw::LeftIndent},
            {"lin", Kw::LeftIndent},
            {"ri", Kw::RightIndent},
            {"rin", Kw::RightIndent},
            {"sb", Kw::SpaceBefore},
            {"sa", Kw::SpaceAfter},
            {"ls", Kw::ListOverrideNumber},
            {"ilvl", Kw::ListLevelNumber},
            {"listid", Kw::ListId},
            {"levelnfc", Kw::LevelNfc},
            {"levelnfcn", Kw::LevelNfc},
            {"pnlvlblt", Kw::PnBullet},
            {"pnlvlbody", Kw::PnBody},
            {"pnlvlcont", Kw::PnCont},
            {"pnlvl", Kw::PnLevel},
            {"pndec", Kw::PnDecimal},
            {"pnucltr", Kw::PnUpperAlpha},
            {"pnlcltr", Kw::PnLowerAlpha},
            {"pnucrm", Kw::PnUpperRoman},
            {"pnlcrm", Kw::PnLowerRoman},
            {"par", Kw::Par},
            {"sect", Kw::Par},
            {"page", Kw::Par},
            {"row", Kw::Par},
            {"nestrow", Kw::Par},
            {"line", Kw::Line},
            {"lbr", Kw::Line},
            {"tab", Kw::Tab},
            {"cell", Kw::Cell},
            {"nestcell", Kw::Cell},
            {"intbl", Kw::InTable},
            {"emdash", Kw::EmDash},
            {"endash", Kw::EnDash},
            {"emspace", Kw::EmSpace},
            {"enspace", Kw::EnSpace},
            {"qmspace", Kw::EnSpace},
            {"bullet", Kw::Bullet},
            {"lquote", Kw::LQuote},
            {"rquote", Kw::RQuote},
            {"ldblquote", Kw::LDblQuote},
            {"rdblquote", Kw::RDblQuote},
        };
        for (const auto& [name, kw] : entries)
            t.emplace(name, kw);
        // Groups whose content is no text of the letter, with or without \*.
        for (const char* name : {"stylesheet",
                                 "info",
                                 "pict",
                                 "header",
                                 "headerl",
                                 "headerr",
                                 "headerf",
                                 "footer",
                                 "footerl",
                                 "footerr",
                                 "footerf",
                                 "footnote",
                                 "annotation",
                                 "fldinst",
                                 "objdata",
                                 "objclass",
                                 "objname",
                                 "shp",
                                 "shpinst",
                                 "shprslt",
                                 "nonshppict",
                                 "shppict",
                                 "xe",
                                 "tc",
                                 "txe",
                                 "rxe",
                                 "bkmkstart",
                                 "bkmkend",
                                 "falt",
                                 "panose",
                                 "generator",
                                 "themedata",
                                 "colorschememapping",
                                 "datastore",
                                 "latentstyles",
                                 "rsidtbl",
                                 "xmlnstbl",
                                 "filetbl",
                                 "revtbl",
                                 "docvar",
                                 "template",
                                 "userprops",
                                 "pgdsctbl",
                                 "listpicture",
                                 "leveltext",
                                 "levelnumbers",
                                 "pntxta",
                                 "pntxtb",
                                 "atnid",
                                 "atnauthor",
                                 "atndate",
                                 "atnref",
                                 "atrfstart",
                                 "atrfend",
                                 "ftnsep",
                                 "ftnsepc",
                                 "ftncn",
                                 "aftnsep",
                                 "aftnsepc",
                                 "aftncn",
                                 "do",
                                 "fontemb",
                                 "fontfile",
                                 "mmathPr",
                                 "moMath",
                                 "ud",
                                 "protusertbl",
                                 "wgrffmtfilter",
                                 "title",
                                 "subject",
                                 "author",
                                 "operator",
                                 "keywords",
                                 "comment",
                                 "doccomm",
                                 "company",
                                 "manager",
                                 "category",
                                 "hlinkbase",
                                 "creatim",
                                 "revtim",
                                 "printim",
                                 "buptim",
                                 "fchars",
                                 "lchars",
                                 "nextfile",
                                 "private",
                                 "listname",
                                 "bkmkcoll"})
            t.emplace(name, Kw::SkipGroup);
        for (const char* name : {"ltrmark", "rtlmark", "zwj", "zwnj", "zwbo", "zwnbo", "field",
                                 "object", "upr", "pnstart", "pnf", "pnindent"})
            t.emplace(name, Kw::Ignore);
        return t;
    }();
    return table;
}

struct Font {
    QString name;
    int codePage = 1252;
};

struct ParaState {
    ParagraphFormat format;
    ListKind numbering = ListKind::None; // from \pn
    int numberingId = 0;
    int overrideNumber = 0; // \ls
    bool inTable = false;   // \intbl
};

struct State {
    Dest dest = Dest::Body;
    int font = -1; // -1: the document's default font
    CharFormat chars;
    bool hidden = false;
    int uc = 1;
    ParaState para;
};

// Limits that keep damaged or hostile input from costing more than its
// size: deeper groups share their parent's state, parameters stay inside
// 32 bits, sizes and indents inside what word processors allow.
constexpr int MaxDepth = 200;
constexpr int MaxIndent = 31680; // 22 inches
constexpr int MaxHalfPoints = 3276;

class Reader {
public:
    explicit Reader(const QByteArray& bytes)
        : m_p(bytes.constData()), m_end(bytes.constData() + bytes.size())
    {
    }

    ReadResult run();

private:
    State& state() { return m_stack.back(); }
    void push();
    void pop();
    void controlWord();
    void controlSymbol();
    void keyword(Kw kw, bool hasParam, int param, std::string_view name);
    void destination(Dest dest);
    void textByte(char c);
    void text(const QString& s);
    void flush();
    int codePage() const;
    QString fontName(int font) const;
    void endParagraph();
    ListKind kindOfOverride(int overrideNumber, int level) const;
    void closeNumbering(const ParaState& numbering);
    void finishMarkers();

    const char* m_p;
    const char* m_end;
    std::vector<State> m_stack;
    int m_overflow = 0;
    bool m_star = false;
    int m_skip = 0; // fallback characters of \uN still to skip

    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    std::map<int, Font> m_fonts;
    int m_fontNumber = -1;
    int m_fontCodePage = -1;
    QByteArray m_fontName;

    std::vector<std::optional<uint32_t>> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorGiven = false;

    std::map<int, std::vector<ListKind>> m_lists; // \listid -> kind per level
    std::map<int, int> m_overrides;               // \ls -> \listid
    std::vector<ListKind> m_listLevels;
    int m_listId = 0;
    int m_overrideListId = 0;
    int m_overrideNumber = 0;

    ParaState m_numbering; // what the \pn group being read says
    int m_numberingGroups = 0;
    ParaState m_lastNumbered; // the last paragraph's, to number on from it
    bool m_lastInTable = false;

    QByteArray m_pending; // 8-bit text not yet decoded
    int m_pendingCodePage = 1252;
    Paragraph m_paragraph;
    QString m_marker;
    Document m_document;
};

ReadResult Reader::run()
{
    ReadResult result;
    m_stack.reserve(MaxDepth + 1);
    bool closed = false;
    while (m_p < m_end && !closed) {
        const char c = *m_p++;
        switch (c) {
        case '{':
            flush();
            push();
            break;
        case '}':
            flush();
            if (m_stack.empty()) {
                closed = true;
                break;
            }
            pop();
            closed = m_stack.empty();
            break;
        case '\\':
            if (m_p < m_end && ((*m_p >= 'a' && *m_p <= 'z') || (*m_p >= 'A' && *m_p <= 'Z')))
                controlWord();
            else
                controlSymbol();
            break;
        case '\t':
            keyword(Kw::Tab, false, 0, {});
            break;
        default:
            // Line breaks of the file and control characters are no text.
            if (static_cast<unsigned char>(c) >= 0x20)
                textByte(c);
        }
    }
    flush();
    const bool unclosed = !closed;
    bool trailing = false;
    for (; m_p < m_end; ++m_p)
        if (*m_p != '\0' && *m_p != ' ' && *m_p != '\r' && *m_p != '\n' && *m_p != '\t')
            trailing = true;
    if (!m_paragraph.runs.isEmpty() || !m_marker.isEmpty())
        endParagraph();
    finishMarkers();
    result.document = std::move(m_document);
    result.status = unclosed || trailing ? ReadStatus::Damaged : ReadStatus::Ok;
    return result;
}

void Reader::push()
{
    m_skip = 0;
    if (int(m_stack.size()) >= MaxDepth) {
        ++m_overflow;
        return;
    }
    if (m_stack.empty())
        m_stack.emplace_back();
    else
        m_stack.push_back(m_stack.back());
    m_star = false;
}

void Reader::pop()
{
    m_skip = 0;
    m_star = false;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    const Dest closing = state().dest;
    const bool ownsDest = m_stack.size() < 2 || m_stack[m_stack.size() - 2].dest != closing;
    m_stack.pop_back();
    if (closing == Dest::FontTable && m_fontNumber >= 0 && !m_fontName.trimmed().isEmpty()) {
        // An entry without its closing ";".
        m_fonts[m_fontNumber].name = decode(m_fontCodePage, m_fontName).trimmed();
        m_fontName.clear();
    }
    if (!ownsDest)
        return;
    switch (closing) {
    case Dest::Numbering:
        if (!m_stack.empty())
            closeNumbering(m_numbering);
        break;
    case Dest::List:
        m_lists[m_listId] = m_listLevels;
        break;
    case Dest::ListOverride:
        m_overrides[m_overrideNumber] = m_overrideListId;
        break;
    default:
        break;
    }
}

void Reader::controlWord()
{
    const char* start = m_p;
    while (m_p < m_end && ((*m_p >= 'a' && *m_p <= 'z') || (*m_p >= 'A' && *m_p <= 'Z')))
        ++m_p;
    const std::string_view name(start, size_t(std::min<ptrdiff_t>(m_p - start, 32)));
    bool hasParam = false;
    bool negative = false;
    long long value = 0;
    if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && *(m_p + 1) >= '0' && *(m_p + 1) <= '9') {
        negative = true;
        ++m_p;
    }
    int digits = 0;
    while (m_p < m_end && *m_p >= '0' && *m_p <= '9') {
        hasParam = true;
        if (++digits <= 10)
            value = value * 10 + (*m_p - '0');
        ++m_p;
    }
    if (m_p < m_end && *m_p == ' ')
        ++m_p;
    value = std::clamp<long long>(negative ? -value : value, INT32_MIN, INT32_MAX);
    const auto found = keywords().find(name);
    const bool star = m_star;
    m_star = false;
    if (found == keywords().end()) {
        if (star && !m_stack.empty())
            state().dest = Dest::Skip;
        return;
    }
    if (found->second == Kw::Bin) {
        // Binary data of a picture or object: skipped as a whole.
        flush();
        const long long n = std::min<long long>(std::max<long long>(value, 0), m_end - m_p);
        m_p += n;
        return;
    }
    keyword(found->second, hasParam, int(value), name);
}

void Reader::controlSymbol()
{
    if (m_p >= m_end)
        return;
    const char c = *m_p++;
    switch (c) {
    case '\'': {
        const auto hex = hexDigitValue;
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_p < m_end && hex(*m_p) >= 0) {
            value = value * 16 + hex(*m_p++);
            ++digits;
        }
        if (digits > 0)
            textByte(char(value));
        break;
    }
    case '*':
        m_star = true;
        break;
    case '\\':
    case '{':
    case '}':
        textByte(c);
        break;
    case '~':
        text(QStringLiteral("\u00A0"));
        break;
    case '_':
        text(QStringLiteral("\u2011"));
        break;
    case '-':
        text(QStringLiteral("\u00AD")); // an optional hyphen
        break;
    case '\r':
    case '\n':
        keyword(Kw::Par, false, 0, {});
        break;
    case '\t':
        keyword(Kw::Tab, false, 0, {});
        break;
    default: // \| \: index entries, and anything unknown
        break;
    }
}

void Reader::destination(Dest dest)
{
    if (!m_stack.empty())
        state().dest = dest;
}

void Reader::keyword(Kw kw, bool hasParam, int param, std::string_view)
{
    if (m_stack.empty())
        return;
    State& s = state();
    const bool on = !hasParam || param != 0;
    const Dest dest = s.dest;
    if (dest == Dest::Skip)
        return;
    switch (kw) {
    case Kw::SkipGroup:
        flush();
        destination(Dest::Skip);
        return;
    case Kw::FontTable:
        flush();
        destination(Dest::FontTable);
        return;
    case Kw::ColorTable:
        flush();
        destination(Dest::ColorTable);
        m_colors.clear();
        m_colorGiven = false;
        return;
    case Kw::Marker:
        flush();
        destination(Dest::Marker);
        m_marker.clear();
        return;
    case Kw::Numbering:
        flush();
        if (dest == Dest::Body || dest == Dest::Marker) {
            destination(Dest::Numbering);
            m_numbering = ParaState();
            m_numbering.numbering = ListKind::Decimal;
        } else {
            destination(Dest::Skip);
        }
        return;
    case Kw::ListTable:
        destination(Dest::ListTable);
        return;
    case Kw::List:
        if (dest == Dest::ListTable) {
            destination(Dest::List);
            m_listLevels.clear();
            m_listId = 0;
        }
        return;
    case Kw::ListLevel:
        if (dest == Dest::List)
            m_listLevels.push_back(ListKind::Decimal);
        return;
    case Kw::ListOverrideTable:
        destination(Dest::ListTable);
        return;
    case Kw::ListOverride:
        if (dest == Dest::ListTable) {
            destination(Dest::ListOverride);
            m_overrideListId = 0;
            m_overrideNumber = 0;
        }
        return;
    case Kw::ListId:
        if (dest == Dest::List)
            m_listId = param;
        else if (dest == Dest::ListOverride)
            m_overrideListId = param;
        return;
    case Kw::LevelNfc:
        if (dest == Dest::List && !m_listLevels.empty()) {
            ListKind k = ListKind::Decimal;
            switch (param) {
            case 1:
                k = ListKind::UpperRoman;
                break;
            case 2:
                k = ListKind::LowerRoman;
                break;
            case 3:
                k = ListKind::UpperAlpha;
                break;
            case 4:
                k = ListKind::LowerAlpha;
                break;
            case 23:
                k = ListKind::Bullet;
                break;
            case 255:
                k = ListKind::None;
                break;
            default:
                break;
            }
            m_listLevels.back() = k;
        }
        return;
    case Kw::BodyGroup:
        destination(Dest::Body);
        return;
    case Kw::Rtf:
    case Kw::Ignore:
    case Kw::Bin:
        return;
    case Kw::Ansi:
        m_ansiCodePage = 1252;
        return;
    case Kw::Mac:
        m_ansiCodePage = 10000;
        return;
    case Kw::Pc:
        m_ansiCodePage = 437;
        return;
    case Kw::Pca:
        m_ansiCodePage = 850;
        return;
    case Kw::AnsiCpg:
        if (param > 0)
            m_ansiCodePage = param;
        return;
    case Kw::DefaultFont:
        m_defaultFont = param;
        return;
    case Kw::Uc:
        s.uc = std::clamp(param, 0, 10);
        return;
    case Kw::U: {
        flush();
        // A font name keeps the fallback of such a character instead.
        if (dest != Dest::Body && dest != Dest::Marker)
            return;
        const char16_t unit = char16_t(param < 0 ? param + 65536 : param);
        text(QString(QChar(unit == 0xF0B7 ? u'\u2022' : unit)));
        m_skip = s.uc;
        return;
    }
    default:
        break;
    }

    if (dest == Dest::FontTable) {
        switch (kw) {
        case Kw::Font:
            m_fontNumber = param;
            m_fontCodePage = m_ansiCodePage;
            m_fontName.clear();
            m_fonts[param].codePage = m_ansiCodePage;
            break;
        case Kw::Charset:
            if (m_fontNumber >= 0)
                m_fonts[m_fontNumber].codePage = m_fontCodePage =
                    codePageOfCharset(param, m_ansiCodePage);
            break;
        case Kw::Cpg:
            if (m_fontNumber >= 0 && param > 0)
                m_fonts[m_fontNumber].codePage = m_fontCodePage = param;
            break;
        default:
            break;
        }
        return;
    }
    if (dest == Dest::ColorTable) {
        switch (kw) {
        case Kw::Red:
            m_red = std::clamp(param, 0, 255);
            m_colorGiven = true;
            break;
        case Kw::Green:
            m_green = std::clamp(param, 0, 255);
            m_colorGiven = true;
            break;
        case Kw::Blue:
            m_blue = std::clamp(param, 0, 255);
            m_colorGiven = true;
            break;
        default:
            break;
        }
        return;
    }
    if (dest == Dest::Numbering) {
        ParaState& n = m_numbering;
        switch (kw) {
        case Kw::PnBullet:
            n.numbering = ListKind::Bullet;
            break;
        case Kw::PnCont:
            n.numbering = ListKind::None;
            break;
        case Kw::PnBody:
            if (n.numbering == ListKind::Bullet || n.numbering == ListKind::None)
                n.numbering = ListKind::Decimal;
            break;
        case Kw::PnLevel:
            n.format.listLevel = std::clamp(param - 1, 0, 8);
            break;
        case Kw::PnDecimal:
            n.numbering = ListKind::Decimal;
            break;
        case Kw::PnUpperAlpha:
            n.numbering = ListKind::UpperAlpha;
            break;
        case Kw::PnLowerAlpha:
            n.numbering = ListKind::LowerAlpha;
            break;
        case Kw::PnUpperRoman:
            n.numbering = ListKind::UpperRoman;
            break;
        case Kw::PnLowerRoman:
            n.numbering = ListKind::LowerRoman;
            break;
        case Kw::ListOverrideNumber:
            n.overrideNumber = param;
            break;
        case Kw::ListLevelNumber:
            n.format.listLevel = std::clamp(param, 0, 8);
            break;
        default:
            break;
        }
        return;
    }
    if (dest == Dest::ListOverride) {
        if (kw == Kw::ListOverrideNumber)
            m_overrideNumber = param;
        return;
    }
    if (dest != Dest::Body && dest != Dest::Marker)
        return;

    CharFormat& c = s.chars;
    ParagraphFormat& p = s.para.format;
    switch (kw) {
    case Kw::Font:
        flush();
        s.font = param;
        break;
    case Kw::Plain:
        flush();
        s.font = -1;
        c = CharFormat();
        s.hidden = false;
        break;
    case Kw::Bold:
        flush();
        c.bold = on;
        break;
    case Kw::Italic:
        flush();
        c.italic = on;
        break;
    case Kw::Underline:
        flush();
        c.underline = on;
        break;
    case Kw::UnderlineNone:
        flush();
        c.underline = false;
        break;
    case Kw::Strike:
        flush();
        c.strike = on;
        break;
    case Kw::FontSize:
        flush();
        c.halfPoints = hasParam ? std::clamp(param, 2, MaxHalfPoints) : 24;
        break;
    case Kw::Color:
        flush();
        c.color =
            param > 0 && size_t(param) < m_colors.size() ? m_colors[size_t(param)] : std::nullopt;
        break;
    case Kw::Hidden:
        flush();
        s.hidden = on;
        break;
    case Kw::Pard:
        s.para = ParaState();
        break;
    case Kw::AlignLeft:
        p.alignment = Alignment::Left;
        break;
    case Kw::AlignCenter:
        p.alignment = Alignment::Center;
        break;
    case Kw::AlignRight:
        p.alignment = Alignment::Right;
        break;
    case Kw::AlignJustify:
        p.alignment = Alignment::Justify;
        break;
    case Kw::FirstIndent:
        p.firstIndent = std::clamp(param, -MaxIndent, MaxIndent);
        break;
    case Kw::LeftIndent:
        p.leftIndent = std::clamp(param, -MaxIndent, MaxIndent);
        break;
    case Kw::RightIndent:
        p.rightIndent = std::clamp(param, -MaxIndent, MaxIndent);
        break;
    case Kw::SpaceBefore:
        p.spaceBefore = std::clamp(param, 0, MaxIndent);
        break;
    case Kw::SpaceAfter:
        p.spaceAfter = std::clamp(param, 0, MaxIndent);
        break;
    case Kw::ListOverrideNumber:
        s.para.overrideNumber = std::max(param, 0);
        break;
    case Kw::ListLevelNumber:
        p.listLevel = std::clamp(param, 0, 8);
        break;
    case Kw::Par:
        flush();
        if (dest == Dest::Body)
            endParagraph();
        break;
    case Kw::Line:
        text(QString(QChar::LineSeparator));
        break;
    case Kw::Tab:
        if (dest == Dest::Marker)
            break; // the tab after a bullet belongs to the layout, not to the marker
        text(QStringLiteral("\t"));
        break;
    case Kw::InTable:
        s.para.inTable = true;
        break;
    case Kw::Cell:
        flush();
        // A cell whose last paragraph had its own mark: the tab ends that
        // paragraph's text, as it does where the cell ends without one.
        if (dest == Dest::Body && m_paragraph.runs.isEmpty() && m_marker.isEmpty() &&
            m_lastInTable && !m_document.paragraphs.isEmpty()) {
            m_paragraph = m_document.paragraphs.takeLast();
            m_lastInTable = false;
        }
        text(QStringLiteral("\t"));
        break;
    case Kw::EmDash:
        text(QStringLiteral("\u2014"));
        break;
    case Kw::EnDash:
        text(QStringLiteral("\u2013"));
        break;
    case Kw::EmSpace:
        text(QStringLiteral("\u2003"));
        break;
    case Kw::EnSpace:
        text(QStringLiteral("\u2002"));
        break;
    case Kw::Bullet:
        text(QStringLiteral("\u2022"));
        break;
    case Kw::LQuote:
        text(QStringLiteral("\u2018"));
        break;
    case Kw::RQuote:
        text(QStringLiteral("\u2019"));
        break;
    case Kw::LDblQuote:
        text(QStringLiteral("\u201C"));
        break;
    case Kw::RDblQuote:
        text(QStringLiteral("\u201D"));
        break;
    default:
        break;
    }
}

int Reader::codePage() const
{
    const int font =
        m_stack.empty() || m_stack.back().font < 0 ? m_defaultFont : m_stack.back().font;
    const auto found = m_fonts.find(font);
    return found == m_fonts.end() ? m_ansiCodePage : found->second.codePage;
}

QString Reader::fontName(int font) const
{
    const auto found = m_fonts.find(font < 0 ? m_defaultFont : font);
    return found == m_fonts.end() ? QString() : found->second.name;
}

void Reader::textByte(char c)
{
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    if (m_stack.empty())
        return;
    const Dest dest = state().dest;
    if (dest == Dest::FontTable) {
        if (c == ';') {
            if (m_fontNumber >= 0) {
                m_fonts[m_fontNumber].name = decode(m_fontCodePage, m_fontName).trimmed();
            }
            m_fontName.clear();
        } else {
            m_fontName += c;
        }
        return;
    }
    if (dest == Dest::ColorTable) {
        if (c == ';') {
            m_colors.push_back(m_colorGiven ? std::optional<uint32_t>(
                                                  uint32_t((m_red << 16) | (m_green << 8) | m_blue))
                                            : std::nullopt);
            m_red = m_green = m_blue = 0;
            m_colorGiven = false;
        }
        return;
    }
    if (dest != Dest::Body && dest != Dest::Marker)
        return;
    const int cp = codePage();
    if (!m_pending.isEmpty() && cp != m_pendingCodePage)
        flush();
    m_pendingCodePage = cp;
    m_pending += c;
}

void Reader::flush()
{
    if (m_pending.isEmpty())
        return;
    const QString decoded = decode(m_pendingCodePage, m_pending);
    m_pending.clear();
    text(decoded);
}

bool isText(QChar c)
{
    return c.unicode() >= 0x20 ? c != QChar::ObjectReplacementCharacter : c == QLatin1Char('\t');
}

void Reader::text(const QString& input)
{
    if (m_stack.empty())
        return;
    if (!m_pending.isEmpty())
        flush();
    State& st = state();
    if (st.hidden)
        return;
    // Control characters written as \'xx or \uN are no text either.
    QString s = input;
    if (!std::all_of(s.cbegin(), s.cend(), isText))
        s.removeIf([](QChar c) { return !isText(c); });
    if (st.dest == Dest::Marker) {
        m_marker += s;
        return;
    }
    if (st.dest != Dest::Body)
        return;
    CharFormat format = st.chars;
    format.font = fontName(st.font);
    QList<Run>& runs = m_paragraph.runs;
    if (!runs.isEmpty() && runs.back().format == format)
        runs.back().text += s;
    else
        runs.append({s, format});
}

ListKind Reader::kindOfOverride(int overrideNumber, int level) const
{
    const auto o = m_overrides.find(overrideNumber);
    const int listId = o == m_overrides.end() ? 0 : o->second;
    const auto l = m_lists.find(listId);
    if (l == m_lists.end() || l->second.empty())
        return ListKind::None;
    return l->second[size_t(std::clamp(level, 0, int(l->second.size()) - 1))];
}

// A marker text of a list whose kind nothing else gave: a number, a letter
// or a roman number followed by "." or ")", else a bullet.
ListKind kindOfMarker(const QString& marker)
{
    QString m = marker.trimmed();
    if (m.isEmpty())
        return ListKind::None;
    if (m.startsWith(QLatin1Char('(')))
        m.remove(0, 1);
    while (!m.isEmpty() && (m.back() == QLatin1Char('.') || m.back() == QLatin1Char(')')))
        m.chop(1);
    if (m.isEmpty())
        return ListKind::Bullet;
    bool digits = true, lower = true, upper = true, romanLower = true, romanUpper = true;
    for (const QChar ch : m) {
        digits &= ch.isDigit() || ch == QLatin1Char('.');
        lower &= ch >= QLatin1Char('a') && ch <= QLatin1Char('z');
        upper &= ch >= QLatin1Char('A') && ch <= QLatin1Char('Z');
        romanLower &= QStringLiteral("ivxlcdm").contains(ch);
        romanUpper &= QStringLiteral("IVXLCDM").contains(ch);
    }
    if (digits)
        return ListKind::Decimal;
    if (romanLower && (m.size() > 1 || m == QLatin1String("i")))
        return m.size() > 1 ? ListKind::LowerRoman : ListKind::LowerAlpha;
    if (romanUpper && m.size() > 1)
        return ListKind::UpperRoman;
    if (lower && m.size() <= 3)
        return ListKind::LowerAlpha;
    if (upper && m.size() <= 3)
        return ListKind::UpperAlpha;
    return ListKind::Bullet;
}

void Reader::closeNumbering(const ParaState& n)
{
    ParaState& target = state().para;
    target.numbering = n.numbering;
    target.format.listLevel = n.format.listLevel;
    if (n.overrideNumber > 0)
        target.overrideNumber = n.overrideNumber;
    // A \pn repeated in every paragraph of one list continues that list.
    if (m_lastNumbered.numbering == n.numbering &&
        m_lastNumbered.format.listLevel == n.format.listLevel && m_lastNumbered.numberingId != 0)
        target.numberingId = m_lastNumbered.numberingId;
    else
        target.numberingId = ++m_numberingGroups;
}

void Reader::endParagraph()
{
    const State& s = m_stack.empty() ? State() : state();
    ParaState para = m_stack.empty() ? ParaState() : s.para;
    Paragraph& p = m_paragraph;
    p.format = para.format;
    p.markFormat = s.chars;
    p.markFormat.font = fontName(s.font);
    ListKind kind = ListKind::None;
    int id = 0;
    if (para.overrideNumber > 0) {
        kind = kindOfOverride(para.overrideNumber, para.format.listLevel);
        id = 1000000 + para.overrideNumber;
        if (kind == ListKind::None && para.numbering != ListKind::None)
            kind = para.numbering;
    } else if (para.numbering != ListKind::None) {
        kind = para.numbering;
        id = para.numberingId;
    }
    if (kind == ListKind::None && !m_marker.isEmpty()) {
        kind = kindOfMarker(m_marker);
        id = -1;
    }
    p.format.list = kind;
    p.format.listId = kind == ListKind::None ? 0 : id;
    if (kind == ListKind::None)
        p.format.listLevel = 0;
    // The tab after a bullet is the layout's, wherever it stands.
    p.marker =
        kind == ListKind::None ? QString() : QString(m_marker).remove(QLatin1Char('\t')).trimmed();
    m_lastNumbered =
        kind == ListKind::None || para.numbering == ListKind::None ? ParaState() : para;
    m_lastInTable = para.inTable;
    m_document.paragraphs.append(std::move(p));
    m_paragraph = Paragraph();
    m_marker.clear();
}

// List paragraphs whose RTF gave no marker text count on from the previous
// item of their list.
void Reader::finishMarkers()
{
    std::map<std::pair<int, int>, int> counters;
    int previousId = 0;
    for (Paragraph& p : m_document.paragraphs) {
        const ParagraphFormat& f = p.format;
        if (f.list == ListKind::None) {
            previousId = 0;
            continue;
        }
        if (f.listId == -1 && previousId != -1)
            counters.erase({-1, f.listLevel});
        const int n = ++counters[{f.listId, f.listLevel}];
        for (auto it = counters.begin(); it != counters.end();)
            it = it->first.first == f.listId && it->first.second > f.listLevel ? counters.erase(it)
                                                                               : std::next(it);
        if (p.marker.isEmpty())
            p.marker = listMarker(f.list, n);
        previousId = f.listId;
    }
}

} // namespace

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool looksLikeRtf(const QByteArray& bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' ||
                                bytes[i] == '\t' || bytes[i] == '\0'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

ReadResult read(const QByteArray& bytes)
{
    if (bytes.trimmed().isEmpty())
        return {Document(), ReadStatus::Empty};
    if (!looksLikeRtf(bytes))
        return {Document(), ReadStatus::NotRtf};
    return Reader(bytes).run();
}

QString decodePlainText(const QByteArray& bytes)
{
    bool ascii = true;
    for (const char c : bytes)
        ascii &= static_cast<unsigned char>(c) < 0x80;
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8(bytes);
        if (!utf8.hasError())
            return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    QString text = decode(TurkishCodePage, bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString plainTextOf(const QByteArray& stored)
{
    const ReadResult r = read(stored);
    switch (r.status) {
    case ReadStatus::Ok:
        return plainText(r.document);
    case ReadStatus::Empty:
        return QString();
    case ReadStatus::NotRtf:
    case ReadStatus::Damaged:
        break;
    }
    return decodePlainText(stored);
}

} // namespace rtf
