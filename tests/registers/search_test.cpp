// "Evrak Ara": the document search over one year and over every yearly file
// of the data folder, as a clerk uses it, and "F3-Ara" of the browse lists.

#include "registers_support.h"

#include "core/turkish.h"
#include "db/query.h"
#include "lists/details.h"
#include "lists/tfrmara.h"
#include "support/promptscript.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace registerstest;
using testsupport::PromptScript;

namespace {

// The letter of an outgoing document as the editor stores it, Turkish
// letters escaped and one word in bold.
QByteArray letter(const QByteArray& body)
{
    return "{\\rtf1\\ansi\\ansicpg1254\\deff0{\\fonttbl{\\f0\\fcharset162 Arial;}}\\f0\\fs24 " +
           body + "\\par}";
}

class Search : public AllRegisters {
protected:
    Search()
    {
        ctx.WorkingYear = QStringLiteral("2026");
        ctx.DataFolder = t.folder();
        // 2026, the working year: the program's own file.
        addIncoming({.kayno = 11,
                     .gelno = 1,
                     .bkod = 1,
                     .dkod = 1,
                     .konu = QStringLiteral("İSTANBUL İl Müdürlüğü yazısı")});
        addIncoming({.kayno = 12,
                     .gelno = 2,
                     .bkod = 3,
                     .dkod = 2,
                     .konu = QStringLiteral("Sokak aydınlatması IŞIK arızası")});
        addOutgoing(21, 1, QStringLiteral("Cevap: ışık arızası giderildi"));
        t.exec(QStringLiteral("UPDATE GIDEN SET BKOD=3 WHERE KAYNO=21"));
        addPetition(31, 1, QStringLiteral("Şükrü Öztürk"));
        t.exec(
            QStringLiteral("UPDATE DILEKCE SET KONU='Çöp toplama saatleri',BKOD=3 WHERE KAYNO=31"));
        t.database().commit();

        // 2025: the same layout; a letter that alone holds the words.
        year2025 = t.folder() + QStringLiteral("/DORPAK2025.GDB");
        testsupport::makeYearFile(year2025, db::SchemaVersion::V12_002);
        fill(year2025,
             {{"INSERT INTO DISKUR (DKOD,DKURUM) VALUES(1,'Çankırı Valiliği')", {}},
              {"INSERT INTO BIRIM (BKOD,BIRIM) VALUES(1,'Yazı İşleri Müdürlüğü')", {}},
              {"INSERT INTO SDP (KOD,ACIK) VALUES('611','Su ve kanalizasyon işleri')", {}},
              {"INSERT INTO GELEN (KAYNO,GELNO,GELTAR,KONU,BKOD,DKOD,SDP,CEVDUR,CEVNO,ILGNO) "
               "VALUES(5,7,'03.02.2025','Şube talebi',1,1,'611','H',0,0)",
               {}},
              {"INSERT INTO GIDEN (KAYNO,GIDNO,GIDTAR,KONU,BKOD,DKOD,CEVDUR,CEVNO,ILGNO) "
               "VALUES(6,9,'10.06.2025','Bilgi verilmesi',1,1,'H',0,0)",
               {}},
              {"INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,6,:M)",
               {letter("Su hatt\\'fd ar\\'fdzas\\'fd {\\b \\'c7ANKAYA} b\\'f6lgesinde")}}});

        // 2024: the oldest layout the program upgrades, left as it is.
        year2024 = t.folder() + QStringLiteral("/DORPAK2024.GDB");
        testsupport::makeYearFile(year2024, db::SchemaVersion::V10_002);
        fill(year2024, {{"INSERT INTO DISKUR (DKOD,DKURUM) VALUES(1,'İstanbul Valiliği')", {}},
                        {"INSERT INTO GELEN (KAYNO,GELNO,GELTAR,KONU,BKOD,DKOD,CEVDUR,CEVNO,ILGNO) "
                         "VALUES(3,4,'11.11.2024','Öğretmen ataması',1,1,'H',0,0)",
                         {}},
                        {"INSERT INTO TEXT (KAYNO,METIN) VALUES(3,:M)", {letter("yok")}}});

        // 2023: a file no engine opens.
        year2023 = t.folder() + QStringLiteral("/DORPAK2023.GDB");
        QFile broken(year2023);
        broken.open(QIODevice::WriteOnly);
        broken.write(QByteArray(8192, 'x'));
        broken.close();

        ara.setDetailViews(&geldet, &giddet, &dildet);
        gellst.setSearchScreen(&ara);
    }

    struct Statement {
        const char* sql;
        QVariantList params;
    };
    static void fill(const QString& path, const QList<Statement>& statements)
    {
        db::Database d;
        d.open(path);
        db::Query q(d);
        for (const Statement& s : statements)
            q.execLines({QString::fromUtf8(s.sql)}, s.params);
        d.commit();
        d.close();
    }

    // What the clerk finds: "year register number" of every row.
    QStringList found(const QString& text, bool allYears, const QString& registers = {})
    {
        child<QLineEdit>(ara, "edtAra").setText(text);
        child<QCheckBox>(ara, "chkTumYillar").setChecked(allYears);
        if (!registers.isEmpty())
            child<QComboBox>(ara, "cmbDefter").setCurrentText(registers);
        child<QPushButton>(ara, "btnAra").click();
        QStringList rows;
        for (const lists::SearchHit& h : ara.results().hits())
            rows
                << QStringLiteral("%1 %2 %3").arg(h.year, lists::registerName(h.reg)).arg(h.number);
        return rows;
    }
    QString status() { return child<QLabel>(ara, "lblDurum").text(); }

    // The bytes of a file, to see that a search left it alone.
    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    QString year2025, year2024, year2023;
    lists::TFRMGELDET geldet{t.dm(), ctx};
    lists::TFRMGIDDET giddet{t.dm(), ctx};
    lists::TFRMDILDET dildet{t.dm(), ctx};
    lists::TFRMARA ara{t.dm(), ctx};
    registers::TFRMGELLST& gellst = list;
};

TEST_F(Search, FindsWordsInAnyTurkishCaseInEveryYearNewestFirst)
{
    PromptScript prompts;
    showActive(ara);
    EXPECT_EQ(ara.windowTitle(), QStringLiteral("EVRAK ARA"));
    // The working year alone: "istanbul" is "İSTANBUL", "ışık" is "IŞIK" and
    // "ışık"; "ISIK" is another word.
    EXPECT_EQ(found(QStringLiteral("istanbul"), false), QStringList{"2026 Gelen 1"});
    EXPECT_EQ(found(QStringLiteral("ışık"), false), QStringList({"2026 Gelen 2", "2026 Giden 1"}));
    EXPECT_EQ(found(QStringLiteral("Işık ARIZASI"), false),
              QStringList({"2026 Gelen 2", "2026 Giden 1"}));
    EXPECT_TRUE(found(QStringLiteral("ISIK"), false).isEmpty());
    EXPECT_EQ(found(QStringLiteral("ÇÖP şükrü"), false), QStringList{"2026 Dilekçe 1"});
    // The department and the institution are found through their codes.
    EXPECT_EQ(found(QStringLiteral("zabıta"), false),
              QStringList({"2026 Gelen 2", "2026 Giden 1", "2026 Dilekçe 1"}));
    EXPECT_EQ(found(QStringLiteral("TAPU ışık"), false),
              QStringList({"2026 Gelen 2", "2026 Giden 1"}));
    EXPECT_EQ(found(QStringLiteral("çankırı ışık"), false), QStringList());
    // A registry number, and the place each word was found.
    EXPECT_EQ(found(QStringLiteral("2 sokak"), false), QStringList{"2026 Gelen 2"});
    EXPECT_EQ(ara.results().hits().value(0).matches,
              QStringLiteral("Kay.No: 2 · Konusu: Sokak aydınlatması IŞIK arızası"));

    // Every year: the file of the old layout is searched over the columns
    // it has, the broken file is named, the others searched all the same.
    EXPECT_EQ(found(QStringLiteral("İSTANBUL"), true),
              QStringList({"2026 Gelen 1", "2024 Gelen 4"}));
    EXPECT_TRUE(status().contains(QStringLiteral("(3 yıl dosyası tarandı)")));
    EXPECT_TRUE(status().contains(QStringLiteral(
        "DORPAK2023.GDB açılamadı, aranmadı: Dosya bir DORPAK veritabanı dosyası değil.")));
    EXPECT_TRUE(status().contains(
        QStringLiteral("DORPAK2024.GDB eski bir düzende; bu dosyada aranmayan: Açıklama.")));
    // Found in a letter alone ("ÇANKAYA" in bold, "hattı" escaped), and in a
    // file plan description.
    EXPECT_EQ(found(QStringLiteral("çankaya HATTI"), true), QStringList{"2025 Giden 9"});
    EXPECT_TRUE(ara.results().hits().value(0).matches.startsWith(
        QStringLiteral("Yazı: Su hattı arızası ÇANKAYA")));
    EXPECT_EQ(found(QStringLiteral("kanalizasyon"), true), QStringList{"2025 Gelen 7"});
    EXPECT_EQ(found(QStringLiteral("öğretmen"), true, QStringLiteral("Giden")), QStringList());
    EXPECT_EQ(found(QStringLiteral("öğretmen"), true, QStringLiteral("Gelen")),
              QStringList{"2024 Gelen 4"});
    ara.exit();
}

TEST_F(Search, NeverChangesAFileAndShowsAnotherYearsDocumentFromItsOwnFile)
{
    PromptScript prompts;
    const QByteArray broken = bytes(year2023);
    showActive(ara);
    EXPECT_EQ(found(QStringLiteral("öğretmen"), true), QStringList{"2024 Gelen 4"});
    EXPECT_EQ(found(QStringLiteral("şube"), true), QStringList{"2025 Gelen 7"});

    // The detail view reads 2025's file; the working year's file has no such
    // document.
    prompts.expectModal(QStringLiteral("TFRMGELDET"), [](QDialog& view) {
        EXPECT_EQ(view.windowTitle(), QStringLiteral("GELEN EVRAK BİLGİLERİ (2025)"));
        EXPECT_EQ(child<QLineEdit>(view, "edtGelno").text(), QStringLiteral("7"));
        EXPECT_EQ(child<QLineEdit>(view, "edtDkurum").text(), QStringLiteral("Çankırı Valiliği"));
        QTest::keyClick(&view, Qt::Key_Escape);
    });
    QTest::keyClick(&ara.grid(), Qt::Key_Return);
    EXPECT_EQ(geldet.windowTitle(), QStringLiteral("GELEN EVRAK BİLGİLERİ"));
    ara.exit();

    // The old file is at its old version, with its old columns; the broken
    // one is byte for byte as it was.
    db::Database old;
    old.open(year2024);
    db::Query q(old);
    q.openLines({QStringLiteral("SELECT VER FROM TANIM")});
    EXPECT_EQ(q.value(0, 0).toString(), QStringLiteral("10.002"));
    q.openLines({QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE "
                                "RDB$RELATION_NAME='GELEN' AND RDB$FIELD_NAME='SDP'")});
    EXPECT_EQ(q.value(0, 0).toInt(), 0);
    q.close();
    old.close();
    EXPECT_EQ(bytes(year2023), broken);
}

// A data folder on a server: the other years' files are opened through it,
// as the program opens its working year.
TEST_F(Search, SearchesTheYearsThroughTheServerOfTheDataFolder)
{
    PromptScript prompts;
    ctx.DataFolder = testsupport::testServer() + QLatin1Char(':') + t.folder();
    const QList<lists::YearFile> files = lists::yearFiles(ctx.DataFolder, ctx.WorkingYear);
    ASSERT_EQ(files.size(), 4);
    EXPECT_EQ(files[1].name, ctx.DataFolder + QStringLiteral("/DORPAK2025.GDB"));
    showActive(ara);
    EXPECT_EQ(found(QStringLiteral("ŞUBE Çankaya"), true), QStringList());
    EXPECT_EQ(found(QStringLiteral("şube"), true), QStringList{"2025 Gelen 7"});
    EXPECT_EQ(found(QStringLiteral("ÇANKAYA"), true), QStringList{"2025 Giden 9"});
    EXPECT_EQ(found(QStringLiteral("öğretmen İstanbul"), true), QStringList{"2024 Gelen 4"});
    EXPECT_TRUE(status().contains(QStringLiteral(
        "DORPAK2023.GDB açılamadı, aranmadı: Dosya bir DORPAK veritabanı dosyası değil.")));
    ara.exit();
}

// A server that does not answer is asked once, not for every year (each
// would wait its connect timeout): the working year is searched and the
// clerk told why no other was. "Durdur" is heard while the years are asked.
TEST_F(Search, AServerThatDoesNotAnswerIsAskedOnceAndTheAskingCanBeStopped)
{
    PromptScript prompts;
    // Nothing listens on port 1; the folder is the server's alone.
    ctx.DataFolder = QStringLiteral("127.0.0.1/1:") + t.folder() + QStringLiteral("/yok");
    showActive(ara);
    EXPECT_EQ(found(QStringLiteral("ışık"), true), QStringList({"2026 Gelen 2", "2026 Giden 1"}));
    EXPECT_TRUE(status().contains(
        QStringLiteral("Başka yılların dosyaları aranmadı: Veritabanı sunucusuna ulaşılamıyor.")));
    ara.exit();
    lists::DocumentSearch search(t.dm(), ctx);
    const lists::SearchRequest request{.text = QStringLiteral("ışık"),
                                       .registers = {lists::SearchRegister::Incoming},
                                       .allYears = true};
    int asking = 0;
    search.run(request, [&](int, int total) {
        asking += total == 0;
        return true;
    });
    EXPECT_EQ(asking, 1);

    // A server that answers, asked for years it has no file of: stopped
    // at the third year asked.
    ctx.DataFolder =
        testsupport::testServer() + QLatin1Char(':') + t.folder() + QStringLiteral("/yok");
    int asked = 0;
    const lists::SearchOutcome stopped = search.run(request, [&](int, int) { return ++asked < 3; });
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(stopped.filesSearched, 0);
}

// A text of no words asks for them; a search the lost server breaks off
// shows the error and says it did not end, and the next one can be asked.
TEST_F(Search, AsksForWordsAndSaysWhenTheServerBrokeTheSearchOff)
{
    PromptScript prompts;
    showActive(ara);
    EXPECT_TRUE(found(QStringLiteral("  "), false).isEmpty());
    EXPECT_EQ(status(), QStringLiteral("DİKKAT! Aranacak Sözcükleri Yazınız.."));

    testsupport::PrivateServer server;
    t.database().close();
    t.database().open(server.host() + QLatin1Char(':') + t.path());
    server.stop();
    prompts.expectMessage(testsupport::errorText(core::ErrorCause::ServerUnreachable));
    EXPECT_TRUE(found(QStringLiteral("ışık"), false).isEmpty());
    prompts.verify();
    EXPECT_EQ(status(), QStringLiteral("DİKKAT! Arama Tamamlanamadı.."));
    EXPECT_TRUE(child<QPushButton>(ara, "btnAra").isEnabled());
    server.start();
    EXPECT_EQ(found(QStringLiteral("ışık"), false), QStringList({"2026 Gelen 2", "2026 Giden 1"}));
    ara.exit();
    t.database().close();
    t.database().open(t.path());
}

// The letters read as text by one search serve the next; a letter changed
// in between (by this workstation or another) is read again.
TEST_F(Search, ALetterChangedSinceTheLastSearchIsReadAgain)
{
    PromptScript prompts;
    t.exec(QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,21,:M)"),
           {letter("Park alan\\'fd d\\'fczenlemesi")});
    t.database().commit();
    showActive(ara);
    EXPECT_EQ(found(QStringLiteral("PARKI"), false), QStringList());
    EXPECT_EQ(found(QStringLiteral("parkı ALANI"), false), QStringList());
    EXPECT_EQ(found(QStringLiteral("park alanı"), false), QStringList{"2026 Giden 1"});
    const std::unique_ptr<db::Database> other = t.openSecond();
    db::Query q(*other);
    q.execLines({QStringLiteral("UPDATE TEXT SET METIN=:M WHERE KAYNO=21")},
                {letter("Otopark \\'fccreti")});
    other->commit();
    EXPECT_EQ(found(QStringLiteral("park alanı"), false), QStringList());
    EXPECT_EQ(found(QStringLiteral("ÜCRETİ"), false), QStringList{"2026 Giden 1"});
    ara.exit();
}

// The widened columns of today's files: a ministry's long name and today's
// document number are searched over their whole length.
TEST_F(Search, FindsTheEndOfALongInstitutionNameAndOfTodaysDocumentNumber)
{
    PromptScript prompts;
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(9,:D)"),
           {QStringLiteral("T.C. Çevre, Şehircilik ve İklim Değişikliği Bakanlığı Mekansal "
                           "Planlama Genel Müdürlüğü - ANKARA")});
    t.exec(QStringLiteral("UPDATE GELEN SET DKOD=9,EVSAY=:N WHERE KAYNO=12"),
           {QStringLiteral("E-12345678-751.01-1234567/2026-EK.123456")});
    t.database().commit();
    showActive(ara);
    EXPECT_EQ(found(QStringLiteral("müdürlüğü - ankara"), false), QStringList{"2026 Gelen 2"});
    EXPECT_EQ(found(QStringLiteral("EK.123456"), false), QStringList{"2026 Gelen 2"});
    ara.exit();
}

TEST_F(Search, ATiedClerkFindsOnlyWhatTheRegistersShowThatClerk)
{
    PromptScript prompts;
    ctx.UserDeptCode = 1;
    showActive(ara);
    // Incoming 2 and outgoing 1 belong to department 3; the petition is
    // every clerk's.
    EXPECT_TRUE(found(QStringLiteral("ışık"), true).isEmpty());
    EXPECT_EQ(found(QStringLiteral("çöp"), true), QStringList{"2026 Dilekçe 1"});
    EXPECT_EQ(found(QStringLiteral("istanbul"), true),
              QStringList({"2026 Gelen 1", "2024 Gelen 4"}));
    ctx.UserDeptCode = 3;
    EXPECT_EQ(found(QStringLiteral("ışık"), true), QStringList({"2026 Gelen 2", "2026 Giden 1"}));
    EXPECT_TRUE(found(QStringLiteral("istanbul"), false).isEmpty());
    ara.exit();

    // A register the user may not open is not searched at all.
    ctx.UserDeptCode = 0;
    ara.setRegisterRule(
        [](lists::SearchRegister r) { return r != lists::SearchRegister::Outgoing; });
    showActive(ara);
    const QComboBox& registers = child<QComboBox>(ara, "cmbDefter");
    QStringList offered;
    for (int i = 0; i < registers.count(); ++i)
        offered << registers.itemText(i);
    EXPECT_EQ(offered, QStringList({"Tümü", "Gelen", "Dilekçe"}));
    EXPECT_EQ(found(QStringLiteral("ışık"), true), QStringList{"2026 Gelen 2"});
    ara.exit();
}

TEST_F(Search, NarrowsByTheRegistrationDateAndStopsWhenAsked)
{
    PromptScript prompts;
    t.exec(QStringLiteral("UPDATE GELEN SET GELTAR='02.01.2026' WHERE KAYNO=11"));
    t.exec(QStringLiteral("UPDATE GELEN SET GELTAR='20.03.2026' WHERE KAYNO=12"));
    t.database().commit();
    lists::DocumentSearch search(t.dm(), ctx);
    lists::SearchRequest request{.text = QStringLiteral("a"),
                                 .registers = {lists::SearchRegister::Incoming},
                                 .allYears = true};
    EXPECT_EQ(search.run(request).hits.size(), 4);
    request.from = QDate(2026, 1, 1);
    request.to = QDate(2026, 3, 1);
    const lists::SearchOutcome january = search.run(request);
    ASSERT_EQ(january.hits.size(), 1);
    EXPECT_EQ(january.hits[0].kayno, 11);
    request.from = QDate(2025, 1, 1);
    request.to = {};
    EXPECT_EQ(search.run(request).hits.size(), 3);

    // Stopped after the first file: what was found so far stays.
    int asked = 0;
    const lists::SearchOutcome stopped = search.run({.text = QStringLiteral("a"),
                                                     .registers = {lists::SearchRegister::Incoming},
                                                     .allYears = true},
                                                    [&](int, int) { return ++asked < 2; });
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.filesSearched, 1);
    EXPECT_EQ(stopped.hits.size(), 2);
}

TEST_F(Search, F3OfTheIncomingListSearchesItsRegisterAndMovesToTheChosenDocument)
{
    for (int i = 3; i <= 6; ++i)
        addIncoming({.kayno = 10 + i, .gelno = i, .konu = QStringLiteral("Konu %1").arg(i)});
    PromptScript prompts;
    showActive(gellst);
    EXPECT_EQ(gellst.list().field(QStringLiteral("KAYNO")).toInt(), 16);
    prompts.expectModal(QStringLiteral("TFRMARA"), [this](QDialog& screen) {
        EXPECT_EQ(screen.windowTitle(), QStringLiteral("EVRAK ARA - Gelen 2026"));
        EXPECT_FALSE(child<QComboBox>(screen, "cmbDefter").isEnabled());
        EXPECT_FALSE(child<QCheckBox>(screen, "chkTumYillar").isEnabled());
        // Only this register of this year, whatever the words also match.
        EXPECT_EQ(found(QStringLiteral("ışık"), false), QStringList{"2026 Gelen 2"});
        QTest::keyClick(&ara.grid(), Qt::Key_Return);
    });
    QTest::keyClick(&gellst, Qt::Key_F3);
    EXPECT_EQ(gellst.list().field(QStringLiteral("KAYNO")).toInt(), 12);

    // Left with "ESC-Çıkış": the list stays where it was.
    showActive(gellst);
    prompts.expectModal(QStringLiteral("TFRMARA"),
                        [](QDialog& screen) { QTest::keyClick(&screen, Qt::Key_Escape); });
    QTest::keyClick(&gellst, Qt::Key_F3);
    EXPECT_EQ(gellst.list().field(QStringLiteral("KAYNO")).toInt(), 12);
    gellst.exit();

    // Opened from the menu again, it is the whole search.
    showActive(ara);
    EXPECT_EQ(ara.windowTitle(), QStringLiteral("EVRAK ARA"));
    EXPECT_TRUE(child<QComboBox>(ara, "cmbDefter").isEnabled());
    ara.exit();
}

} // namespace
