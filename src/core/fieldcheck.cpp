#include "fieldcheck.h"

#include "db/encoding.h"

#include <QDate>
#include <QRegularExpression>

namespace core {
namespace {

// The characters as a message shows them: a character that shows nothing
// (a control character) by its number.
QString listed(const QStringList& characters)
{
    QStringList shown;
    for (const QString& c : characters)
        shown
            << (c.size() == 1 && !c[0].isPrint()
                    ? QStringLiteral("U+%1").arg(c[0].unicode(), 4, 16, QLatin1Char('0')).toUpper()
                    : c);
    return shown.join(QLatin1Char(' '));
}

} // namespace

bool isCalendarDate(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^[0-9]{2}\\.[0-9]{2}\\.[0-9]{4}$"));
    return shape.match(text).hasMatch() &&
           QDate::fromString(text, QStringLiteral("dd.MM.yyyy")).isValid();
}

QString dateRefusal(const QString& field, const QString& text)
{
    if (isCalendarDate(text))
        return {};
    // Blanks shown as the box shows them.
    QString shown = text;
    shown.replace(QLatin1Char(' '), QLatin1Char('_'));
    return QStringLiteral("DİKKAT! %1 Geçerli Bir Tarih Değildir: %2\n"
                          "Tarihi Gün.Ay.Yıl (gg.aa.yyyy) Olarak Yazınız..")
        .arg(field, shown);
}

QString textProblem(const QString& text, int maxLength)
{
    const QStringList lacking = db::charactersNotInCodePage(text);
    if (!lacking.isEmpty())
        return QStringLiteral("Kaydedilemeyen karakterler: %1").arg(listed(lacking));
    if (maxLength > 0 && text.size() > maxLength)
        return QStringLiteral("En fazla %1 karakter; yazılan %2").arg(maxLength).arg(text.size());
    return {};
}

QString textRefusal(const QString& field, const QString& text, int maxLength)
{
    const QStringList lacking = db::charactersNotInCodePage(text);
    if (!lacking.isEmpty())
        return QStringLiteral("DİKKAT! %1 Alanındaki Şu Karakterler Kaydedilemez: %2\n"
                              "Bu Karakterleri Silip Yeniden Kaydediniz..")
            .arg(field, listed(lacking));
    if (maxLength > 0 && text.size() > maxLength)
        return QStringLiteral("DİKKAT! %1 En Fazla %2 Karakter Olabilir. Yazılan Metin %3 "
                              "Karakterdir..")
            .arg(field)
            .arg(maxLength)
            .arg(text.size());
    return {};
}

namespace {

bool exceeds(const QString& digits, qint64 maximum)
{
    if (maximum <= 0 || digits.isEmpty())
        return false;
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    return !ok || value > maximum;
}

} // namespace

QString numberProblem(const QString& digits, qint64 maximum)
{
    return exceeds(digits, maximum) ? QStringLiteral("En fazla %1").arg(maximum) : QString();
}

QString numberRefusal(const QString& field, const QString& digits, qint64 maximum)
{
    if (!exceeds(digits, maximum))
        return {};
    return QStringLiteral("DİKKAT! %1 En Fazla %2 Olabilir. Yazılan Sayı: %3..")
        .arg(field)
        .arg(maximum)
        .arg(digits);
}

} // namespace core
