#include "turkish.h"

#include <QLocale>

namespace core {

QString turkishText(const QString& column, int length)
{
    return QStringLiteral("CAST(%1 AS VARCHAR(%2) CHARACTER SET WIN1254) COLLATE PXW_TURK")
        .arg(column)
        .arg(length);
}

QString turkishOrderBy(const QString& column, int length)
{
    return QStringLiteral("ORDER BY ") + turkishText(column, length);
}

QString turkishFolded(const QString& column, int length)
{
    return QStringLiteral("UPPER(%1)").arg(turkishText(column, length));
}

QString caseBlindCondition(const QString& column, int columnLength, const QString& comparison,
                           const QString& parameter, int parameterLength)
{
    return turkishFolded(column, columnLength) + comparison +
           turkishFolded(parameter, parameterLength);
}

QString turkishUpper(const QString& text)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    return turkish.toUpper(text);
}

bool caseless(const QString& text)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    return turkish.toUpper(text) == text && turkish.toLower(text) == text;
}

QString indexablePrefix(const QString& likePattern)
{
    qsizetype end = 0;
    while (end < likePattern.size()) {
        const QChar c = likePattern[end];
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || !caseless(QString(c)))
            break;
        ++end;
    }
    return likePattern.left(end);
}

} // namespace core
