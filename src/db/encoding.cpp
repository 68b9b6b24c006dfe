#include "encoding.h"

#include <iconv.h>

#include <array>
#include <memory>

namespace db {
namespace {

// Both directions come from one table built once with iconv: decoding is a
// lookup per byte and encoding a lookup per UTF-16 unit. The five bytes
// Windows-1254 leaves undefined decode to the C1 control of the same value,
// so any byte read from a file is written back unchanged.
struct CodePage {
    std::array<char16_t, 256> decode{};
    std::unique_ptr<unsigned char[]> encode; // 65536 entries, 0 = not mapped
    CodePage();
};

CodePage::CodePage() : encode(new unsigned char[65536]())
{
    iconv_t cd = iconv_open("UTF-16LE", "WINDOWS-1254");
    for (int b = 0; b < 256; ++b) {
        char16_t unit = char16_t(b);
        if (cd != iconv_t(-1)) {
            char in = char(b);
            char out[4];
            char* inp = &in;
            char* outp = out;
            size_t inLeft = 1, outLeft = sizeof out;
            if (iconv(cd, &inp, &inLeft, &outp, &outLeft) != size_t(-1) && outLeft == 2)
                unit = char16_t(uint8_t(out[0]) | (uint8_t(out[1]) << 8));
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        decode[size_t(b)] = unit;
        encode[unit] = static_cast<unsigned char>(b);
    }
    if (cd != iconv_t(-1))
        iconv_close(cd);
}

const CodePage& codePage()
{
    static const CodePage page;
    return page;
}

inline char encodeUnit(const CodePage& cp, char16_t u)
{
    if (u == 0)
        return 0;
    const unsigned char b = cp.encode[u];
    return b ? char(b) : '?';
}

} // namespace

void appendDbText(std::string& out, const QString& text)
{
    const CodePage& cp = codePage();
    const qsizetype n = text.size();
    const QChar* p = text.constData();
    out.reserve(out.size() + size_t(n));
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = p[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(p[i + 1].unicode())) {
            out.push_back('?'); // one code point outside the basic plane, one "?"
            ++i;
            continue;
        }
        out.push_back(encodeUnit(cp, u));
    }
}

QStringList charactersNotInCodePage(const QString& text)
{
    const CodePage& cp = codePage();
    QStringList found;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        QString character;
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode()))
            character = text.mid(i++, 2);
        else if (u != 0 && cp.encode[u] == 0)
            character = text[i];
        if (!character.isEmpty() && !found.contains(character))
            found << character;
    }
    return found;
}

QByteArray toDbText(const QString& text)
{
    std::string out;
    appendDbText(out, text);
    return QByteArray(out.data(), qsizetype(out.size()));
}

QString fromDbText(std::string_view bytes)
{
    const CodePage& cp = codePage();
    QString s(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* d = s.data();
    for (size_t i = 0; i < bytes.size(); ++i)
        d[i] = QChar(cp.decode[uint8_t(bytes[i])]);
    return s;
}

} // namespace db
