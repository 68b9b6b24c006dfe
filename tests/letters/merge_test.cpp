#include "letters/merge.h"
#include "letters/rtfreader.h"
#include "support/printers.h"

#include <gtest/gtest.h>

using letters::MergeValues;

namespace {

TEST(Merge, FillsTheFieldsOverTheRtfSourceInTheirOrder)
{
    struct Case {
        const char* what;
        QByteArray rtf;
        MergeValues values;
        QByteArray merged;
    };
    const MergeValues doc{QStringLiteral("2026/15"), QStringLiteral("Yol"),
                          QStringLiteral("02.03.2026")};
    const Case cases[] = {
        {"two numbers in lower case and the subject",
         "{\\rtf1 Say: [sayi] / [Sayi]\\par Konu: [konu]}", doc,
         "{\\rtf1 Say: 2026/15 / 2026/15\\par Konu: Yol}"},
        {"a date inside the subject receives the date",
         "{\\rtf1 [KONU] [TARIH]}",
         {QString(), QStringLiteral("Toplant\u0131 [tarih] g\u00fcn\u00fc"),
          QStringLiteral("05.03.2026")},
         "{\\rtf1 Toplant\xfd 05.03.2026 g\xfcn\xfc 05.03.2026}"},
        {"a field split by formatting is left alone",
         "{\\rtf1 [SA{\\b YI}] [SA\\b YI] [KO\\b0 NU]}", doc,
         "{\\rtf1 [SA{\\b YI}] [SA\\b YI] [KO\\b0 NU]}"},
        {"braces and backslashes of a value are escaped",
         "{\\rtf1 [KONU]}",
         {QString(), QStringLiteral("a{b}\\c"), QString()},
         "{\\rtf1 a\\{b\\}\\\\c}"},
        {"I, \u0131, \u0130 and i are one letter, written plain or escaped",
         "{\\rtf1 [say\\'fd] [SAY\\'dd] [tar\\u305?h] [say\xfd]}", doc,
         "{\\rtf1 2026/15 2026/15 02.03.2026 2026/15}"},
        {"a value after a bare control word does not run into it", "{\\rtf1\\b[SAYI]\\b0}", doc,
         "{\\rtf1\\b 2026/15\\b0}"},
        {"empty values before the number and date are typed",
         "{\\rtf1 Say\\'fd: [SAYI] Tarih: [TARIH]}",
         {},
         "{\\rtf1 Say\\'fd:  Tarih: }"},
        {"a line break of the source inside a field", "{\\rtf1 [SA\r\nYI]}", doc,
         "{\\rtf1 2026/15}"},
        {"line breaks and letters beyond the code page",
         "{\\rtf1 [KONU]}",
         {QString(), QStringLiteral("bir\niki \u65E5"), QString()},
         "{\\rtf1 bir\\line iki \\u26085?}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(letters::mergeFields(c.rtf, c.values), c.merged) << c.what;
}

TEST(Merge, TheMergedLetterReadsBackWithTheValuesAsText)
{
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0\\fcharset162 Arial;}}\\f0 "
                           "Say\\'fd : [SAYI]\\par Konu : {\\b [KONU]}\\par Tarih: [TARIH]\\par}";
    const QByteArray merged = letters::mergeFields(
        rtf, {QStringLiteral("B.05.1.KAY/12"), QStringLiteral("\u015eikayet {ek} \\ \u0130stanbul"),
              QStringLiteral("02.03.2026")});
    EXPECT_EQ(rtf::read(merged).status, rtf::ReadStatus::Ok);
    EXPECT_EQ(rtf::plainTextOf(merged),
              QStringLiteral("Say\u0131 : B.05.1.KAY/12\nKonu : \u015eikayet {ek} \\ "
                             "\u0130stanbul\nTarih: 02.03.2026"));
}

} // namespace
