#include "access/sifrele.h"
#include "db/schema.h"
#include "support/testdb.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* what;
    QString mode;
    QString text;
    QString expected;
};

TEST(SIFRELE, RaisesOrLowersEachCharacterByItsPositionPlusFive)
{
    const Case cases[] = {
        {"encode", QStringLiteral("1"), QStringLiteral("abc"), QStringLiteral("gik")},
        {"decode", QStringLiteral("2"), QStringLiteral("gik"), QStringLiteral("abc")},
        {"empty, encode", QStringLiteral("1"), QString(), QString()},
        {"empty, decode", QStringLiteral("2"), QString(), QString()},
        {"digits", QStringLiteral("1"), QStringLiteral("1234"), QStringLiteral("79;=")},
        {"digits and upper case", QStringLiteral("1"), QStringLiteral("AZ09XY"),
         QStringLiteral("Ga8Bbd")},
        {"digits and upper case back", QStringLiteral("2"), QStringLiteral("Ga8Bbd"),
         QStringLiteral("AZ09XY")},
        // 122 + 1 + 5 = 128: no character of the code page
        {"z at position 1", QStringLiteral("1"), QStringLiteral("z"), QStringLiteral("?")},
        {"its stand-in decodes as a question mark", QStringLiteral("2"), QStringLiteral("?"),
         QStringLiteral("9")},
        // 3 - 1 - 5 wraps to 65533
        {"decode below zero", QStringLiteral("2"), QString(QChar(3)), QStringLiteral("?")},
        {"more than ten characters, encode", QStringLiteral("1"), QStringLiteral("aaaaaaaaaaaa"),
         QStringLiteral("ghijklmnop")},
        {"more than ten characters, decode", QStringLiteral("2"), QStringLiteral("ghijklmnopqr"),
         QStringLiteral("aaaaaaaaaa")},
        // A character the code page lacks goes in as "?" (63)
        {"Cyrillic letter", QStringLiteral("1"), QStringLiteral("я"), QStringLiteral("E")},
        {"Latin letter the code page lacks", QStringLiteral("1"), QStringLiteral("Ā"),
         QStringLiteral("E")},
        // and a value the code page lacks comes out as "?"
        {"ş (254) goes past 255", QStringLiteral("1"), QStringLiteral("ş"), QStringLiteral("?")},
        {"Ê lands on 208, Ğ's place", QStringLiteral("1"), QStringLiteral("Ê"),
         QStringLiteral("?")},
        {"€ (128) lands among the C1 codes", QStringLiteral("1"), QStringLiteral("€"),
         QStringLiteral("?")},
        {"Turkish letters", QStringLiteral("1"), QStringLiteral("İı"), QStringLiteral("ã?")},
        {"Ç at position 4", QStringLiteral("1"), QStringLiteral("Ab1Ç"), QStringLiteral("Gi9?")},
        {"Ğ goes in as its byte", QStringLiteral("1"), QStringLiteral("Ğ"), QStringLiteral("Ö")},
        {"but does not come back", QStringLiteral("2"), QStringLiteral("Ö"), QStringLiteral("?")},
        {"same-place letters, encode", QStringLiteral("1"), QStringLiteral("é"),
         QStringLiteral("ï")},
        {"same-place letters, decode", QStringLiteral("2"), QStringLiteral("ï"),
         QStringLiteral("é")},
        {"top of the code page", QStringLiteral("2"), QStringLiteral("ÿ"), QStringLiteral("ù")},
        {"unknown mode 3", QStringLiteral("3"), QStringLiteral("abc"), QString()},
        {"unknown mode 0", QStringLiteral("0"), QStringLiteral("abc"), QString()},
        {"empty mode", QString(), QStringLiteral("abc"), QString()},
        {"mode of two characters", QStringLiteral("12"), QStringLiteral("abc"), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SIFRELE(c.mode, c.text), c.expected) << c.what;
}

TEST(SIFRELE, DigitsAndCapitalsComeBackUnchanged)
{
    const QString alphabet = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (qsizetype start = 0; start + 10 <= alphabet.size(); ++start) {
        const QString password = alphabet.mid(start, 10);
        const QString stored = SIFRELE(QStringLiteral("1"), password);
        for (QChar c : stored)
            EXPECT_LT(c.unicode(), 128) << password.toStdString();
        EXPECT_EQ(SIFRELE(QStringLiteral("2"), stored), password);
    }
}

TEST(SIFRELE, TellsWhichPasswordsComeBackAsTyped)
{
    const struct {
        QString password;
        bool survives;
    } cases[] = {
        {QStringLiteral("1234"), true},
        {QString(), true},
        {QStringLiteral("ANKARA06"), true},
        {QStringLiteral("şifre"), false},       // "ş" never survives
        {QStringLiteral("kapı"), false},        // nor does "ı"
        {QStringLiteral("z"), false},           // 122 + 6 is no character of the code page
        {QStringLiteral("ABCDEFGHIJK"), false}, // the eleventh character is dropped
        {QStringLiteral("я"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(passwordSurvivesEncoding(c.password), c.survives) << c.password.toStdString();
}

TEST(SIFRELE, OpensTheVendorAccountOfANewYearlyFile)
{
    EXPECT_EQ(SIFRELE(QStringLiteral("2"), QStringLiteral("79;=")), QStringLiteral("1234"));

    testsupport::TempDatabase t;
    const QString stored = t.scalar(QStringLiteral("SELECT PSSWD FROM USERS WHERE USR=:U"),
                                    {QString::fromLatin1(db::VendorUser)});
    EXPECT_EQ(SIFRELE(QStringLiteral("2"), stored), QString::fromLatin1(db::VendorPassword));
}

} // namespace
