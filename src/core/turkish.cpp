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

QString caseBlindContaining(const QString& column, int columnLength, const QString& parameter,
                            int parameterLength)
{
    return turkishText(column, columnLength) + QStringLiteral(" CONTAINING ") +
           turkishText(parameter, parameterLength);
}

QString turkishUpper(const QString& text)
{
    // Letter by letter, as the engine folds: i and ı are the two letters
    // whose upper case Turkish has of its own. The searches fold every
    // document's text, so this stays a plain loop.
    QString upper(text.size(), Qt::Uninitialized);
    QChar* out = upper.data();
    for (const QChar c : text) {
        if (c == QLatin1Char('i'))
            *out++ = QChar(0x0130);
        else if (c == QChar(0x0131))
            *out++ = QLatin1Char('I');
        else if (c.unicode() < 0x80)
            *out++ = c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - 32) : c;
        else
            *out++ = c.toUpper();
    }
    return upper;
}

bool caseless(const QString& text)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    return turkishUpper(text) == text && turkish.toLower(text) == text;
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
