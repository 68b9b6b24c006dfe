#include "sifrele.h"

#include "db/encoding.h"

#include <algorithm>

namespace {

constexpr int MaxResultLength = 10;
constexpr char16_t Substitute = u'?';

// The Windows-1254 byte of a UTF-16 unit, or -1 when the code page lacks
// the character. The C1 controls U+0080 to U+009F are not characters of
// the code page, although the database layer carries them through for the
// bytes the code page leaves undefined.
int codePageByte(char16_t unit)
{
    if (unit >= 0x80 && unit <= 0x9F)
        return -1;
    const QByteArray bytes = db::toDbText(QString(QChar(unit)));
    if (bytes.size() != 1 || (bytes[0] == '?' && unit != Substitute))
        return -1;
    return static_cast<unsigned char>(bytes[0]);
}

} // namespace

QString SIFRELE(const QString& mode, const QString& text)
{
    const bool encode = mode == QLatin1String("1");
    if (!encode && mode != QLatin1String("2"))
        return QString();

    QString result;
    const qsizetype n = std::min<qsizetype>(text.size(), MaxResultLength);
    for (qsizetype k = 0; k < n; ++k) {
        const int position = int(k) + 1;
        int b = codePageByte(text.at(k).unicode());
        if (b < 0)
            b = Substitute;
        const char16_t v = encode ? char16_t(b + position + 5) : char16_t(b - position - 5);
        result += codePageByte(v) < 0 ? QChar(Substitute) : QChar(v);
    }
    return result;
}

bool passwordSurvivesEncoding(const QString& password)
{
    return SIFRELE(QStringLiteral("2"), SIFRELE(QStringLiteral("1"), password)) == password;
}
