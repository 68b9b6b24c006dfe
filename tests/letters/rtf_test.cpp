#include "letters/rtfreader.h"
#include "letters/rtftextdocument.h"
#include "letters/rtfwriter.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

using namespace rtf;

namespace {

QByteArray sample(const QString& name)
{
    QFile f(QStringLiteral(LETTERS_SAMPLES "/") + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

// A paragraph as a test compares it: the list it belongs to only as "the
// same list as the paragraph before", since numbering lists is the
// reader's own business.
QString describe(const Document& d)
{
    QStringList lines;
    int previousId = 0;
    for (const Paragraph& p : d.paragraphs) {
        const ParagraphFormat& f = p.format;
        QString line = QStringLiteral("a%1 fi%2 li%3 ri%4 sb%5 sa%6 list%7/%8%9 [%10]")
                           .arg(int(f.alignment))
                           .arg(f.firstIndent)
                           .arg(f.leftIndent)
                           .arg(f.rightIndent)
                           .arg(f.spaceBefore)
                           .arg(f.spaceAfter)
                           .arg(int(f.list))
                           .arg(f.listLevel)
                           .arg(f.list != ListKind::None && f.listId == previousId ? "+" : "")
                           .arg(p.marker);
        previousId = f.listId;
        for (const Run& r : p.runs) {
            const CharFormat& c = r.format;
            line += QStringLiteral(" {%1 %2%3%4%5%6 %7|%8}")
                        .arg(c.font)
                        .arg(c.halfPoints)
                        .arg(c.bold ? "b" : "")
                        .arg(c.italic ? "i" : "")
                        .arg(c.underline ? "u" : "")
                        .arg(c.strike ? "s" : "")
                        .arg(c.color ? QString::number(*c.color, 16) : QStringLiteral("auto"))
                        .arg(r.text);
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

TEST(RtfReader, ReadsTheTextOfWhatOtherEditorsWrite)
{
    struct Case {
        const char* file;
        QString text;
    };
    const Case cases[] = {
        {"wordpad.rtf", QStringLiteral("T.C.\nÇANKIRI BELEDİYESİ\nSayı\t: 2026/15\n"
                                       "Kırmızı yazı ve altı çizili\n•\tBirinci madde\n"
                                       "•\tİstanbul şğ\nSağa yaslı\n1.\tBir\n2.\tİ ki\n")},
        {"word.rtf", QStringLiteral("BELEDİYE BAŞKANLIĞI\nÖzel gününüz kutlu olsun. Önemli\n"
                                    "•\tMadde bir\n•\tMadde iki\n1.\tNumaralı\n2.\tİkinci\n"
                                    "Resim: son.\nbağlantı\nBaşkan")},
        {"libreoffice.rtf", QStringLiteral("Kurum: İstanbul Belediyesi\nKonu: Yol çalışması\n"
                                           "Yeşil yazı üstü çizili\n•\tBirinci\n◦\tAlt madde\n"
                                           "a)\tHarfli\nTab\tsonrası\nyeni satır")},
        {"pictures.rtf", QStringLiteral("Öncesonra\nNesne sonrası\nSon metin")},
    };
    for (const Case& c : cases) {
        const ReadResult r = read(sample(QString::fromLatin1(c.file)));
        EXPECT_EQ(r.status, ReadStatus::Ok) << c.file;
        EXPECT_EQ(plainText(r.document), c.text) << c.file;
    }
}

TEST(RtfReader, KeepsCharacterAndParagraphFormatting)
{
    const Document word = read(sample(QStringLiteral("word.rtf"))).document;
    EXPECT_EQ(describe(word).split(QLatin1Char('\n')).mid(0, 6).join(QLatin1Char('\n')),
              QStringLiteral(
                  "a1 fi0 li0 ri0 sb0 sa160 list0/0 [] {Calibri 32b auto|BELEDİYE BAŞKANLIĞI}\n"
                  "a3 fi709 li0 ri0 sb0 sa160 list0/0 [] {Calibri 22 auto|Özel gününüz kutlu "
                  "olsun. } {Calibri 22u c00000|Önemli}\n"
                  "a0 fi-360 li720 ri0 sb0 sa160 list1/0 [•] {Calibri 22 auto|Madde bir}\n"
                  "a0 fi-360 li720 ri0 sb0 sa160 list1/0+ [•] {Calibri 22 auto|Madde iki}\n"
                  "a0 fi-360 li720 ri0 sb0 sa160 list2/0 [1.] {Calibri 22 auto|Numaralı}\n"
                  "a0 fi-360 li720 ri0 sb0 sa160 list2/0+ [2.] {Calibri 22 auto|İkinci}"));
    const Document pad = read(sample(QStringLiteral("wordpad.rtf"))).document;
    const QStringList lines = describe(pad).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0],
              QStringLiteral("a1 fi0 li0 ri0 sb0 sa200 list0/0 [] {Calibri 28b auto|T.C.}"));
    EXPECT_EQ(lines[3], QStringLiteral("a0 fi0 li0 ri0 sb0 sa200 list0/0 [] {Calibri 22i ff0000|"
                                       "Kırmızı yazı} {Calibri 22 auto| ve } {Calibri 22u auto|"
                                       "altı çizili}"));
    EXPECT_EQ(lines[5], QStringLiteral("a0 fi-360 li720 ri0 sb0 sa200 list1/0+ [•] "
                                       "{Calibri 22 auto|İstanbul şğ}"));
    EXPECT_EQ(lines[6], QStringLiteral("a2 fi0 li0 ri0 sb0 sa200 list0/0 [] {Calibri 22 4dbb|"
                                       "Sağa yaslı}"));
    EXPECT_EQ(lines[8], QStringLiteral("a0 fi-360 li720 ri0 sb0 sa200 list2/0+ [2.] "
                                       "{Calibri 22 auto|İ ki}"));
    const Document lo = read(sample(QStringLiteral("libreoffice.rtf"))).document;
    const QStringList loLines = describe(lo).split(QLatin1Char('\n'));
    ASSERT_EQ(loLines.size(), 7);
    EXPECT_EQ(loLines[2],
              QStringLiteral("a0 fi0 li0 ri0 sb0 sa0 list0/0 [] {Liberation Sans 24 "
                             "8000|Yeşil yazı } {Liberation Sans 24s auto|üstü çizili}"));
    EXPECT_EQ(loLines[4], QStringLiteral("a0 fi-360 li1080 ri0 sb0 sa0 list1/1+ [◦] "
                                         "{Liberation Sans 24 auto|Alt madde}"));
    EXPECT_EQ(loLines[5], QStringLiteral("a0 fi-360 li720 ri0 sb0 sa0 list3/0 [a)] "
                                         "{Liberation Sans 24 auto|Harfli}"));
    EXPECT_EQ(loLines[6], QStringLiteral("a0 fi567 li0 ri1134 sb0 sa0 list0/0 [] {Liberation Sans "
                                         "20i auto|Tab\tsonrası\u2028yeni satır}"));
}

TEST(RtfReader, UnicodeFallbacksAndCodePages)
{
    struct Case {
        QByteArray rtf;
        QString text;
    };
    const Case cases[] = {
        // \uN with one fallback, with two after \uc2, with none after \uc0.
        {"{\\rtf1\\ansi\\u305?\\u351\\'fe x\\uc2\\u8364??y\\uc0\\u8364 z}",
         QStringLiteral("ış x€y€z")},
        // A group ends the fallback; negative numbers count from 65536.
        {"{\\rtf1{\\uc3\\u-3913 a}b\\u-10179?\\u-8704?}", QStringLiteral("•b😀")},
        // The font's character set decides: Turkish, Western, Greek, symbol.
        {"{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0\\fcharset162 A;}{\\f1\\fcharset0 B;}"
         "{\\f2\\fcharset161 C;}{\\f3\\fcharset2 Symbol;}}\\f0\\'fd\\f1\\'fd\\f2\\'e1\\f3\\'b7}",
         QStringLiteral("ıýα•")},
        // Without a font table the document's code page holds, then Windows-1252.
        {"{\\rtf1\\ansi\\ansicpg1254 \\'f0\\'fe}", QStringLiteral("ğş")},
        {"{\\rtf1\\ansi \\'e9}", QStringLiteral("é")},
        // Raw 8-bit text, as a merge leaves it, in the font's code page.
        {"{\\rtf1\\ansi\\ansicpg1254 " + QByteArray("\xdd\xfe\xf0", 3) + "}",
         QStringLiteral("İşğ")},
        // Japanese in its double-byte code page.
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0\\'93\\'fa\\'96\\'7b}",
         QStringLiteral("日本")},
        // Escaped specials, non-breaking space, quotes, dashes, a tab byte.
        {"{\\rtf1 \\\\\\{\\}a\\~b\\lquote c\\rquote\\endash\\emdash\td}",
         QStringLiteral("\\{}a\u00A0b‘c’–—\td")},
        // Unknown words are ignored, an unknown ignorable group is skipped.
        {"{\\rtf1 a\\foo12 b{\\*\\unknown c}d{\\unknownbody e}}", QStringLiteral("abde")},
        // A table: cells as tabs, rows as lines.
        {"{\\rtf1\\trowd\\cellx1000\\cellx2000 a\\cell b\\cell\\row\\pard c}",
         QStringLiteral("a\tb\t\nc")},
        // Cells whose paragraphs have their own marks.
        {"{\\rtf1{\\trowd\\cellx1000\\cellx2000{{\\pard\\intbl a\\par}\\cell}{{\\pard\\intbl "
         "b1\\par b2\\par}\\cell}\\intbl\\row}{\\pard c\\par}}",
         QStringLiteral("a\tb1\nb2\t\nc")},
    };
    for (const Case& c : cases) {
        const ReadResult r = read(c.rtf);
        EXPECT_EQ(r.status, ReadStatus::Ok) << c.rtf.toStdString();
        EXPECT_EQ(plainText(r.document), c.text) << c.rtf.toStdString();
    }
}

TEST(RtfReader, SaysWhatIsNoRtfOrDamagedAndReadsItAsPlainText)
{
    struct Case {
        QByteArray bytes;
        ReadStatus status;
        QString plain;
    };
    const Case cases[] = {
        {"", ReadStatus::Empty, QString()},
        {" \r\n", ReadStatus::Empty, QString()},
        {"Sayın yetkili,\r\nmetin", ReadStatus::NotRtf, QStringLiteral("Sayın yetkili,\nmetin")},
        {"Say\xfdn", ReadStatus::NotRtf, QStringLiteral("Sayın")},
        {"{\\rtf1 kesik metin\\par ", ReadStatus::Damaged,
         QStringLiteral("{\\rtf1 kesik metin\\par ")},
        {"{\\rtf1 a}} fazla", ReadStatus::Damaged, QStringLiteral("{\\rtf1 a}} fazla")},
        {QByteArray("{\\rtf1 tamam}\r\n\0", 16), ReadStatus::Ok, QStringLiteral("tamam")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(read(c.bytes).status, c.status) << c.bytes.toStdString();
        EXPECT_EQ(plainTextOf(c.bytes), c.plain) << c.bytes.toStdString();
    }
}

TEST(RtfWriter, RoundTripsKeepTextFormattingAlignmentIndentsAndLists)
{
    for (const char* file : {"wordpad.rtf", "word.rtf", "libreoffice.rtf", "pictures.rtf"}) {
        const Document first = read(sample(QString::fromLatin1(file))).document;
        const QByteArray written = write(first);
        const ReadResult again = read(written);
        EXPECT_EQ(again.status, ReadStatus::Ok) << file;
        EXPECT_EQ(describe(again.document), describe(first)) << file;
        // Written again, nothing changes any more.
        EXPECT_EQ(write(again.document), written) << file;
        // Through the editor's document and back.
        QTextDocument editor;
        toTextDocument(first, editor);
        EXPECT_EQ(editor.blockCount(), first.paragraphs.size()) << file;
        EXPECT_EQ(describe(fromTextDocument(editor)), describe(first)) << file;
    }
}

TEST(RtfWriter, WritesSevenBitRtfWithLettersAsUnicodeAndTheirCodePageByte)
{
    Document d;
    Paragraph p;
    p.runs.append({QStringLiteral("Şık {x} \\ İğ € 日\ttab"), CharFormat{QStringLiteral("Arial")}});
    d.paragraphs << p;
    const QByteArray rtf = write(d);
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << rtf.toStdString();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1254\\deff0"));
    EXPECT_TRUE(rtf.contains("{\\f0\\fnil\\fcharset162 Arial;}"));
    EXPECT_TRUE(rtf.contains("\\u350\\'de\\u305\\'fdk \\{x\\} \\\\ \\u304\\'dd\\u287\\'f0 "
                             "\\u8364\\'80 \\u26085?\\tab tab\\par"))
        << rtf.toStdString();
    EXPECT_EQ(plainTextOf(rtf), QStringLiteral("Şık {x} \\ İğ € 日\ttab"));
}

TEST(RtfReader, RegressionInputsOfTheFuzzerReadInBoundedTime)
{
    const QDir dir(QStringLiteral(LETTERS_SAMPLES "/../fuzz-regressions"));
    const QStringList files = dir.entryList(QDir::Files);
    EXPECT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        // What the fuzz target checks: written again, the text reads back
        // the same, also through the editor's document.
        const ReadResult r = read(bytes);
        const ReadResult again = read(write(r.document));
        EXPECT_EQ(again.status, ReadStatus::Ok) << name.toStdString();
        EXPECT_EQ(plainText(again.document), plainText(r.document)) << name.toStdString();
        QTextDocument doc;
        toTextDocument(r.document, doc);
        EXPECT_EQ(read(write(fromTextDocument(doc))).status, ReadStatus::Ok) << name.toStdString();
    }
}

} // namespace

namespace {

TEST(RtfText, TheAdministratorsCommandPrintsThePlainTextInUtf8)
{
    QProcess admin;
    admin.start(QStringLiteral(DORPAK_ADMIN),
                {QStringLiteral("rtf-text"), QStringLiteral(LETTERS_SAMPLES "/libreoffice.rtf")});
    ASSERT_TRUE(admin.waitForFinished(30000));
    EXPECT_EQ(admin.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(admin.readAllStandardOutput()),
              QStringLiteral("Kurum: İstanbul Belediyesi\nKonu: Yol çalışması\n"
                             "Yeşil yazı üstü çizili\n•\tBirinci\n◦\tAlt madde\n"
                             "a)\tHarfli\nTab\tsonrası\nyeni satır\n"));
    admin.start(QStringLiteral(DORPAK_ADMIN),
                {QStringLiteral("rtf-text"), QStringLiteral("/yok.rtf")});
    ASSERT_TRUE(admin.waitForFinished(30000));
    EXPECT_EQ(admin.exitCode(), 1);
}

} // namespace
