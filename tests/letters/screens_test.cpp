#include "core/appcontext.h"
#include "db/query.h"
#include "letters/letterdocument.h"
#include "letters/letterprint.h"
#include "letters/richeditor.h"
#include "letters/rtfreader.h"
#include "letters/templates.h"
#include "letters/tfrmsablon.h"
#include "letters/tfrmtext1.h"
#include "letters/tqrpgidyaz.h"
#include "refdata/refdata_support.h"
#include "support/pdfpages.h"
#include "support/promptscript.h"
#include "support/testdb.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

using refdatatest::leaveRow;
using refdatatest::showActive;
using refdatatest::typeIntoCell;
using refdatatest::typeText;
using testsupport::PromptScript;
using testsupport::TempDatabase;

namespace {

QByteArray rtfOf(const QString& text)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0\\fcharset162 Arial;}}\\f0\\fs24 ";
    out += text.toLatin1();
    return out + "\\par}";
}

// The letter row as the outgoing entry holds it: a TEXT row with HARNO 1,
// read when the document opens, written when it is saved.
class LetterRow : public letters::LetterSource {
public:
    LetterRow(TempDatabase& db, int kayno) : m_db(db), m_kayno(kayno)
    {
        db::Query q(db.database());
        q.openLines(
            {QStringLiteral("SELECT * FROM TEXT"), QStringLiteral("WHERE KAYNO=:KN AND HARNO=1")},
            {kayno});
        m_stored = !q.isEmpty();
        if (m_stored)
            m_text = q.field(QStringLiteral("METIN")).toBytes();
    }
    QByteArray letterText() const override { return m_text; }
    void setLetterText(const QByteArray& rtf) override
    {
        m_text = rtf;
        ++writes;
    }
    letters::MergeValues mergeValues() const override { return values; }
    // "F5-Kayıt" of the entry.
    void save()
    {
        db::Query q(m_db.database());
        if (m_stored)
            q.execLines({QStringLiteral("UPDATE TEXT SET METIN=:M WHERE KAYNO=:K AND HARNO=1")},
                        {m_text, m_kayno});
        else
            q.execLines({QStringLiteral("INSERT INTO TEXT (KAYNO,HARNO,METIN) VALUES(:K,1,:M)")},
                        {m_kayno, m_text});
        m_db.database().commit();
        m_stored = true;
    }
    QByteArray stored() const
    {
        db::Query q(m_db.database());
        q.openLines({QStringLiteral("SELECT METIN FROM TEXT WHERE KAYNO=:K AND HARNO=1")},
                    {m_kayno});
        return q.isEmpty() ? QByteArray() : q.value(0, 0).toBytes();
    }

    letters::MergeValues values;
    int writes = 0;

private:
    TempDatabase& m_db;
    int m_kayno;
    bool m_stored = false;
    QByteArray m_text;
};

class LetterEditor : public testing::Test {
protected:
    void SetUp() override { ctx.PreviewBeforePrint = QStringLiteral("H"); }

    void addTemplate(int kayno, const QString& description, const QByteArray& text)
    {
        db.exec(QStringLiteral("INSERT INTO SABLON (KAYNO,ACIK,METIN) VALUES(:K,:A,:M)"),
                {kayno, description, text});
    }
    // Opens the editor as the entry screen does, on the letter row.
    void open(LetterRow& row)
    {
        screen.setSource(&row);
        showActive(screen);
    }
    QStringList menuEntries()
    {
        QStringList out;
        for (QAction* a : screen.templateMenu().actions())
            out << a->text();
        return out;
    }
    void choose(const QString& caption)
    {
        for (QAction* a : screen.templateMenu().actions())
            if (a->text() == caption) {
                a->trigger();
                return;
            }
        ADD_FAILURE() << "no entry " << caption.toStdString();
    }
    QString shown() { return screen.editor().textArea()->toPlainText(); }

    TempDatabase db;
    core::AppContext ctx;
    QImage emblem;
    letters::TQRPGIDYAZ layout;
    letters::TFRMTEXT1 screen{db.dm(), ctx, layout, [this] { return emblem; }};
};

TEST_F(LetterEditor, TheMenuListsTheTemplatesAndLoadsOneWithItsFieldsMerged)
{
    addTemplate(1, QStringLiteral("Cevap & Bilgi"),
                rtfOf(QStringLiteral("Say\\'fd: [sayi] / [sayi]\\par Konu: [konu]\\par Tarih: "
                                     "[TARIH]\\par Ek: [SA{\\b YI}]")));
    addTemplate(2, QStringLiteral("Bos"), QByteArray());
    LetterRow row(db, 77);
    row.values = {QStringLiteral("B.05/12"), QStringLiteral("Toplantı [TARIH] günü"),
                  QStringLiteral("02.03.2026")};
    PromptScript prompts;
    open(row);
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("GİDEN YAZI"));
    EXPECT_EQ(menuEntries(),
              QStringList({QStringLiteral("Cevap && Bilgi"), QStringLiteral("Bos")}));
    // An empty letter takes the template without a question.
    choose(QStringLiteral("Cevap && Bilgi"));
    EXPECT_EQ(shown(), QStringLiteral("Sayı: B.05/12 / B.05/12\nKonu: Toplantı 02.03.2026 günü\n"
                                      "Tarih: 02.03.2026\nEk: [SAYI]"));
    EXPECT_EQ(rtf::plainTextOf(row.letterText()), shown());
    // Closing hands nothing more over: the template went to the row at once.
    const int writes = row.writes;
    screen.findChild<QPushButton*>(QStringLiteral("btnCikis"))->click();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(row.writes, writes);
    row.save();
    EXPECT_EQ(rtf::plainTextOf(row.stored()), rtf::plainTextOf(row.letterText()));
}

TEST_F(LetterEditor, ALetterWithTextIsReplacedOnlyAfterYes)
{
    addTemplate(1, QStringLiteral("Şablon"), rtfOf(QStringLiteral("Yeni metin [SAYI]")));
    db.exec(QStringLiteral("INSERT INTO TEXT (KAYNO,HARNO,METIN) VALUES(5,1,:M)"),
            {rtfOf(QStringLiteral("Eski metin"))});
    LetterRow row(db, 5);
    PromptScript prompts;
    open(row);
    prompts.expectQuestion(letters::TFRMTEXT1::ReplaceQuestion, false);
    choose(QStringLiteral("Şablon"));
    EXPECT_EQ(shown(), QStringLiteral("Eski metin"));
    EXPECT_EQ(row.writes, 0);
    prompts.expectQuestion(letters::TFRMTEXT1::ReplaceQuestion, true);
    choose(QStringLiteral("Şablon"));
    EXPECT_EQ(shown(), QStringLiteral("Yeni metin ")) << "no number typed yet";
    // Deleted since the menu was filled: the letter becomes empty.
    db.exec(QStringLiteral("DELETE FROM SABLON"));
    prompts.expectQuestion(letters::TFRMTEXT1::ReplaceQuestion, true);
    choose(QStringLiteral("Şablon"));
    EXPECT_EQ(shown(), QString());
    EXPECT_EQ(row.letterText(), QByteArray());
    prompts.verify();
    screen.close();
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(LetterEditor, TwoTemplatesOfOneDescriptionLoadTheFirstTheDatabaseReturns)
{
    addTemplate(1, QStringLiteral("Aynı"), rtfOf(QStringLiteral("birinci")));
    addTemplate(2, QStringLiteral("Aynı"), rtfOf(QStringLiteral("ikinci")));
    LetterRow row(db, 9);
    PromptScript prompts;
    open(row);
    ASSERT_EQ(menuEntries().size(), 2);
    screen.templateMenu().actions().at(1)->trigger();
    EXPECT_EQ(shown(), QStringLiteral("birinci"));
    screen.close();
}

TEST_F(LetterEditor, WhatTheClerkTypesGoesToTheRowWhenTheEditorCloses)
{
    LetterRow row(db, 11);
    PromptScript typing;
    open(row);
    EXPECT_EQ(shown(), QString());
    typeText(screen.editor().textArea(), QStringLiteral("Sayın Müdürlüğe"));
    EXPECT_EQ(row.writes, 0);
    screen.close(); // the window's own button: the same as "Çıkış"
    EXPECT_FALSE(screen.isVisible());
    ASSERT_EQ(row.writes, 1);
    EXPECT_EQ(rtf::plainTextOf(row.letterText()), QStringLiteral("Sayın Müdürlüğe"));
    EXPECT_EQ(row.stored(), QByteArray()) << "saved only with the entry";
    row.save();
    EXPECT_EQ(rtf::plainTextOf(row.stored()), QStringLiteral("Sayın Müdürlüğe"));

    // Opened again and left without a change: the row is not touched, even
    // when it holds text that is no RTF.
    db.exec(QStringLiteral("UPDATE TEXT SET METIN=:M WHERE KAYNO=11"),
            {QByteArray("d\xfcz metin")});
    LetterRow plain(db, 11);
    PromptScript prompts;
    prompts.expectMessage(letters::NotRtfMessage);
    open(plain);
    EXPECT_EQ(shown(), QStringLiteral("düz metin"));
    screen.findChild<QPushButton*>(QStringLiteral("btnCikis"))->click();
    EXPECT_EQ(plain.writes, 0);
}

TEST_F(LetterEditor, F7PrintsTheLetterAsEditedWithTheEmblemItKeeps)
{
    QTemporaryDir dir;
    LetterRow row(db, 21);
    PromptScript prompts;
    open(row);
    typeText(screen.editor().textArea(), QStringLiteral("Yazdırılan metin"));
    emblem = QImage(40, 30, QImage::Format_RGB32);
    emblem.fill(Qt::red);
    prompts.expectPrintDialog(false);
    QTest::keyClick(&screen, Qt::Key_F7);
    EXPECT_TRUE(layout.logo().isNull()) << "a cancelled dialog changes nothing";
    const QString pdf = dir.filePath(QStringLiteral("yazi.pdf"));
    prompts.expectPrintDialog(true, 2, pdf);
    QTest::keyClick(&screen, Qt::Key_F7);
    prompts.verify();
    EXPECT_EQ(layout.copyCount(), 2);
    EXPECT_EQ(testsupport::pdfPageCount(pdf), 2) << "two copies of one page";
    EXPECT_EQ(rtf::plainTextOf(layout.letter()), QStringLiteral("Yazdırılan metin"));
    EXPECT_EQ(layout.logo().pixelColor(0, 0), QColor(Qt::red));
    // The emblem removed since: the layout prints the one it was given.
    emblem = QImage();
    prompts.expectPrintDialog(true, 1, dir.filePath(QStringLiteral("b.pdf")));
    screen.print();
    EXPECT_FALSE(layout.logo().isNull());
    screen.close();
}

TEST(LetterLayout, ALetterLongerThanThePageIsCutAtItsBoxOnOnePage)
{
    QTemporaryDir dir;
    letters::TQRPGIDYAZ layout;
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0\\fcharset162 Arial;}}\\f0\\fs24 ";
    for (int i = 1; i <= 200; ++i)
        rtf += "Sat\\'fdr " + QByteArray::number(i) + "\\par ";
    layout.setLetter(rtf + "}");
    const QString pdf = dir.filePath(QStringLiteral("uzun.pdf"));
    EXPECT_EQ(report::exportPdf(layout, pdf), 1);
    EXPECT_EQ(testsupport::pdfPageCount(pdf), 1);
    EXPECT_EQ(layout.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(layout.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(layout.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
}

TEST(LetterLayout, TheEntryScreensPrintingUsesTheLayoutsSetUpAndThePreviewSetting)
{
    QTemporaryDir dir;
    letters::TQRPGIDYAZ layout;
    QImage logo(10, 10, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    QWidget caller;
    PromptScript prompts;
    prompts.expectPrintDialog(true, 1, dir.filePath(QStringLiteral("o.pdf")));
    const report::PrintOutcome out =
        letters::printLetter(layout, rtfOf(QStringLiteral("Önizleme")), logo, QStringLiteral("E"),
                             report::PrintDialogKind::LayoutSetup, &caller);
    prompts.verify();
    ASSERT_FALSE(out.preview.isNull());
    EXPECT_EQ(out.preview->pageCount(), 1);
    EXPECT_EQ(layout.logo().pixelColor(0, 0), QColor(Qt::blue));
    out.preview->close();
}

// The template library, opened as the menu opens it.
class TemplateLibrary : public testing::Test {
protected:
    void open() { showActive(screen); }
    // Starts a template at the end of the list with its description, types
    // its text and leaves it for a new row.
    void add(const QString& description, const QString& text)
    {
        ASSERT_TRUE(screen.grid().startNewRow());
        if (!description.isNull())
            typeIntoCell(screen.grid(), screen.rows().rowCount() - 1, 0, description);
        if (!text.isEmpty())
            typeText(screen.editor().textArea(), text);
    }
    void exit() { screen.findChild<QPushButton*>(QStringLiteral("btnCikis"))->click(); }
    QString stored(const QString& sql) { return db.scalar(sql); }
    QString otherSees(const QString& sql)
    {
        auto other = db.openSecond();
        db::Query q(*other);
        q.add(sql);
        q.open();
        return q.isEmpty() ? QString() : q.value(0, 0).toString();
    }

    TempDatabase db;
    core::AppContext ctx;
    letters::TFRMSABLON screen{db.dm(), ctx};
};

TEST_F(TemplateLibrary, NumbersNewTemplatesAndCommitsOnExit)
{
    PromptScript prompts;
    open();
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("EVRAK ÖRNEĞİ"));
    EXPECT_EQ(screen.rows().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("E V R A K    Ş A B L O N   A Ç I K L A M A S I"));
    EXPECT_EQ(screen.NextTemplateKayno(), 1);
    add(QStringLiteral("Genel Cevap"), QStringLiteral("Sayı: [SAYI]"));
    add(QStringLiteral("İkinci"), QStringLiteral("Konu: [KONU]"));
    exit();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(
        otherSees(QStringLiteral(
            "SELECT LIST(K, ',') FROM (SELECT KAYNO || '=' || ACIK K FROM SABLON ORDER BY KAYNO)")),
        QStringLiteral("1=Genel Cevap,2=İkinci"));
    const QByteArray text = [&] {
        db::Query q(db.database());
        q.openLines({QStringLiteral("SELECT METIN FROM SABLON WHERE KAYNO=1")});
        return q.value(0, 0).toBytes();
    }();
    EXPECT_TRUE(rtf::looksLikeRtf(text));
    EXPECT_EQ(rtf::plainTextOf(text), QStringLiteral("Sayı: [SAYI]"));

    // Moving in the list shows the text of the template moved to.
    open();
    EXPECT_EQ(screen.editor().textArea()->toPlainText(), QStringLiteral("Sayı: [SAYI]"));
    leaveRow(screen.grid(), Qt::Key_Down);
    EXPECT_EQ(screen.editor().textArea()->toPlainText(), QStringLiteral("Konu: [KONU]"));
    exit();
}

TEST_F(TemplateLibrary, RefusesATemplateWithoutDescriptionOrTextAndKeepsItInEditing)
{
    struct Case {
        QString description;
        QString text;
        QString message;
    };
    const Case cases[] = {
        {QStringLiteral("Metinsiz"), QString(), letters::TemplateTextMissing},
        {QString(), QStringLiteral("Açıklamasız metin"), letters::TemplateDescriptionMissing},
        {QStringLiteral("   "), QString(), letters::TemplateDescriptionMissing},
    };
    for (const Case& c : cases) {
        PromptScript prompts;
        open();
        add(c.description, c.text);
        prompts.expectMessage(c.message);
        exit();
        prompts.verify();
        EXPECT_TRUE(screen.isVisible()) << c.message.toStdString();
        EXPECT_NE(screen.rows().state(), widgets::EditableTable::State::Browse);
        EXPECT_EQ(stored(QStringLiteral("SELECT COUNT(*) FROM SABLON")), QStringLiteral("0"));
        screen.close(); // the window's button: nothing written
        EXPECT_FALSE(screen.isVisible());
    }
}

TEST_F(TemplateLibrary, SilDeletesAtOnceAndTheHighestNumberComesBackInALaterVisit)
{
    db.exec(QStringLiteral("INSERT INTO SABLON (KAYNO,ACIK,METIN) VALUES(1,'A',:M)"),
            {rtfOf(QStringLiteral("a"))});
    db.exec(QStringLiteral("INSERT INTO SABLON (KAYNO,ACIK,METIN) VALUES(2,'B',:M)"),
            {rtfOf(QStringLiteral("b"))});
    db.database().commit();
    PromptScript prompts; // no question comes
    open();
    EXPECT_EQ(screen.NextTemplateKayno(), 3);
    screen.grid().setCurrentIndex(screen.rows().index(1, 0));
    screen.findChild<QAction*>(QStringLiteral("actSil"))->trigger();
    EXPECT_EQ(screen.rows().rowCount(), 1);
    EXPECT_EQ(screen.editor().textArea()->toPlainText(), QStringLiteral("a"));
    // Closed by the window's button: the deletion waits in the transaction.
    screen.close();
    EXPECT_EQ(otherSees(QStringLiteral("SELECT COUNT(*) FROM SABLON")), QStringLiteral("2"));
    EXPECT_EQ(stored(QStringLiteral("SELECT COUNT(*) FROM SABLON")), QStringLiteral("1"));
    open();
    EXPECT_EQ(screen.NextTemplateKayno(), 2);
    add(QStringLiteral("C"), QStringLiteral("c"));
    exit();
    EXPECT_EQ(otherSees(QStringLiteral(
                  "SELECT LIST(K, ',') FROM (SELECT KAYNO || ACIK K FROM SABLON ORDER BY KAYNO)")),
              QStringLiteral("1A,2C"));
}

TEST_F(TemplateLibrary, ChangingTheTextOfAStoredTemplateWritesItWhenTheRowIsLeft)
{
    db.exec(QStringLiteral("INSERT INTO SABLON (KAYNO,ACIK,METIN) VALUES(1,'A',:M)"),
            {rtfOf(QStringLiteral("eski"))});
    db.exec(QStringLiteral("INSERT INTO SABLON (KAYNO,ACIK,METIN) VALUES(2,'B',:M)"),
            {rtfOf(QStringLiteral("b"))});
    PromptScript prompts;
    open();
    QTextEdit* text = screen.editor().textArea();
    text->moveCursor(QTextCursor::End);
    typeText(text, QStringLiteral(" yeni"));
    EXPECT_EQ(screen.rows().state(), widgets::EditableTable::State::Edit);
    leaveRow(screen.grid(), Qt::Key_Down);
    EXPECT_EQ(screen.rows().state(), widgets::EditableTable::State::Browse);
    db::Query q(db.database());
    q.openLines({QStringLiteral("SELECT METIN FROM SABLON WHERE KAYNO=1")});
    EXPECT_EQ(rtf::plainTextOf(q.value(0, 0).toBytes()), QStringLiteral("eski yeni"));
    exit();
}

TEST_F(TemplateLibrary, ATemplateAnotherWorkstationDeletedIsNotTakenAsSavedAndKeepsTheText)
{
    db.exec(QStringLiteral("INSERT INTO SABLON (KAYNO,ACIK,METIN) VALUES(1,'A',:M)"),
            {rtfOf(QStringLiteral("eski"))});
    db.exec(QStringLiteral("INSERT INTO SABLON (KAYNO,ACIK,METIN) VALUES(2,'B',:M)"),
            {rtfOf(QStringLiteral("b"))});
    db.database().commit();
    PromptScript prompts;
    open();
    {
        auto other = db.openSecond();
        db::Query q(*other);
        q.execLines({QStringLiteral("DELETE FROM SABLON WHERE KAYNO=1")});
        other->commit();
    }
    QTextEdit* text = screen.editor().textArea();
    text->moveCursor(QTextCursor::End);
    typeText(text, QStringLiteral(" yeni"));
    prompts.expectMessage(letters::TemplateRemovedElsewhere);
    leaveRow(screen.grid(), Qt::Key_Down);
    prompts.verify();
    EXPECT_EQ(screen.rows().state(), widgets::EditableTable::State::Edit);
    EXPECT_EQ(screen.rows().editRow(), 0);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("eski yeni"));
    EXPECT_TRUE(screen.editor().isModified());
    prompts.expectMessage(letters::TemplateRemovedElsewhere);
    exit();
    prompts.verify();
    EXPECT_TRUE(screen.isVisible());
    screen.close();
}

} // namespace
