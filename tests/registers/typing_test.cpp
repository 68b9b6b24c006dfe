// What a clerk types into the entry screens of the three registers is
// stored whole and as typed, or refused by name with everything kept.

#include "registers_support.h"

#include "support/promptscript.h"
#include "widgets/datebox.h"
#include "widgets/textmark.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace registerstest;
using registers::EntryMode;
using testsupport::PromptScript;

namespace {

const QString DateHint = QStringLiteral("\nTarihi Gün.Ay.Yıl (gg.aa.yyyy) Olarak Yazınız..");
const QString CharacterHint = QStringLiteral("\nBu Karakterleri Silip Yeniden Kaydediniz..");

// What differs between the three entry screens here.
struct Screen {
    const char* name;
    QString table;
    QString numberColumn;
    const char* registrationDate; // its date box and column
    QString registrationColumn;
    const char* documentDate; // "Evrak Tarihi"
    QString documentColumn;
    const char* ownText; // a one-line box of its own
    QString ownColumn;
    QString ownCaption;
    int ownLength;
    QString senderCaption; // TESADI
};

const Screen Screens[] = {
    {"incoming", QStringLiteral("GELEN"), QStringLiteral("GELNO"), "edtGeltar",
     QStringLiteral("GELTAR"), "edtEvtar", QStringLiteral("EVTAR"), "edtEvsay",
     QStringLiteral("EVSAY"), QStringLiteral("Evrak No (Sayı)"), 40,
     QStringLiteral("Teslim Alan Adı S.")},
    {"outgoing", QStringLiteral("GIDEN"), QStringLiteral("GIDNO"), "edtGidtar",
     QStringLiteral("GIDTAR"), "edtEvtar", QStringLiteral("EVTAR"), "edtEvsay",
     QStringLiteral("EVSAY"), QStringLiteral("Evrak No (Sayı)"), 40,
     QStringLiteral("Gönderen Adı Soyadı")},
    {"petition", QStringLiteral("DILEKCE"), QStringLiteral("DILNO"), "edtGeltar",
     QStringLiteral("GELTAR"), "edtDiltar", QStringLiteral("DILTAR"), "edtAdsoy",
     QStringLiteral("ADSOY"), QStringLiteral("Adı ve Soyadı"), 30,
     QStringLiteral("Teslim Alan Adı S.")},
};

enum class Input { Date, Type, Paste, PlanCode };

struct Case {
    const char* widget; // "@date", "@document" and "@own" stand for the screen's boxes
    Input input;
    QString text;
    QString message;
};

class Typing : public AllRegisters, public testing::WithParamInterface<Screen> {
protected:
    registers::DocumentEntryScreen& screen()
    {
        const QString name = QString::fromLatin1(GetParam().name);
        if (name == QLatin1String("incoming"))
            return entry;
        if (name == QLatin1String("outgoing"))
            return giden;
        return dilekce;
    }
    QWidget& box(const char* widget)
    {
        const QString w = QString::fromLatin1(widget);
        const char* name = w == QLatin1String("@date")       ? GetParam().registrationDate
                           : w == QLatin1String("@document") ? GetParam().documentDate
                           : w == QLatin1String("@own")      ? GetParam().ownText
                                                             : widget;
        return child<QWidget>(screen(), name);
    }
    // The text a box holds, as the clerk sees it.
    static QString shown(QWidget& w)
    {
        if (auto* date = qobject_cast<widgets::DateBox*>(&w))
            return date->value();
        if (auto* line = qobject_cast<QLineEdit*>(&w))
            return line->text();
        if (auto* plain = qobject_cast<QPlainTextEdit*>(&w))
            return plain->toPlainText();
        if (auto* combo = qobject_cast<QComboBox*>(&w))
            return combo->currentText();
        return {};
    }
    // The box the keyboard types into.
    static QWidget& typingBox(QWidget& w)
    {
        auto* combo = qobject_cast<QComboBox*>(&w);
        return combo ? *combo->lineEdit() : w;
    }
    void enter(QWidget& w, Input input, const QString& text)
    {
        QWidget& target = typingBox(w);
        clearField(target);
        switch (input) {
        case Input::Date:
            static_cast<QLineEdit&>(target).setCursorPosition(0);
            type(target, QString(text).remove(QLatin1Char('.')));
            break;
        case Input::Type:
            type(target, text);
            break;
        case Input::Paste:
            QApplication::clipboard()->setText(text);
            if (auto* line = qobject_cast<QLineEdit*>(&target))
                line->paste();
            else
                static_cast<QPlainTextEdit&>(target).paste();
            break;
        case Input::PlanCode:
            type(target, text);
            // What the completion added to the typed code.
            QTest::keyClick(&target, Qt::Key_Delete);
            break;
        }
    }
    int stored() { return count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(GetParam().table)); }
};

TEST_P(Typing, WhatTheFileCannotHoldIsRefusedByNameAndKeptWhole)
{
    const Screen& s = GetParam();
    const QString long300 = QString(299, QLatin1Char('k')) + QStringLiteral("z");
    const QString longOwn = QString(s.ownLength + 1, QLatin1Char('E'));
    const Case cases[] = {
        {"@date", Input::Date, QStringLiteral("00.00.0000"),
         QStringLiteral("DİKKAT! Kayıt Tarihi Geçerli Bir Tarih Değildir: 00.00.0000") + DateHint},
        {"edtZtar", Input::Date, QStringLiteral("99.99.9999"),
         QStringLiteral("DİKKAT! Zimmet Tarihi Geçerli Bir Tarih Değildir: 99.99.9999") + DateHint},
        {"@document", Input::Date, QStringLiteral("31.02.2026"),
         QStringLiteral("DİKKAT! Evrak Tarihi Geçerli Bir Tarih Değildir: 31.02.2026") + DateHint},
        {"edtKonu", Input::Type, QStringLiteral("Москва ziyareti"),
         QStringLiteral(
             "DİKKAT! Konusu (Özü) Alanındaki Şu Karakterler Kaydedilemez: М о с к в а") +
             CharacterHint},
        {"edtEk", Input::Paste, QStringLiteral("Tercüme: مرحبا 北京"),
         QStringLiteral("DİKKAT! Eki Alanındaki Şu Karakterler Kaydedilemez: م ر ح ب ا 北 京") +
             CharacterHint},
        {"edtTesadi", Input::Paste, QStringLiteral("Ayşe 😀"),
         QStringLiteral("DİKKAT! %1 Alanındaki Şu Karakterler Kaydedilemez: 😀")
                 .arg(s.senderCaption) +
             CharacterHint},
        {"edtKonu", Input::Paste, long300,
         QStringLiteral("DİKKAT! Konusu (Özü) En Fazla 200 Karakter Olabilir. Yazılan Metin 300 "
                        "Karakterdir..")},
        {"@own", Input::Paste, longOwn,
         QStringLiteral("DİKKAT! %1 En Fazla %2 Karakter Olabilir. Yazılan Metin %3 Karakterdir..")
             .arg(s.ownCaption)
             .arg(s.ownLength)
             .arg(s.ownLength + 1)},
        {"edtEksay", Input::Paste, QStringLiteral("99999"),
         QStringLiteral("DİKKAT! Ek Sayısı En Fazla 32767 Olabilir. Yazılan Sayı: 99999..")},
        {"edtEksay", Input::Paste, QStringLiteral("1234567890123456789012345"),
         QStringLiteral("DİKKAT! Ek Sayısı En Fazla 32767 Olabilir. Yazılan Sayı: "
                        "1234567890123456789012345..")},
        {"cmbSdp", Input::PlanCode, QStringLiteral("806"),
         QStringLiteral("DİKKAT! Std. Dosya Kodu 806 Bir Detay Kod Değildir. Detay Kod için İşlem "
                        "Yapmalısınız..")},
        {"cmbSdp", Input::PlanCode, QStringLiteral("999.99"),
         QStringLiteral("DİKKAT! Std. Dosya Kodu 999.99 Standart Dosya Planında Bulunamadı..")},
    };
    PromptScript nothingElse;
    open(screen(), EntryMode::New);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        QWidget& w = box(c.widget);
        enter(w, c.input, c.text);
        const QString typed = shown(w);
        if (c.input == Input::Paste || c.input == Input::Type) {
            EXPECT_EQ(typed, c.text);
            // Marked as it is typed, before any saving.
            EXPECT_TRUE(widgets::isMarked(typingBox(w)));
        }
        PromptScript prompts;
        prompts.expectMessage(c.message);
        child<QPushButton>(screen(), "btnKayit").click();
        prompts.verify();
        EXPECT_TRUE(screen().isVisible());
        EXPECT_TRUE(typingBox(w).hasFocus());
        EXPECT_EQ(shown(w), typed); // everything typed is kept
        EXPECT_EQ(stored(), 0);
        clearField(typingBox(w));
        EXPECT_FALSE(widgets::isMarked(typingBox(w)));
    }

    // The letters and marks of the code page, a date of the calendar, a
    // detail code and texts as long as their columns are stored as typed.
    const QString subject =
        QStringLiteral("Çağrı’nın “İmar” dilekçesi – 5 € … ") + QString(165, QChar(u'ş'));
    ASSERT_EQ(subject.size(), 200);
    enter(box("@document"), Input::Date, QStringLiteral("29.02.2028"));
    enter(box("edtKonu"), Input::Paste, subject);
    enter(box("@own"), Input::Paste, QString(s.ownLength, QLatin1Char('E')));
    enter(box("cmbSdp"), Input::PlanCode, QStringLiteral("806.02"));
    child<QPushButton>(screen(), "btnKayit").click();
    EXPECT_FALSE(screen().isVisible());
    EXPECT_EQ(
        row(s.table, 101, s.documentColumn + QStringLiteral(",KONU,SDP,") + s.ownColumn),
        (QStringList{"29.02.2028", subject, "806.02", QString(s.ownLength, QLatin1Char('E'))}));
}

TEST_P(Typing, WhatTheFileHoldsAlreadyIsShownAndSavedAsItIs)
{
    // A date the mask let through and a plan code that has sub-codes, as
    // older versions and older file plans left them.
    const Screen& s = GetParam();
    t.exec(QStringLiteral("INSERT INTO %1 (KAYNO,%2,%3,%4,SDP,KONU,CEVDUR,CEVNO) VALUES "
                          "(7,1,'05.13.2024','31.02.2024','806.01','Eski konu','H',0)")
               .arg(s.table, s.numberColumn, s.registrationColumn, s.documentColumn));
    t.database().commit();
    open(screen(), EntryMode::Edit, 7);
    EXPECT_EQ(shown(box("@date")), QStringLiteral("05.13.2024"));
    EXPECT_EQ(shown(box("@document")), QStringLiteral("31.02.2024"));
    EXPECT_EQ(shown(box("cmbSdp")), QStringLiteral("806.01"));
    EXPECT_EQ(child<QLabel>(screen(), "lblSack2").text(), QStringLiteral("Vatandaş Dilekçeleri"));
    auto& konu = child<QPlainTextEdit>(screen(), "edtKonu");
    QTest::keyClick(&konu, Qt::Key_End, Qt::ControlModifier);
    type(konu, QStringLiteral(" (ek)"));
    child<QPushButton>(screen(), "btnKayit").click();
    EXPECT_FALSE(screen().isVisible());
    EXPECT_EQ(row(s.table, 7, s.documentColumn + QStringLiteral(",SDP,KONU")),
              (QStringList{"31.02.2024", "806.01", "Eski konu (ek)"}));
}

INSTANTIATE_TEST_SUITE_P(Registers, Typing, testing::ValuesIn(Screens),
                         [](const testing::TestParamInfo<Screen>& info) {
                             return std::string(info.param.name);
                         });

class Lists : public AllRegisters {};

TEST_F(Lists, TodaysDocumentNumberAndALongInstitutionNameAreStoredAndListedWhole)
{
    const QString ministry =
        QStringLiteral("T.C. Çevre, Şehircilik ve İklim Değişikliği Bakanlığı Mekansal Planlama "
                       "Genel Müdürlüğü - ANKARA");
    const QString number = QStringLiteral("E-12345678-751.01-1234567/2026-EK.123456");
    ASSERT_EQ(number.size(), 40);
    ASSERT_GT(ministry.size(), 90);
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(9,:D)"), {ministry});
    t.database().commit();
    struct Register {
        registers::DocumentEntryScreen& screen;
        registers::BrowseList& list;
        QString institution;
    };
    const Register registers[] = {{entry, list, QStringLiteral("Geldiği Yer")},
                                  {giden, gidlst, QStringLiteral("Gönderildiği Yer")}};
    for (const Register& r : registers) {
        SCOPED_TRACE(r.institution.toStdString());
        showActive(r.list);
        PromptScript prompts;
        prompts.expectModal(r.screen.objectName(), [&](QDialog& d) {
            choose(child<QComboBox>(d, "cmbKurum"), ministry);
            auto& evtar = child<widgets::DateBox>(d, "edtEvtar");
            evtar.setCursorPosition(0);
            type(evtar, QStringLiteral("10032026"));
            QApplication::clipboard()->setText(number);
            child<QLineEdit>(d, "edtEvsay").paste();
            child<QPushButton>(d, "btnKayit").click();
        });
        child<QPushButton>(r.list, "btnYeni").click();
        prompts.verify();
        EXPECT_EQ(shownColumn(r.list, r.institution).value(0), ministry);
        EXPECT_EQ(shownColumn(r.list, QStringLiteral("Evrak Tar./No")).value(0),
                  QStringLiteral("10.03.2026/") + number);
        r.list.exit();
    }
}

} // namespace
