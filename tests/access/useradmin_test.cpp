#include "access/login.h"
#include "access/rights.h"
#include "access/sifrele.h"
#include "access/tfrmhaklar.h"
#include "access/tfrmpasdeg.h"
#include "access/tfrmsifre.h"
#include "access/tfrmuser.h"
#include "access/tfrmuserstan.h"
#include "access/useradmin.h"
#include "core/fieldcheck.h"
#include "support/clerk.h"
#include "support/promptscript.h"
#include "support/testdb.h"
#include "widgets/datagrid.h"
#include "widgets/textmark.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace useraccess;
using testsupport::child;
using testsupport::PromptScript;
using testsupport::showActive;
using testsupport::TempDatabase;
using testsupport::typeText;

namespace {

const QString Encode = QStringLiteral("1");
const QString Decode = QStringLiteral("2");

// A right as the test writes it: code and the four flags.
struct Right {
    int kod;
    const char* flags; // "EHEH": G, K, D, S
};

// The rights of a user in code order, as "KOD GKDS".
QStringList rightsOf(TempDatabase& t, int hno)
{
    db::Query q(t.database());
    q.openLines({QStringLiteral("SELECT KOD,G,K,D,S FROM RIGHTS WHERE HNO=:H ORDER BY KOD")},
                {hno});
    QStringList rows;
    for (int r = 0; r < q.rowCount(); ++r) {
        QString flags;
        for (const char* column : {"G", "K", "D", "S"})
            flags += q.value(r, QLatin1String(column)).toString();
        rows << q.value(r, QStringLiteral("KOD")).toString() + QLatin1Char(' ') + flags;
    }
    return rows;
}

void addRights(TempDatabase& t, int hno, const QList<Right>& rights)
{
    for (const Right& r : rights) {
        const QString f = QString::fromLatin1(r.flags);
        t.exec(QStringLiteral("INSERT INTO RIGHTS (HNO,KOD,G,K,D,S) VALUES(:H,:K,:G,:KK,:D,:S)"),
               {hno, r.kod, f.mid(0, 1), f.mid(1, 1), f.mid(2, 1), f.mid(3, 1)});
    }
}

// The clerk answers the password prompt.
std::function<void(QDialog&)> givesPassword(const QString& password)
{
    return [password](QDialog& prompt) {
        typeText(&child<QLineEdit>(prompt, "edtSifre"), password);
        child<QPushButton>(prompt, "btnKabul").click();
    };
}

void pressKey(QWidget& screen, Qt::Key key)
{
    // The key reaches the window the clerk works in; a screen closed over
    // it leaves no window active on a bare display.
    QApplication::setActiveWindow(&screen);
    QTest::keyClick(&screen, key);
}

// Replaces what a field holds with what the clerk types.
void retype(QWidget& screen, const char* field, const QString& text)
{
    QLineEdit* edit = &child<QLineEdit>(screen, field);
    edit->clear();
    typeText(edit, text);
}

// A save that a form refuses: what the clerk typed into its fields, the
// message, and the field the cursor is put in.
struct Refusal {
    const char* what;
    QStringList typed;
    QString message;
    const char* focus;
};

// Types, presses F5 and sees the refusal; the form stays open.
void expectRefusal(QWidget& form, const QList<const char*>& fields, const Refusal& r)
{
    for (int i = 0; i < fields.size(); ++i)
        retype(form, fields[i], r.typed.value(i));
    PromptScript prompts;
    prompts.expectMessage(r.message);
    pressKey(form, Qt::Key_F5);
    prompts.verify();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &child<QLineEdit>(form, r.focus));
}

// A yearly file with the vendor account (HNO 1, "1234", every right), a
// clerk "ayşe" (HNO 2, "ab1") and two departments; the administration
// screens built over it as the program builds them.
class UserAdmin : public testing::Test {
protected:
    UserAdmin()
    {
        t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(4,:B)"),
               {QStringLiteral("FEN İŞLERİ")});
        t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(7,:B)"),
               {QStringLiteral("YAZI İŞLERİ")});
        addUser(2, QStringLiteral("ayşe"), QStringLiteral("ab1"), 7);
        addRights(t, 2, {{1, "EEEE"}, {22, "EEEE"}, {50, "EEEE"}});
        t.database().commit();
    }

    void addUser(int hno, const QString& name, const QString& password, int dept = 0)
    {
        t.exec(QStringLiteral("INSERT INTO USERS (USR,HNO,PSSWD,ACIK,ACIK1,OZEL) "
                              "VALUES(:U,:H,:P,:A,'',:O)"),
               {name, hno, SIFRELE(Encode, password), name + QStringLiteral(" Hanım"), dept});
    }

    void open()
    {
        showActive(list);
        ASSERT_TRUE(list.isVisible());
    }
    void chooseUser(const QString& name) { ASSERT_TRUE(list.users().locate("USR", name)); }
    void chooseRight(int kod) { ASSERT_TRUE(list.rights().locate("KOD", kod)); }
    QString users() { return t.scalar("SELECT LIST(USR, ',') FROM USERS"); }

    PromptScript noPrompts; // a test expects its prompts with a script of its own
    TempDatabase t;
    core::AppContext ctx;
    TFRMUSER form{t.dm(), ctx};
    TFRMHAKLAR editor{t.dm(), ctx};
    TFRMSIFRE prompt;
    TFRMUSERSTAN list{t.dm(), ctx, form, editor, prompt};
};

TEST_F(UserAdmin, TheListShowsTheUsersAndTheRightsOfTheOneChosen)
{
    open();
    EXPECT_EQ(list.windowTitle(), "KULLANICI VE YETKİ TANIMLARI");
    widgets::QueryModel* users = list.userGrid().queryModel();
    ASSERT_EQ(users->rowCount(), 2);
    EXPECT_EQ(users->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Kullanıcı Adı");
    EXPECT_EQ(users->text(1, 0), "ayşe");
    EXPECT_EQ(users->text(1, 1), "ayşe Hanım");

    t.exec("UPDATE RIGHTS SET S='x' WHERE HNO=2 AND KOD=22");
    list.userGrid().selectRow(1); // the clerk moves to the second user
    widgets::QueryModel* rights = list.rightsGrid().queryModel();
    ASSERT_EQ(rights->rowCount(), 3);
    QStringList shown;
    for (int r = 0; r < rights->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < rights->columnCount(); ++c)
            cells << rights->text(r, c);
        shown << cells.join('|');
    }
    EXPECT_EQ(shown, QStringList({"Gelen Evrak|Evet|Evet|Evet|Evet",
                                  "Kullanıcı Tanımları|Evet|Evet|Evet|", "|Evet|Evet|Evet|Evet"}));
    EXPECT_EQ(child<QLabel>(list, "lblIpucu").text(), "Yetki işlemleri için ÇİFT tıklayınız....");

    list.close(); // refused until "ESC-Çıkış"
    EXPECT_TRUE(list.isVisible());
    pressKey(list, Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());
    EXPECT_TRUE(ctx.CloseAllowed);
}

TEST_F(UserAdmin, ANewUserGetsOneRightForEachCodeOfUserOne)
{
    struct Case {
        const char* what;
        bool userOneHasRights;
    };
    for (const Case c : {Case{"user 1 with rights", true}, Case{"user 1 without rights", false}}) {
        SCOPED_TRACE(c.what);
        if (!c.userOneHasRights)
            t.exec("DELETE FROM RIGHTS WHERE HNO=1");
        const int hno = t.scalar("SELECT MAX(HNO) FROM USERS").toInt() + 1;
        const QString name = QStringLiteral("kul%1").arg(hno);
        const QStringList userOne = rightsOf(t, 1);

        PromptScript prompts;
        prompts.expectModal("TFRMUSER", [&](QDialog& f) {
            EXPECT_EQ(f.windowTitle(), "KULLANICI TANIMI");
            EXPECT_EQ(QApplication::focusWidget(), &child<QLineEdit>(f, "edtAcik"));
            typeText(&child<QLineEdit>(f, "edtUsr"), name);
            typeText(&child<QLineEdit>(f, "edtPsswd"), "12");
            typeText(&child<QLineEdit>(f, "edtTekrar"), "12");
            typeText(&child<QLineEdit>(f, "edtAcik"), "Mehmet Kaya");
            auto* birim = &child<QComboBox>(f, "cmbBirim");
            EXPECT_EQ(birim->currentText(), "TÜMÜ");
            birim->setCurrentIndex(birim->findText("YAZI İŞLERİ"));
            QTest::keyClick(&f, Qt::Key_F5);
        });
        open();
        pressKey(list, Qt::Key_F2);
        prompts.verify();

        EXPECT_EQ(
            t.scalar("SELECT USR||'/'||PSSWD||'/'||ACIK||'/'||OZEL FROM USERS WHERE HNO=:H", {hno}),
            name + "/" + SIFRELE(Encode, "12") + "/Mehmet Kaya/7");
        QStringList expected;
        for (const QString& row : userOne)
            expected << row.left(row.indexOf(' ')) + (row.startsWith("22 ")
                                                          ? QStringLiteral(" HHEH")
                                                          : QStringLiteral(" EHEH"));
        EXPECT_EQ(rightsOf(t, hno), expected);
        if (c.userOneHasRights)
            EXPECT_EQ(expected.size(), 15);
        else
            EXPECT_TRUE(expected.isEmpty());
        // The list stands on the new user; nothing is committed here.
        EXPECT_EQ(list.users().field("USR").toString(), name);
        auto other = t.openSecond();
        db::Query q(*other);
        q.openLines({"SELECT COUNT(*) FROM USERS WHERE HNO=:H"}, {hno});
        EXPECT_EQ(q.value(0, 0).toInt(), 0);
        q.close();
        other->close();
        // Leaving the list makes it permanent: an entry's "F6-Vazgeç"
        // afterwards keeps the user.
        list.exit();
        t.dm().FDTransaction1.rollback();
        EXPECT_EQ(t.scalar("SELECT COUNT(*) FROM USERS WHERE HNO=:H", {hno}), "1");
        EXPECT_EQ(rightsOf(t, hno), expected);
    }
}

TEST_F(UserAdmin, TheUserFormRefusesWhatItCannotSave)
{
    const Refusal cases[] = {
        {"no name", {"", "12", "12"}, UserNameRefused, "edtUsr"},
        {"only spaces", {"   ", "12", "12"}, UserNameRefused, "edtUsr"},
        {"passwords differ", {"mehmet", "12", "13"}, PasswordsDiffer, "edtPsswd"},
        {"a repetition longer than the password",
         {"mehmet", "12345", "123456"},
         PasswordsDiffer,
         "edtPsswd"},
        {"the name of another user", {"ayşe", "12", "12"}, UserNameTaken, "edtUsr"},
        {"letters that do not survive the stored form",
         {"mehmet", "kış", "kış"},
         PasswordNotStorable,
         "edtPsswd"},
        // Texts the file cannot hold as typed: such a name could never log in.
        {"a name longer than its column",
         {"mehmetaliveli", "12", "12"},
         core::textRefusal("Kullanıcı Adı", "mehmetaliveli", 10),
         "edtUsr"},
        {"a name with a letter the code page lacks",
         {"mehmet\u0101", "12", "12"},
         core::textRefusal("Kullanıcı Adı", "mehmet\u0101", 10),
         "edtUsr"},
        {"a full name with a letter the code page lacks",
         {"mehmet", "12", "12", "Mehmet \u0100li"},
         core::textRefusal("Adı Soyadı", "Mehmet \u0100li", 30),
         "edtAcik"},
        {"a title longer than its column",
         {"mehmet", "12", "12", "Mehmet Ali", QString(31, 'x')},
         core::textRefusal("Görev Ünvanı", QString(31, 'x'), 30),
         "edtAcik1"},
    };
    const QList<const char*> fields = {"edtUsr", "edtPsswd", "edtTekrar", "edtAcik", "edtAcik1"};
    form.Mode = TFRMUSER::NewUser;
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        showActive(form);
        expectRefusal(form, fields, c);
        // A text the file cannot hold is kept whole and marked.
        const QString typed = c.typed.value(fields.indexOf(c.focus));
        const auto& box = child<QLineEdit>(form, c.focus);
        EXPECT_EQ(box.text(), typed);
        EXPECT_EQ(widgets::isMarked(box),
                  !core::textProblem(typed, widgets::textLimit(box)).isEmpty());
        EXPECT_EQ(users(), "VELOR,ayşe");
        EXPECT_EQ(t.scalar("SELECT COUNT(*) FROM RIGHTS WHERE HNO=3"), "0");
        form.close(); // refused: only its buttons close it
        EXPECT_TRUE(form.isVisible());
        pressKey(form, Qt::Key_F6);
        EXPECT_FALSE(form.isVisible());
    }
    // The limits are the columns' in the file.
    EXPECT_EQ(widgets::textLimit(child<QLineEdit>(form, "edtUsr")), 10);
    EXPECT_EQ(widgets::textLimit(child<QLineEdit>(form, "edtAcik")), 30);
    EXPECT_EQ(widgets::textLimit(child<QLineEdit>(form, "edtAcik1")), 30);
}

TEST_F(UserAdmin, ChangingAUserNeedsThePasswordTypedAnew)
{
    PromptScript prompts;
    prompts.expectModal("TFRMSIFRE", givesPassword("1234"));
    prompts.expectModal("TFRMUSER", [&](QDialog& f) {
        EXPECT_EQ(child<QLineEdit>(f, "edtUsr").text(), "ayşe");
        EXPECT_TRUE(child<QLineEdit>(f, "edtUsr").isEnabled());
        // The field holds the stored form; the repetition is empty.
        EXPECT_EQ(child<QLineEdit>(f, "edtPsswd").text(), SIFRELE(Encode, "ab1"));
        EXPECT_EQ(child<QLineEdit>(f, "edtTekrar").text(), "");
        EXPECT_EQ(child<QComboBox>(f, "cmbBirim").currentText(), "YAZI İŞLERİ");

        PromptScript inForm;
        inForm.expectMessage(PasswordsDiffer);
        QTest::keyClick(&f, Qt::Key_F5);
        // Another user's name is refused; keeping its own is not.
        inForm.expectMessage(UserNameTaken);
        retype(f, "edtPsswd", "k2m");
        retype(f, "edtTekrar", "k2m");
        retype(f, "edtUsr", "VELOR");
        QTest::keyClick(&f, Qt::Key_F5);
        inForm.verify();
        EXPECT_TRUE(f.isVisible());

        retype(f, "edtUsr", "ayşe");
        child<QComboBox>(f, "cmbBirim").setCurrentIndex(0); // "TÜMÜ"
        QTest::keyClick(&f, Qt::Key_F5);
    });
    open();
    chooseUser("ayşe");
    pressKey(list, Qt::Key_F4);
    prompts.verify();

    EXPECT_EQ(t.scalar("SELECT USR||'/'||PSSWD||'/'||OZEL FROM USERS WHERE HNO=2"),
              "ayşe/" + SIFRELE(Encode, "k2m") + "/0");
    EXPECT_EQ(list.users().field("USR").toString(), "ayşe"); // still on the user changed
    EXPECT_EQ(rightsOf(t, 2), QStringList({"1 EEEE", "22 EEEE", "50 EEEE"}));
}

TEST_F(UserAdmin, TheVendorAccountIsProtectedBeforeAndAfterThePassword)
{
    open();
    chooseUser("VELOR");
    {
        SCOPED_TRACE("another user changing it: refused before the password");
        ctx.UserName = "ayşe";
        PromptScript prompts;
        prompts.expectMessage(VendorNotChangeable);
        pressKey(list, Qt::Key_F4);
    }
    {
        SCOPED_TRACE("deleting it: refused after the password");
        PromptScript prompts;
        prompts.expectModal("TFRMSIFRE", givesPassword("ab1"));
        prompts.expectMessage(VendorNotDeletable);
        pressKey(list, Qt::Key_F10);
    }
    {
        SCOPED_TRACE("its rights");
        PromptScript prompts;
        prompts.expectMessage(VendorRightsNotEditable);
        list.editRights();
    }
    {
        SCOPED_TRACE("the vendor account changing itself; its name stays");
        ctx.UserName = "VELOR";
        PromptScript prompts;
        prompts.expectModal("TFRMSIFRE", givesPassword("1234"));
        prompts.expectModal("TFRMUSER", [](QDialog& f) {
            EXPECT_FALSE(child<QLineEdit>(f, "edtUsr").isEnabled());
            retype(f, "edtPsswd", "");
            retype(f, "edtAcik", "Velor Yazılım");
            QTest::keyClick(&f, Qt::Key_F5);
        });
        pressKey(list, Qt::Key_F4);
    }
    EXPECT_EQ(t.scalar("SELECT USR||'/'||PSSWD||'/'||ACIK FROM USERS WHERE HNO=1"),
              "VELOR//Velor Yazılım");
    EXPECT_EQ(users(), "VELOR,ayşe");
}

TEST_F(UserAdmin, DeletingAUser)
{
    addUser(3, "mehmet", "m1");
    addRights(t, 3, {{1, "EHEH"}, {2, "EHEH"}});
    ctx.UserName = "ayşe";
    open();

    struct Case {
        const char* what;
        const char* user;
        std::function<void(PromptScript&)> prompts;
        QString usersLeft;
    };
    const Case cases[] = {
        {"the password prompt cancelled: nothing said", "mehmet",
         [](PromptScript& p) {
             p.expectModal("TFRMSIFRE",
                           [](QDialog& s) { child<QPushButton>(s, "btnVazgec").click(); });
         },
         "VELOR,ayşe,mehmet"},
        {"a wrong password", "mehmet",
         [](PromptScript& p) {
             p.expectModal("TFRMSIFRE", givesPassword("1234"));
             p.expectMessage(WrongCurrentPassword);
         },
         "VELOR,ayşe,mehmet"},
        {"the user logged in", "ayşe",
         [](PromptScript& p) {
             p.expectModal("TFRMSIFRE", givesPassword("ab1"));
             p.expectMessage(ActiveUserNotDeletable);
         },
         "VELOR,ayşe,mehmet"},
        {"answered No", "mehmet",
         [](PromptScript& p) {
             p.expectModal("TFRMSIFRE", givesPassword("ab1"));
             p.expectQuestion(DeleteUserQuestion, false);
         },
         "VELOR,ayşe,mehmet"},
        {"answered Yes", "mehmet",
         [](PromptScript& p) {
             p.expectModal("TFRMSIFRE", givesPassword("ab1"));
             p.expectQuestion(DeleteUserQuestion, true);
         },
         "VELOR,ayşe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        chooseUser(c.user);
        PromptScript prompts;
        c.prompts(prompts);
        pressKey(list, Qt::Key_F10);
        prompts.verify();
        EXPECT_EQ(users(), c.usersLeft);
    }
    EXPECT_TRUE(rightsOf(t, 3).isEmpty());
    EXPECT_EQ(rightsOf(t, 2).size(), 3);
}

TEST_F(UserAdmin, AUserWhoseRowIsGoneHasNoPasswordToGive)
{
    // Deleted from another workstation while logged in here: said so
    // before any password is asked for, and nothing changes.
    ctx.UserName = "eski";
    open();
    chooseUser("ayşe");
    for (const Qt::Key key : {Qt::Key_F4, Qt::Key_F10}) {
        PromptScript prompts;
        prompts.expectMessage(UserRowMissing);
        pressKey(list, key);
        prompts.verify();
    }
    EXPECT_EQ(users(), "VELOR,ayşe");
}

// The row the form edits was deleted from another workstation while the
// form was open: saving says so and the form closes as not saved.
TEST_F(UserAdmin, ARowDeletedMeanwhileIsNotSavedOver)
{
    // Another workstation deletes the row, then the clerk presses F5.
    auto saveAfterDeletion = [this](QDialog& form, const char* deletion) {
        {
            auto other = t.openSecond();
            db::Query q(*other);
            q.execLines({QString::fromLatin1(deletion)});
            other->commit();
        }
        PromptScript inForm;
        inForm.expectMessage(UserRowMissing);
        QTest::keyClick(&form, Qt::Key_F5);
        inForm.verify();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.result(), QDialog::Rejected);
    };
    open();
    chooseUser("ayşe");
    {
        SCOPED_TRACE("a right");
        chooseRight(50);
        PromptScript prompts;
        prompts.expectModal("TFRMHAKLAR", [&](QDialog& e) {
            child<QRadioButton>(e, "rbGirisHayir").click();
            saveAfterDeletion(e, "DELETE FROM RIGHTS WHERE HNO=2 AND KOD=50");
        });
        list.editRights();
        prompts.verify();
        EXPECT_EQ(rightsOf(t, 2), QStringList({"1 EEEE", "22 EEEE"}));
    }
    {
        SCOPED_TRACE("a user");
        PromptScript prompts;
        prompts.expectModal("TFRMSIFRE", givesPassword("1234"));
        prompts.expectModal("TFRMUSER", [&](QDialog& f) {
            retype(f, "edtPsswd", "k2m");
            retype(f, "edtTekrar", "k2m");
            saveAfterDeletion(f, "DELETE FROM USERS WHERE HNO=2");
        });
        pressKey(list, Qt::Key_F4);
        prompts.verify();
        EXPECT_EQ(form.SavedUserNo, 0);
        EXPECT_EQ(users(), "VELOR");
    }
}

TEST_F(UserAdmin, RightTwentyTwoEnablesTheButtonsWhenLoginsAreRequired)
{
    struct Case {
        const char* what;
        const char* flags; // G K D S of right 22; nullptr for no row
        bool add, change, remove;
    };
    const Case cases[] = {
        {"add only", "EEHH", true, false, false},
        {"change only", "EHEH", false, true, false},
        {"delete only", "EHHE", false, false, true},
        {"lower case", "eeee", false, false, false},
        {"no row for 22", nullptr, false, false, false},
    };
    ctx.LoginRequired = "1";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ctx.RightsCache.clear();
        if (c.flags) {
            const QString f = QString::fromLatin1(c.flags);
            ctx.RightsCache.append({"22", f.mid(0, 1), f.mid(1, 1), f.mid(2, 1), f.mid(3, 1)});
        }
        open();
        EXPECT_EQ(child<QPushButton>(list, "btnYeni").isEnabled(), c.add);
        EXPECT_EQ(child<QPushButton>(list, "btnDegis").isEnabled(), c.change);
        EXPECT_EQ(child<QPushButton>(list, "btnSil").isEnabled(), c.remove);
        {
            // The key of a disabled button does nothing.
            PromptScript prompts;
            chooseUser("ayşe");
            for (const auto& [key, enabled] :
                 {std::pair{Qt::Key_F2, c.add}, std::pair{Qt::Key_F4, c.change},
                  std::pair{Qt::Key_F10, c.remove}})
                if (!enabled)
                    pressKey(list, key);
            // The rights editor opens only with the add flag.
            if (!c.add)
                prompts.expectMessage(NoRightToEdit);
            else
                prompts.expectModal("TFRMHAKLAR",
                                    [](QDialog& e) { child<QPushButton>(e, "btnIptal").click(); });
            list.editRights();
        }
        list.exit();
    }

    // A file without logins: every button, whatever came before.
    ctx.LoginRequired = "";
    open();
    for (const char* button : {"btnYeni", "btnDegis", "btnSil"})
        EXPECT_TRUE(child<QPushButton>(list, button).isEnabled()) << button;
}

TEST_F(UserAdmin, TheRightsEditorChangesAccessAndAddOnlyAndTheRunKeepsItsRights)
{
    // ayşe is logged in and edits her own right of user administration.
    ctx.LoginRequired = "1";
    ctx.UserNo = 2;
    ctx.UserName = "ayşe";
    RIGHTSAKTAR(t.dm(), ctx);
    open();
    chooseUser("ayşe");

    struct Case {
        const char* what;
        const char* giris;
        const char* islem;
        Qt::Key key;
        QString stored;
    };
    const Case cases[] = {
        {"cancelled", "rbGirisHayir", "rbIslemHayir", Qt::Key_F6, "22 EEEE"},
        {"access taken away", "rbGirisHayir", "rbIslemEvet", Qt::Key_F5, "22 HEEE"},
        {"add taken away, access given back", "rbGirisEvet", "rbIslemHayir", Qt::Key_F5, "22 EHEE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        chooseRight(22);
        const QString before = rightsOf(t, 2).at(1);
        PromptScript prompts;
        prompts.expectModal("TFRMHAKLAR", [&](QDialog& e) {
            EXPECT_EQ(e.windowTitle(), "KULLANICI YETKİLERİ");
            EXPECT_EQ(child<QLabel>(e, "lblYetki").text(), "Kullanıcı Tanımları");
            EXPECT_EQ(child<QRadioButton>(e, "rbGirisEvet").isChecked(), before[3] == 'E');
            EXPECT_EQ(child<QRadioButton>(e, "rbIslemHayir").isChecked(), before[4] == 'H');
            child<QRadioButton>(e, c.giris).click();
            child<QRadioButton>(e, c.islem).click();
            QTest::keyClick(&e, c.key);
        });
        widgets::DataGrid& grid = list.rightsGrid();
        const QRect cell = grid.visualRect(grid.model()->index(list.rights().currentRow(), 0));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        prompts.verify();
        EXPECT_EQ(rightsOf(t, 2), QStringList({"1 EEEE", c.stored, "50 EEEE"}));
        // The list, read again, stands on the right edited.
        EXPECT_EQ(list.rights().field("KOD").toInt(), 22);
    }
    // The rights of this run stay as the login loaded them.
    EXPECT_EQ(HAKBUL(ctx, "22").K, "E");
    RIGHTSAKTAR(t.dm(), ctx);
    EXPECT_EQ(HAKBUL(ctx, "22").K, "H");
}

// The password change screen over the same file.
class PasswordChange : public UserAdmin {
protected:
    void openFor(const QString& name)
    {
        screen.HandedUserName = name;
        showActive(screen);
    }
    void fill(const QString& old, const QString& fresh, const QString& repeat)
    {
        retype(screen, "edtEski", old);
        retype(screen, "edtYeni", fresh);
        retype(screen, "edtTekrar", repeat);
    }

    TFRMPASDEG screen{t.dm(), ctx};
};

TEST_F(PasswordChange, RefusesAWrongOldPasswordAMismatchAndWhatCannotBeStored)
{
    const Refusal cases[] = {
        {"wrong old password", {"ab2", "xy", "xy"}, OldPasswordWrong, "edtEski"},
        {"the stored form typed as the old one",
         {SIFRELE(Encode, "ab1"), "xy", "xy"},
         OldPasswordWrong,
         "edtEski"},
        {"new and repetition differ", {"ab1", "xy", "xz"}, PasswordsDiffer, "edtYeni"},
        {"a repetition past five letters", {"ab1", "123456", "123456"}, PasswordsDiffer, "edtYeni"},
        {"letters that do not survive the stored form",
         {"ab1", "şşş", "şşş"},
         PasswordNotStorable,
         "edtYeni"},
    };
    openFor("ayşe");
    EXPECT_EQ(screen.windowTitle(), "ŞİFRE DEĞİŞİKLİĞİ");
    EXPECT_EQ(child<QLineEdit>(screen, "edtUsr").text(), "ayşe");
    EXPECT_EQ(child<QLineEdit>(screen, "edtAcik").text(), "ayşe Hanım");
    EXPECT_EQ(QApplication::focusWidget(), &child<QLineEdit>(screen, "edtEski"));
    for (const char* skipped : {"edtUsr", "edtAcik"})
        EXPECT_EQ(child<QLineEdit>(screen, skipped).focusPolicy(), Qt::NoFocus) << skipped;
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        expectRefusal(screen, {"edtEski", "edtYeni", "edtTekrar"}, c);
        EXPECT_EQ(t.scalar("SELECT PSSWD FROM USERS WHERE HNO=2"), SIFRELE(Encode, "ab1"));
    }
    pressKey(screen, Qt::Key_F6);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(t.scalar("SELECT PSSWD FROM USERS WHERE HNO=2"), SIFRELE(Encode, "ab1"));
}

TEST_F(PasswordChange, TheNewPasswordIsStoredAndAnEmptyOneIsAccepted)
{
    for (const QString& fresh : {QStringLiteral("k9Z"), QString()}) {
        SCOPED_TRACE(fresh.toStdString());
        const QString old = t.scalar("SELECT PSSWD FROM USERS WHERE HNO=2");
        openFor("ayşe");
        // The fields start empty; the old password is read from the file.
        for (const char* field : {"edtEski", "edtYeni", "edtTekrar"})
            EXPECT_EQ(child<QLineEdit>(screen, field).text(), "") << field;
        fill(SIFRELE(Decode, old), fresh, fresh);
        pressKey(screen, Qt::Key_F5);
        EXPECT_FALSE(screen.isVisible());
        t.dm().FDTransaction1.rollback(); // an entry's "F6-Vazgeç" keeps it
        EXPECT_EQ(t.scalar("SELECT PSSWD FROM USERS WHERE HNO=2"), SIFRELE(Encode, fresh));
        EXPECT_EQ(t.scalar("SELECT PSSWD FROM USERS WHERE HNO=1"), SIFRELE(Encode, "1234"));
        // The next login compares with it.
        db::Query users(t.database());
        users.openLines({"SELECT * FROM USERS"});
        EXPECT_EQ(checkLogin(users, "ayşe", fresh), LoginCheck::Accepted);
    }
    // "Yeni Şifre" stops at five letters.
    openFor("ayşe");
    typeText(&child<QLineEdit>(screen, "edtYeni"), "123456");
    EXPECT_EQ(child<QLineEdit>(screen, "edtYeni").text(), "12345");
    pressKey(screen, Qt::Key_F6);
}

TEST_F(PasswordChange, RightFiftyEnablesSavingWhenLoginsAreRequired)
{
    struct Case {
        const char* what;
        QString login;
        const char* flags; // G K D S of right 50; nullptr for no row
        bool enabled;
    };
    const Case cases[] = {
        {"K", "1", "HEHH", true},        {"D", "1", "HHEH", true},
        {"neither", "1", "EHHE", false}, {"no row", "1", nullptr, false},
        {"no login", "", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ctx.LoginRequired = c.login;
        ctx.RightsCache.clear();
        if (c.flags) {
            const QString f = QString::fromLatin1(c.flags);
            ctx.RightsCache.append({"50", f.mid(0, 1), f.mid(1, 1), f.mid(2, 1), f.mid(3, 1)});
        }
        openFor("ayşe");
        EXPECT_EQ(child<QPushButton>(screen, "btnKayit").isEnabled(), c.enabled);
        fill("ab1", "", "");
        pressKey(screen, Qt::Key_F5);
        EXPECT_EQ(screen.isVisible(), !c.enabled);
        if (screen.isVisible())
            pressKey(screen, Qt::Key_F6);
        EXPECT_EQ(t.scalar("SELECT PSSWD FROM USERS WHERE HNO=2"),
                  c.enabled ? QString() : SIFRELE(Encode, "ab1"));
        t.exec("UPDATE USERS SET PSSWD=:P WHERE HNO=2", {SIFRELE(Encode, "ab1")});
    }
}

TEST_F(PasswordChange, WithoutARowOfItsNameItSaysSoAndChangesNothing)
{
    t.exec("DELETE FROM USERS WHERE USR='VELOR'");
    const QString before = t.scalar("SELECT LIST(USR||PSSWD) FROM USERS");
    PromptScript prompts;
    // The screen closes from its own opening: the clerk does nothing in it.
    prompts.expectModal("TFRMPASDEG", {});
    prompts.expectMessage(UserRowMissing);
    screen.HandedUserName = "VELOR"; // no login: the vendor account is handed over
    core::Prompter::current().runModal(screen);
    prompts.verify();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(t.scalar("SELECT LIST(USR||PSSWD) FROM USERS"), before);
}

} // namespace
