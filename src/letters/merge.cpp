#include "merge.h"

#include "codepage.h"
#include "rtfreader.h"
#include "rtfwriter.h"

#include <vector>

namespace letters {
namespace {

// One character of the RTF source as the search sees it, with the bytes
// that write it. Formatting commands and group braces stand between
// characters as breaks, which no field contains.
struct SourceChar {
    qsizetype begin;
    qsizetype end;
    char16_t ch;
    // The character follows a control word that ended without its space:
    // text put in its place must not run on into the word.
    bool afterBareWord;
};

constexpr char16_t Break = 0xFFFF;

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char16_t decodeByte(unsigned char b)
{
    return rtf::decodeByte(rtf::TurkishCodePage, b);
}

std::vector<SourceChar> scan(const QByteArray& rtf)
{
    std::vector<SourceChar> out;
    const qsizetype n = rtf.size();
    int uc = 1;
    int fallback = 0; // characters after \uN that belong to it
    bool bareWord = false;
    auto add = [&](qsizetype begin, qsizetype end, char16_t ch) {
        if (fallback > 0 && !out.empty() && out.back().ch != Break) {
            --fallback;
            out.back().end = end;
            return;
        }
        fallback = 0;
        out.push_back({begin, end, ch, bareWord});
        bareWord = false;
    };
    auto brk = [&](qsizetype at) {
        fallback = 0;
        out.push_back({at, at, Break, false});
    };
    qsizetype i = 0;
    while (i < n) {
        const char c = rtf[i];
        if (c == '{' || c == '}') {
            brk(i);
            bareWord = false;
            ++i;
        } else if (c == '\r' || c == '\n') {
            ++i; // a line break of the source is no text
        } else if (c == '\\' && i + 1 < n && isLetter(rtf[i + 1])) {
            const qsizetype start = i++;
            while (i < n && isLetter(rtf[i]))
                ++i;
            const QByteArray word = rtf.mid(start + 1, i - start - 1);
            qsizetype digits = i;
            if (i < n && rtf[i] == '-')
                ++i;
            while (i < n && rtf[i] >= '0' && rtf[i] <= '9')
                ++i;
            const long long param = rtf.mid(digits, i - digits).toLongLong();
            const bool delimited = i < n && rtf[i] == ' ';
            if (delimited)
                ++i;
            if (word == "u") {
                fallback = 0;
                const bool bare = bareWord;
                out.push_back({start, i, char16_t(param < 0 ? param + 65536 : param), bare});
                bareWord = false;
                fallback = uc;
                continue;
            }
            if (word == "uc")
                uc = int(std::clamp<long long>(param, 0, 10));
            brk(start);
            bareWord = !delimited;
        } else if (c == '\\' && i + 3 < n && rtf[i + 1] == '\'' &&
                   rtf::hexDigitValue(rtf[i + 2]) >= 0 && rtf::hexDigitValue(rtf[i + 3]) >= 0) {
            add(i, i + 4,
                decodeByte(static_cast<unsigned char>(rtf::hexDigitValue(rtf[i + 2]) * 16 +
                                                      rtf::hexDigitValue(rtf[i + 3]))));
            i += 4;
        } else if (c == '\\') {
            // A control symbol: an escaped character or a command; neither
            // is part of a field.
            brk(i);
            bareWord = false;
            i += 2;
        } else {
            add(i, i + 1, decodeByte(static_cast<unsigned char>(c)));
            ++i;
        }
    }
    return out;
}

char16_t fold(char16_t c)
{
    switch (c) {
    case u'i':
    case u'ı':
    case u'İ':
        return u'I';
    default:
        return QChar(c).toUpper().unicode();
    }
}

} // namespace

QByteArray replaceField(const QByteArray& rtf, const QString& field, const QString& value)
{
    const std::vector<SourceChar> chars = scan(rtf);
    const qsizetype length = field.size();
    std::vector<char16_t> wanted;
    for (const QChar ch : field)
        wanted.push_back(fold(ch.unicode()));
    QByteArray text;
    rtf::appendText(text, value, true);
    QByteArray out;
    out.reserve(rtf.size());
    qsizetype copied = 0;
    for (size_t k = 0; k + size_t(length) <= chars.size();) {
        bool match = true;
        for (qsizetype j = 0; j < length && match; ++j)
            match = chars[k + size_t(j)].ch != Break &&
                    fold(chars[k + size_t(j)].ch) == wanted[size_t(j)];
        if (!match) {
            ++k;
            continue;
        }
        out += rtf.mid(copied, chars[k].begin - copied);
        if (chars[k].afterBareWord)
            out += ' ';
        out += text;
        copied = chars[k + size_t(length) - 1].end;
        k += size_t(length);
    }
    out += rtf.mid(copied);
    return out;
}

QByteArray mergeFields(const QByteArray& rtf, const MergeValues& values)
{
    QByteArray out = replaceField(rtf, FieldSayi, values.evsay);
    out = replaceField(out, FieldKonu, values.konu);
    return replaceField(out, FieldTarih, values.evtar);
}

} // namespace letters
