#include "access/sifrele.h"
#include "access/tfrmpsswd.h"
#include "access/tfrmsifre.h"
#include "support/clerk.h"
#include "support/promptscript.h"
#include "support/testdb.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using testsupport::child;
using testsupport::PromptScript;
using testsupport::showActive;
using testsupport::TempDatabase;
using testsupport::typeText;

namespace {

const QString WrongName = QStringLiteral(" KULLANICI ADI HATALI");
const QString WrongPassword = QStringLiteral(" YANLIŞ ŞİFRE ");

// A yearly file with the vendor account and a clerk bound to department 7.
class Login : public testing::Test {
protected:
    Login()
    {
        t.exec(QStringLiteral("INSERT INTO USERS (USR,HNO,PSSWD,ACIK,ACIK1,OZEL) "
                              "VALUES(:U,2,:P,:A,'',7)"),
               {QStringLiteral("ayşe"), SIFRELE(QStringLiteral("1"), QStringLiteral("ab1Ç9")),
                QStringLiteral("Ayşe Yıldırım")});
        ctx.UserDeptCode = 3; // whatever was there before the login
    }

    void open()
    {
        showActive(screen);
        name = &child<QLineEdit>(screen, "edtAdi");
        password = &child<QLineEdit>(screen, "edtSifresi");
        tamam = &child<QPushButton>(screen, "btnTamam");
    }

    // Types a name and a password into emptied fields and presses "Tamam".
    void attempt(const QString& typedName, const QString& typedPassword)
    {
        name->clear();
        typeText(name, typedName);
        password->clear();
        typeText(password, typedPassword);
        tamam->click();
    }

    PromptScript noPrompts; // a test expects its messages with a script of its own
    TempDatabase t;
    core::AppContext ctx;
    TFRMPSSWD screen{t.dm(), ctx};
    QLineEdit* name = nullptr;
    QLineEdit* password = nullptr;
    QPushButton* tamam = nullptr;
};

TEST_F(Login, EachRefusedAttemptShowsItsMessageAndCounts)
{
    struct Case {
        const char* what;
        QString name;
        QString password;
        QString message;
    };
    const Case cases[] = {
        {"unknown name", QStringLiteral("mehmet"), QStringLiteral("ab169"), WrongName},
        {"name differing only in case", QStringLiteral("Ayşe"), QStringLiteral("ab169"), WrongName},
        {"name with a trailing space", QStringLiteral("ayşe "), QStringLiteral("ab169"), WrongName},
        {"empty name", QString(), QString(), WrongName},
        {"wrong password", QStringLiteral("ayşe"), QStringLiteral("ab168"), WrongPassword},
        {"password in upper case", QStringLiteral("ayşe"), QStringLiteral("AB169"), WrongPassword},
        // Ç does not survive the encoding: the stored password reads back as "ab169"
        {"the password as it was given", QStringLiteral("ayşe"), QStringLiteral("ab1Ç9"),
         WrongPassword},
        {"password longer than five characters", QStringLiteral("ayşe"), QStringLiteral("ab1690"),
         WrongPassword},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PromptScript prompts;
        prompts.expectMessage(c.message);
        screen.LoginAttempt = 1;
        attempt(c.name, c.password);
        prompts.verify();
        EXPECT_EQ(screen.LoginAttempt, 2);
        EXPECT_EQ(screen.LoginResult, 0);
        EXPECT_TRUE(screen.isVisible());
        EXPECT_EQ(ctx.UserDeptCode, 0);
        EXPECT_EQ(QApplication::focusWidget(), c.message == WrongName ? name : password);
    }
    EXPECT_EQ(ctx.UserFullName, QStringLiteral("Dodidozur"));

    child<QPushButton>(screen, "btnCikis").click();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.LoginResult, 2);
}

TEST_F(Login, ThePasswordAsStoredLogsIn)
{
    // "ab1Ç9" was stored as "gi9?C", which reads back as "ab169".
    EXPECT_EQ(t.scalar(QStringLiteral("SELECT PSSWD FROM USERS WHERE HNO=2")),
              QStringLiteral("gi9?C"));
    open();
    attempt(QStringLiteral("ayşe"), QStringLiteral("ab169"));
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.LoginResult, 1);
    EXPECT_EQ(screen.LoginHno, 2);
    EXPECT_EQ(screen.typedUserName(), QStringLiteral("ayşe"));
    EXPECT_EQ(ctx.UserFullName, QStringLiteral("Ayşe Yıldırım"));
    EXPECT_EQ(ctx.UserDeptCode, 7);
}

TEST_F(Login, EnterMovesToThePasswordAndThenActsAsTamam)
{
    open();
    EXPECT_EQ(QApplication::focusWidget(), name);
    typeText(name, QStringLiteral("VELOR"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), password);
    EXPECT_TRUE(screen.isVisible()); // the first Enter did not press "Tamam"
    EXPECT_EQ(screen.LoginAttempt, 1);

    typeText(password, QStringLiteral("1234"));
    EXPECT_EQ(password->displayText(), QStringLiteral("****"));
    QTest::keyClick(password, Qt::Key_Enter);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.LoginResult, 1);
    EXPECT_EQ(screen.LoginHno, 1);
    EXPECT_EQ(ctx.UserFullName, QStringLiteral("Dodidozur"));
    EXPECT_EQ(ctx.UserDeptCode, 0);
}

TEST_F(Login, ThreeWrongAttemptsThenTheRightOneLogsIn)
{
    PromptScript prompts;
    prompts.expectMessage(WrongName).expectMessage(WrongPassword).expectMessage(WrongPassword);
    open();
    attempt(QStringLiteral("ayse"), QStringLiteral("ab169"));
    attempt(QStringLiteral("ayşe"), QStringLiteral("ab16"));
    attempt(QStringLiteral("ayşe"), QStringLiteral("ab1Ç9"));
    EXPECT_EQ(screen.LoginAttempt, 4);
    EXPECT_TRUE(screen.isVisible());

    attempt(QStringLiteral("ayşe"), QStringLiteral("ab169"));
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.LoginResult, 1);
    EXPECT_EQ(screen.LoginHno, 2);
    EXPECT_EQ(ctx.UserDeptCode, 7);
}

TEST_F(Login, TheFourthWrongAttemptShowsItsMessageAndEndsTheLogin)
{
    for (const QString& last : {WrongName, WrongPassword}) {
        SCOPED_TRACE(last.toStdString());
        PromptScript prompts;
        prompts.expectMessage(WrongPassword).expectMessage(WrongName).expectMessage(WrongPassword);
        prompts.expectMessage(last);
        open();
        EXPECT_EQ(screen.LoginAttempt, 1); // every opening starts counting anew
        attempt(QStringLiteral("ayşe"), QStringLiteral("x"));
        attempt(QStringLiteral("VELOR "), QStringLiteral("1234"));
        attempt(QStringLiteral("VELOR"), QStringLiteral("12345"));
        EXPECT_TRUE(screen.isVisible());
        if (last == WrongName)
            attempt(QStringLiteral("velor"), QStringLiteral("1234"));
        else
            attempt(QStringLiteral("VELOR"), QStringLiteral("4321"));
        prompts.verify();
        EXPECT_EQ(prompts.shown().size(), 4);
        EXPECT_FALSE(screen.isVisible());
        EXPECT_EQ(screen.LoginResult, 2);
        EXPECT_EQ(ctx.UserFullName, QStringLiteral("Dodidozur"));
    }
}

TEST_F(Login, OnlyItsOwnActionsCloseIt)
{
    open();
    screen.close(); // the system close command
    EXPECT_TRUE(screen.isVisible());
    QTest::keyClick(&screen, Qt::Key_Escape);
    EXPECT_TRUE(screen.isVisible());
    screen.reject();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(screen.LoginResult, 0);
    EXPECT_FALSE(screen.windowFlags().testFlag(Qt::WindowCloseButtonHint));

    child<QPushButton>(screen, "btnCikis").click();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.LoginResult, 2);
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("        KULLANICI GİRİŞİ"));
}

TEST(PasswordPrompt, OnlyKabulAcceptsAndEveryOpeningStartsEmpty)
{
    struct Case {
        const char* what;
        std::function<void(TFRMSIFRE&)> leave;
        bool accepted;
    };
    const Case cases[] = {
        {"Enter",
         [](TFRMSIFRE& s) { QTest::keyClick(&child<QLineEdit>(s, "edtSifre"), Qt::Key_Return); },
         true},
        {"Kabul", [](TFRMSIFRE& s) { child<QPushButton>(s, "btnKabul").click(); }, true},
        {"Vazgeç", [](TFRMSIFRE& s) { child<QPushButton>(s, "btnVazgec").click(); }, false},
        {"Esc", [](TFRMSIFRE& s) { QTest::keyClick(&s, Qt::Key_Escape); }, false},
        {"closing the window", [](TFRMSIFRE& s) { s.close(); }, false},
    };
    PromptScript noPrompts;
    TFRMSIFRE prompt;
    EXPECT_EQ(prompt.objectName(), QStringLiteral("TFRMSIFRE"));
    EXPECT_EQ(prompt.windowTitle(), QStringLiteral("ŞİFRE"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompt.PasswordCheckAccepted = true; // left from an earlier opening
        showActive(prompt);
        EXPECT_FALSE(prompt.PasswordCheckAccepted);
        auto* field = &child<QLineEdit>(prompt, "edtSifre");
        EXPECT_EQ(field->text(), QString());
        EXPECT_EQ(QApplication::focusWidget(), field);
        typeText(field, QStringLiteral("gizli"));
        EXPECT_EQ(field->displayText(), QStringLiteral("*****"));
        c.leave(prompt);
        EXPECT_FALSE(prompt.isVisible());
        EXPECT_EQ(prompt.PasswordCheckAccepted, c.accepted);
        EXPECT_EQ(prompt.typedText(), QStringLiteral("gizli"));
    }
}

} // namespace
