#include "letters/letterdocument.h"
#include "letters/richeditor.h"
#include "letters/rtfreader.h"
#include "support/promptscript.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using letters::RichEditor;
using letters::Ruler;
using testsupport::PromptScript;

namespace {

const QByteArray Letter = "{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0\\fcharset162 Arial;}}"
                          "\\pard\\qc\\f0\\fs24{\\b Kal\\'fdn} d\\'fcz\\par"
                          "\\pard\\fi-360\\li720\\ri720 ikinci sat\\'fdr\\par"
                          "\\pard\\qr sa\\'f0\\par}";

class Editor : public testing::Test {
protected:
    void SetUp() override
    {
        editor = std::make_unique<RichEditor>();
        editor->resize(700, 420);
        editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
        editor->load(Letter);
    }

    QToolButton* button(const char* name)
    {
        auto* b = editor->findChild<QToolButton*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    QTextEdit& text() { return *editor->textArea(); }
    void moveTo(int position, int anchor = -1)
    {
        QTextCursor c = text().textCursor();
        c.setPosition(anchor < 0 ? position : anchor);
        if (anchor >= 0)
            c.setPosition(position, QTextCursor::KeepAnchor);
        text().setTextCursor(c);
    }
    QTextCharFormat formatAt(int position)
    {
        QTextCursor c(text().document());
        c.setPosition(position + 1);
        return c.charFormat();
    }
    QStringList pressed()
    {
        QStringList out;
        for (const char* name : {"btnBold", "btnItalic", "btnUnderline", "btnLeftAlign",
                                 "btnCenter", "btnRightAlign", "btnBullets"})
            if (button(name)->isChecked())
                out << QString::fromLatin1(name);
        return out;
    }
    // Presses the marker at its centre, moves the pointer by dx and lets go.
    void drag(Ruler::Marker m, int dx)
    {
        QWidget* marker = editor->ruler()->marker(m);
        const QPointF centre(marker->width() / 2, marker->height() / 2);
        auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
            QMouseEvent e(type, at, marker->mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
            QApplication::sendEvent(marker, &e);
        };
        send(QEvent::MouseButtonPress, centre, Qt::LeftButton);
        if (dx != 0)
            send(QEvent::MouseMove, centre + QPointF(dx, 0), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, centre, Qt::NoButton);
    }
    int left(Ruler::Marker m) { return editor->ruler()->markerLeft(m); }

    std::unique_ptr<RichEditor> editor;
};

TEST_F(Editor, TheToolbarFollowsTheCaretWithoutChangingTheText)
{
    moveTo(2); // inside the bold word of the centred paragraph
    EXPECT_EQ(pressed(), QStringList({"btnBold", "btnCenter"}));
    EXPECT_EQ(editor->findChild<QSpinBox*>(QStringLiteral("spnFontSize"))->value(), 12);
    EXPECT_EQ(editor->findChild<QComboBox*>(QStringLiteral("cmbFontName"))->currentText(),
              QStringLiteral("Arial"));
    moveTo(text().document()->findBlockByNumber(2).position() + 1);
    EXPECT_EQ(pressed(), QStringList({"btnRightAlign"}));
    EXPECT_FALSE(editor->isModified());
    EXPECT_EQ(editor->changeText(), QString());
    EXPECT_FALSE(editor->FUpdating());
}

TEST_F(Editor, WithoutASelectionTheToolbarSetsWhatIsTypedNextWithOneTheSelection)
{
    const int end = text().document()->findBlockByNumber(0).length() - 1;
    moveTo(end);
    button("btnItalic")->click();
    auto* size = editor->findChild<QSpinBox*>(QStringLiteral("spnFontSize"));
    size->setValue(20);
    EXPECT_TRUE(editor->CurrentAttributes().fontItalic());
    EXPECT_FALSE(editor->isModified()) << "nothing typed yet";
    QTest::keyClicks(&text(), "x");
    EXPECT_TRUE(formatAt(end).fontItalic());
    EXPECT_EQ(formatAt(end).fontPointSize(), 20);
    EXPECT_FALSE(formatAt(end - 1).fontItalic());

    // "düz" selected: underline and a font from the list change only it.
    moveTo(end - 1, end - 4);
    button("btnUnderline")->click();
    auto* names = editor->findChild<QComboBox*>(QStringLiteral("cmbFontName"));
    const QString other = names->itemText(0);
    emit names->textActivated(other);
    EXPECT_TRUE(formatAt(end - 2).fontUnderline());
    EXPECT_EQ(formatAt(end - 2).fontFamilies().toStringList().value(0), other);
    EXPECT_FALSE(formatAt(0).fontUnderline());
    // A name that is no entry of the list changes nothing.
    emit names->textActivated(QStringLiteral("Yok Böyle Bir Yazı Tipi"));
    EXPECT_EQ(formatAt(end - 2).fontFamilies().toStringList().value(0), other);
    EXPECT_EQ(editor->changeText(), QStringLiteral("Değişti"));
}

TEST_F(Editor, LettersTypedIntoTheSizeBoxChangeNothing)
{
    moveTo(2, 0);
    auto* size = editor->findChild<QSpinBox*>(QStringLiteral("spnFontSize"));
    size->setFocus();
    size->selectAll();
    QTest::keyClicks(size, "ab");
    EXPECT_EQ(formatAt(0).fontPointSize(), 12);
    EXPECT_FALSE(editor->isModified());
}

TEST_F(Editor, RulerMarkersStandWhereTheIndentsSay)
{
    const int w = editor->ruler()->innerWidth();
    moveTo(0); // F = L = R = 0
    EXPECT_EQ(left(Ruler::FirstLine), 2);
    EXPECT_EQ(left(Ruler::LeftIndent), 2);
    EXPECT_EQ(left(Ruler::RightIndent), w - 14);
    // \fi-360\li720\ri720: F = 18 pt, L = 18 pt, R = 36 pt.
    moveTo(text().document()->findBlockByNumber(1).position());
    EXPECT_EQ(left(Ruler::FirstLine), 26);
    EXPECT_EQ(left(Ruler::LeftIndent), 50);
    EXPECT_EQ(left(Ruler::RightIndent), w - 6 - 56);
}

TEST_F(Editor, DraggingTheFirstLineMarkerMovesOnlyTheFirstLine)
{
    moveTo(0);
    drag(Ruler::FirstLine, 30);
    // F = trunc((32 + 4 - 6) / (4/3)) = 22; the other lines stay at 0.
    const RichEditor::Indents i = editor->paragraphIndents();
    EXPECT_EQ(i.first, 22);
    EXPECT_EQ(i.first + i.left, 0);
    EXPECT_EQ(left(Ruler::FirstLine), 31) << "snapped to the indent set";
    EXPECT_EQ(left(Ruler::LeftIndent), 2);
    EXPECT_TRUE(editor->rtf().contains("\\pard\\qc\\fi440\\li0\\ri0"));
    EXPECT_FALSE(editor->ruler()->FDragging);

    // The left indent marker, then the right one.
    drag(Ruler::LeftIndent, 40);
    EXPECT_EQ(editor->paragraphIndents().first + editor->paragraphIndents().left, 30);
    EXPECT_EQ(editor->paragraphIndents().first, 22);
    drag(Ruler::RightIndent, -20);
    EXPECT_EQ(editor->paragraphIndents().right, 15);
}

TEST_F(Editor, AMarkerPressedAtItsCentreAndLetGoLeavesTheIndents)
{
    for (int block : {0, 1}) {
        moveTo(text().document()->findBlockByNumber(block).position());
        const RichEditor::Indents before = editor->paragraphIndents();
        const QByteArray rtf = editor->rtf();
        for (Ruler::Marker m : {Ruler::FirstLine, Ruler::LeftIndent, Ruler::RightIndent})
            drag(m, 0);
        EXPECT_EQ(editor->paragraphIndents().first, before.first) << block;
        EXPECT_EQ(editor->paragraphIndents().left, before.left) << block;
        EXPECT_EQ(editor->paragraphIndents().right, before.right) << block;
        EXPECT_EQ(editor->rtf(), rtf) << block;
        EXPECT_FALSE(editor->isModified());
    }
}

TEST_F(Editor, StatusLineShowsLineColumnAndTheChangeMark)
{
    EXPECT_EQ(editor->caretText(), QStringLiteral("Satır:   1   Sütun:   1"));
    moveTo(text().document()->findBlockByNumber(1).position() + 2);
    EXPECT_EQ(editor->caretText(), QStringLiteral("Satır:   2   Sütun:   3"));
    EXPECT_EQ(editor->findChild<QLabel*>(QStringLiteral("lblSatirSutun"))->text(),
              editor->caretText());
    QTest::keyClicks(&text(), "z");
    EXPECT_EQ(editor->findChild<QLabel*>(QStringLiteral("lblDegisti"))->text(),
              QStringLiteral("Değişti"));
    EXPECT_EQ(editor->findChild<QLabel*>(QStringLiteral("lblDurum"))->text(), QString());
    button("btnUndo")->click();
    EXPECT_EQ(text().document()->findBlockByNumber(1).text(), QStringLiteral("ikinci satır"));
    editor->load(Letter);
    EXPECT_EQ(editor->changeText(), QString());
}

TEST_F(Editor, FontDialogSetsNameSizeStyleAndColourOrNothingWhenCancelled)
{
    moveTo(4, 0);
    bool accept = false;
    editor->setFontChooser([&](QFont& font, QColor& color) {
        EXPECT_TRUE(font.bold());
        font = QFont(QStringLiteral("Courier New"), 17);
        font.setItalic(true);
        color = QColor(0x11, 0x22, 0x33);
        return accept;
    });
    button("btnFont")->click();
    EXPECT_TRUE(formatAt(1).fontWeight() >= QFont::Bold);
    EXPECT_FALSE(editor->isModified());
    accept = true;
    button("btnFont")->click();
    const QTextCharFormat f = formatAt(1);
    EXPECT_EQ(f.fontFamilies().toStringList().value(0), QStringLiteral("Courier New"));
    EXPECT_EQ(f.fontPointSize(), 17);
    EXPECT_TRUE(f.fontItalic());
    EXPECT_FALSE(f.fontWeight() >= QFont::Bold);
    EXPECT_EQ(f.foreground().color(), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(pressed(), QStringList({"btnItalic", "btnCenter"}));
    EXPECT_EQ(QApplication::focusWidget(), &text());
}

TEST_F(Editor, BulletsGoOnAndOffAndAreStoredAsBullets)
{
    moveTo(0);
    button("btnBullets")->click();
    EXPECT_NE(text().textCursor().block().textList(), nullptr);
    rtf::Document d = rtf::read(editor->rtf()).document;
    EXPECT_EQ(d.paragraphs[0].format.list, rtf::ListKind::Bullet);
    EXPECT_EQ(rtf::plainText(d).left(6), QStringLiteral("•\tKalı"));
    button("btnBullets")->click();
    EXPECT_EQ(text().textCursor().block().textList(), nullptr);
    EXPECT_EQ(rtf::read(editor->rtf()).document.paragraphs[0].format.list, rtf::ListKind::None);
}

TEST_F(Editor, TextThatIsNoRtfOpensAsPlainTextWithAMessage)
{
    PromptScript prompts;
    prompts.expectMessage(letters::NotRtfMessage);
    editor->load("Say\xfdn ilgili,\r\n{\\rtf bozuk");
    EXPECT_EQ(text().toPlainText(), QStringLiteral("Sayın ilgili,\n{\\rtf bozuk"));
    EXPECT_FALSE(editor->isModified());
    prompts.verify();
    editor->load(QByteArray());
    EXPECT_TRUE(editor->isBlank());
    EXPECT_EQ(editor->rtf(), QByteArray());
}

} // namespace
