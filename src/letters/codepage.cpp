#include "codepage.h"

#include <iconv.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>

namespace rtf {
namespace {

const char* iconvName(int codePage)
{
    switch (codePage) {
    case 437:
        return "CP437";
    case 850:
        return "CP850";
    case 874:
        return "CP874";
    case 932:
        return "CP932";
    case 936:
        return "CP936";
    case 949:
        return "CP949";
    case 950:
        return "BIG5";
    case 1250:
        return "WINDOWS-1250";
    case 1251:
        return "WINDOWS-1251";
    case 1252:
        return "WINDOWS-1252";
    case 1253:
        return "WINDOWS-1253";
    case 1254:
        return "WINDOWS-1254";
    case 1255:
        return "WINDOWS-1255";
    case 1256:
        return "WINDOWS-1256";
    case 1257:
        return "WINDOWS-1257";
    case 1258:
        return "WINDOWS-1258";
    case 10000:
        return "MACINTOSH";
    default:
        return nullptr;
    }
}

bool isDoubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

// One byte in, one UTF-16 unit out, for every byte of a single-byte code
// page, built once with iconv. Bytes the code page leaves undefined decode
// to the C1 control of the same value, so that they are written back as
// they came.
struct SingleByteTable {
    std::array<char16_t, 256> decode{};
    std::unique_ptr<unsigned char[]> encode; // 65536 entries, 0 = none
    explicit SingleByteTable(const char* name);
};

SingleByteTable::SingleByteTable(const char* name) : encode(new unsigned char[65536]())
{
    iconv_t cd = iconv_open("UTF-16LE", name);
    for (int b = 0; b < 256; ++b) {
        char16_t unit = char16_t(b);
        if (b >= 0x80 && cd != iconv_t(-1)) {
            char in = char(b);
            char out[8];
            char* inp = &in;
            char* outp = out;
            size_t inLeft = 1, outLeft = sizeof out;
            if (iconv(cd, &inp, &inLeft, &outp, &outLeft) != size_t(-1) && outLeft == 6)
                unit = char16_t(uint8_t(out[0]) | (uint8_t(out[1]) << 8));
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        decode[size_t(b)] = unit;
        if (b > 0 && !encode[unit])
            encode[unit] = static_cast<unsigned char>(b);
    }
    if (cd != iconv_t(-1))
        iconv_close(cd);
}

const SingleByteTable& table(int codePage)
{
    static std::mutex lock;
    static std::map<int, std::unique_ptr<SingleByteTable>> tables;
    const std::lock_guard<std::mutex> guard(lock);
    auto& slot = tables[codePage];
    if (!slot) {
        const char* name = iconvName(codePage);
        slot = std::make_unique<SingleByteTable>(name ? name : "WINDOWS-1252");
    }
    return *slot;
}

// The bullets and arrows of the symbol fonts that letters use, as the
// characters they show; anything else keeps its Latin-1 value.
char16_t symbolChar(unsigned char b)
{
    switch (b) {
    case 0xB7:
        return u'\u2022'; // bullet
    case 0xA7:
        return u'\u25AA'; // small square
    case 0xA8:
        return u'\u25CB'; // circle
    case 0xD8:
        return u'\u27A2'; // arrowhead
    case 0xFC:
        return u'\u2713'; // check mark
    case 0x6E:
        return u'\u25A0'; // black square
    case 0x71:
        return u'\u2751'; // shadowed square
    case 0x76:
        return u'\u2756'; // diamond
    default:
        return char16_t(b);
    }
}

QString decodeDoubleByte(int codePage, const char* bytes, qsizetype size)
{
    QString out;
    iconv_t cd = iconv_open("UTF-16LE", iconvName(codePage));
    if (cd == iconv_t(-1))
        return QString(size, QChar::ReplacementCharacter);
    char* inp = const_cast<char*>(bytes);
    size_t inLeft = size_t(size);
    std::string buffer(size_t(size) * 2 + 8, '\0');
    while (inLeft > 0) {
        char* outp = buffer.data();
        size_t outLeft = buffer.size();
        const size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
        out.append(QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer.data()),
                                      qsizetype((buffer.size() - outLeft) / 2)));
        if (r == size_t(-1) && inLeft > 0) {
            // A byte that starts no character, or a character cut at the end.
            out.append(QChar::ReplacementCharacter);
            ++inp;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

int codePageOfCharset(int charset, int ansiCodePage)
{
    switch (charset) {
    case 0:
        return 1252;
    case 1:
        return ansiCodePage;
    case 2:
        return SymbolCodePage;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return ansiCodePage;
    }
}

QString decode(int codePage, const char* bytes, qsizetype size)
{
    QString out;
    if (size <= 0)
        return out;
    if (codePage == SymbolCodePage) {
        out.resize(size);
        for (qsizetype i = 0; i < size; ++i)
            out[i] = QChar(symbolChar(static_cast<unsigned char>(bytes[i])));
        return out;
    }
    if (isDoubleByte(codePage))
        return decodeDoubleByte(codePage, bytes, size);
    const SingleByteTable& t = table(codePage);
    out.resize(size);
    QChar* d = out.data();
    for (qsizetype i = 0; i < size; ++i)
        d[i] = QChar(t.decode[static_cast<unsigned char>(bytes[i])]);
    return out;
}

char16_t decodeByte(int codePage, unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (codePage == SymbolCodePage)
        return symbolChar(byte);
    if (isDoubleByte(codePage))
        return u'\uFFFD';
    return table(codePage).decode[byte];
}

int encodeChar(int codePage, char16_t unit)
{
    if (unit < 0x80)
        return unit;
    if (codePage == SymbolCodePage || isDoubleByte(codePage))
        return -1;
    const unsigned char b = table(codePage).encode[unit];
    return b ? int(b) : -1;
}

} // namespace rtf
