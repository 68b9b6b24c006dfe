#include "db/encoding.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

TEST(Encoding, TurkishLettersAreWindows1254Bytes)
{
    const QString text = QStringLiteral("ÇĞİÖŞÜçğıöşü€");
    const QByteArray bytes = db::toDbText(text);
    EXPECT_EQ(bytes, QByteArray("\xC7\xD0\xDD\xD6\xDE\xDC\xE7\xF0\xFD\xF6\xFE\xFC\x80"));
    EXPECT_EQ(db::fromDbText(bytes), text);
}

TEST(Encoding, CharactersTheCodePageLacksBecomeQuestionMarks)
{
    struct Case {
        QString in;
        QByteArray out;
    };
    const Case cases[] = {
        {QStringLiteral("a漢b"), "a?b"},
        {QStringLiteral("x😀y"), "x?y"}, // one "?" for a code point outside the basic plane
        {QStringLiteral("Ā"), "?"},
        {QString(), QByteArray()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db::toDbText(c.in), c.out) << c.in.toStdString();
}

TEST(Encoding, TheCharactersTheCodePageLacksAreFoundEachOnce)
{
    struct Case {
        QString in;
        QStringList lacking;
    };
    const Case cases[] = {
        // Turkish letters and the typographic marks of the code page.
        {QStringLiteral("Çağrı Öztürk € ‘a’ “b” – … ı İ ş Ğ"), {}},
        {QStringLiteral("Москва ve Мос"),
         {QStringLiteral("М"), QStringLiteral("о"), QStringLiteral("с"), QStringLiteral("к"),
          QStringLiteral("в"), QStringLiteral("а")}},
        {QStringLiteral("مرحبا"),
         {QStringLiteral("م"), QStringLiteral("ر"), QStringLiteral("ح"), QStringLiteral("ب"),
          QStringLiteral("ا")}},
        {QStringLiteral("北京 😀 ok 😀"),
         {QStringLiteral("北"), QStringLiteral("京"), QStringLiteral("😀")}},
        {QString(), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db::charactersNotInCodePage(c.in), c.lacking) << c.in.toStdString();
}

TEST(Encoding, EveryByteReadComesBackUnchanged)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(db::toDbText(db::fromDbText(all)), all);
}

} // namespace
