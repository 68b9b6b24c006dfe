#include "refdata_support.h"

#include "core/appcontext.h"
#include "refdata/fileplan.h"
#include "refdata/tfrmsdpbul.h"
#include "support/promptscript.h"
#include "support/testdb.h"
#include "widgets/datagrid.h"

#include <QLineEdit>
#include <QPushButton>

using refdatatest::showActive;
using testsupport::PromptScript;
using testsupport::TempDatabase;

namespace {

const QString Refused = QStringLiteral("DİKKAT! Detay Kod için İşlem Yapmalısınız..");

const std::pair<const char*, const char*> Plan[] = {
    {"010", "Mevzuat İşleri"},
    {"010.01", "Kanunlar"},
    {"010.02", "Yönetmelikler"},
    {"020", "Kuruluş ve Görev İşleri"},
    {"12", "Kısa Kod"},
    {"806", "Dilekçe ve Şikâyet İşleri"},
    {"806.01", "Vatandaş Dilekçeleri"},
    {"806.01.01", "Bilgi Talepleri"},
    {"806.01.02", "Öneri ve İstekler"},
    {"806.02", "Şikâyetler"},
    {"806.02.01.01.01", "On Beş Haneli Detay"},
    {"903", "Personel işleri"},
    {"903.01.01.01.1", "On Dört Haneli Detay"},
};

class Picker : public testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [kod, acik] : Plan)
            if (withMainCode806 || QByteArray(kod).left(3) != "806")
                db.exec(QStringLiteral("INSERT INTO SDP (KOD,ACIK) VALUES(:K,:A)"),
                        {QString::fromUtf8(kod), QString::fromUtf8(acik)});
    }

    QLineEdit* codeBox() { return picker.findChild<QLineEdit*>(QStringLiteral("edtKod")); }
    QLineEdit* descriptionBox() { return picker.findChild<QLineEdit*>(QStringLiteral("edtAcik")); }
    widgets::DataGrid* mainList()
    {
        return picker.findChild<widgets::DataGrid*>(QStringLiteral("grdAnaKod"));
    }
    widgets::DataGrid* list()
    {
        return picker.findChild<widgets::DataGrid*>(QStringLiteral("grdListe"));
    }

    QStringList listed()
    {
        QStringList codes;
        for (int r = 0; r < picker.list().rowCount(); ++r)
            codes << picker.list().value(r, QStringLiteral("KOD")).toString();
        return codes;
    }

    // The clerk clicks into the code box and types over it.
    void searchCode(const QString& text)
    {
        codeBox()->setFocus(Qt::MouseFocusReason);
        codeBox()->selectAll();
        if (text.isEmpty())
            QTest::keyClick(codeBox(), Qt::Key_Delete);
        else
            refdatatest::typeText(codeBox(), text);
    }

    bool withMainCode806 = true;
    TempDatabase db;
    core::AppContext ctx;
    refdata::TFRMSDPBUL picker{db.dm(), ctx};
};

TEST_F(Picker, OpensOnAllCodesWithTheMainCodeListOn806)
{
    showActive(picker);
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("STANDART DOSYA PLANI LİSTESİ"));
    EXPECT_EQ(picker.searchMode(), refdata::SearchMode::None);
    EXPECT_EQ(listed().size(), 12); // all but the code of two characters
    EXPECT_FALSE(listed().contains(QStringLiteral("12")));
    EXPECT_EQ(picker.mainCodes().rowCount(), 4);
    EXPECT_EQ(picker.mainCodes().field(QStringLiteral("KOD")).toString(), QStringLiteral("806"));
    EXPECT_EQ(mainList()->currentIndex().row(), 2);
    EXPECT_EQ(codeBox()->text(), QStringLiteral("806"));

    picker.close();
    EXPECT_TRUE(picker.isVisible()); // refused silently
    QTest::keyClick(&picker, Qt::Key_Escape);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.result().Chosen);
    EXPECT_TRUE(ctx.CloseAllowed);
}

TEST_F(Picker, SearchesByTheBeginningOfTheCode)
{
    showActive(picker);
    searchCode(QString());
    EXPECT_EQ(picker.searchMode(), refdata::SearchMode::Code);
    EXPECT_EQ(listed().size(), 12); // an empty box lists everything again
    refdatatest::typeText(codeBox(), QStringLiteral("806"));
    EXPECT_EQ(listed(), QStringList({QStringLiteral("806"), QStringLiteral("806.01"),
                                     QStringLiteral("806.01.01"), QStringLiteral("806.01.02"),
                                     QStringLiteral("806.02"), QStringLiteral("806.02.01.01.01")}));
    searchCode(QStringLiteral("806.02.01.01.01")); // a whole code plus its wildcard
    EXPECT_EQ(listed(), QStringList{QStringLiteral("806.02.01.01.01")});
    picker.exit();
}

TEST_F(Picker, SearchesDescriptionsWithoutRegardToTurkishCaseAndEmptiesTheOtherBox)
{
    showActive(picker);
    descriptionBox()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(picker.searchMode(), refdata::SearchMode::Description);
    EXPECT_EQ(codeBox()->text(), QString());
    // "İşleri" and "işleri" alike; "ISLERI" is another word.
    const QStringList works = {QStringLiteral("010"), QStringLiteral("020"), QStringLiteral("806"),
                               QStringLiteral("903")};
    auto type = [this](const QString& text) {
        descriptionBox()->clear();
        refdatatest::typeText(descriptionBox(), text);
    };
    for (const char* typed : {"İşleri", "işleri", "İŞLERİ"}) {
        type(QString::fromUtf8(typed));
        EXPECT_EQ(listed(), works) << typed;
    }
    type(QStringLiteral("ISLERI"));
    EXPECT_TRUE(listed().isEmpty());
    type(QStringLiteral("işleri"));

    // The main-code list rewrites the code box; the description still rules.
    picker.mainCodes().setCurrentRow(0);
    EXPECT_EQ(codeBox()->text(), QStringLiteral("010"));
    EXPECT_EQ(listed().size(), 4);

    codeBox()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(descriptionBox()->text(), QString());
    EXPECT_EQ(listed(), QStringList({QStringLiteral("010"), QStringLiteral("010.01"),
                                     QStringLiteral("010.02")}));
    picker.exit();
}

// Enter in a search box chooses the first row of a fresh result.
struct ChoiceCase {
    const char* code;
    bool refused;
};

void PrintTo(const ChoiceCase& c, std::ostream* os)
{
    *os << c.code;
}

class Choice : public Picker, public testing::WithParamInterface<ChoiceCase> {};

INSTANTIATE_TEST_SUITE_P(FilePlan, Choice,
                         testing::Values(ChoiceCase{"806", true},    // a main code with sub-codes
                                         ChoiceCase{"806.01", true}, // an intermediate code
                                         ChoiceCase{"020", false}, // a main code without sub-codes
                                         ChoiceCase{"806.01.02", false},
                                         ChoiceCase{"903.01.01.01.1", false})); // looked up at 14

TEST_P(Choice, HandsBackOnlyADetailCode)
{
    PromptScript prompts;
    if (GetParam().refused)
        prompts.expectMessage(Refused);
    showActive(picker);
    searchCode(QString::fromLatin1(GetParam().code));
    QTest::keyClick(codeBox(), Qt::Key_Return);
    prompts.verify();
    EXPECT_EQ(picker.isVisible(), GetParam().refused);
    EXPECT_EQ(picker.result().Chosen, !GetParam().refused);
    EXPECT_EQ(picker.result().ChosenCode,
              GetParam().refused ? QString() : QString::fromLatin1(GetParam().code));
    if (picker.isVisible())
        picker.exit();
}

TEST_F(Picker, HandsBackACodeOfFifteenCharactersWithoutCounting)
{
    showActive(picker);
    searchCode(QStringLiteral("806.02.01"));
    ASSERT_EQ(listed(), QStringList{QStringLiteral("806.02.01.01.01")});
    const quint64 before = db.database().statementCount();
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(db.database().statementCount(), before);
    EXPECT_TRUE(picker.result().Chosen);
    EXPECT_EQ(picker.result().ChosenCode, QStringLiteral("806.02.01.01.01"));
}

TEST_F(Picker, HandsBackAnEmptyCodeFromAnEmptyListAndEscKeepsTheLastChoice)
{
    showActive(picker);
    searchCode(QStringLiteral("999"));
    ASSERT_TRUE(listed().isEmpty());
    QTest::keyClick(codeBox(), Qt::Key_Return);
    EXPECT_TRUE(picker.result().Chosen);
    EXPECT_EQ(picker.result().ChosenCode, QString());

    showActive(picker);
    searchCode(QStringLiteral("020"));
    emit list()->rowActivated(0); // a double-click
    ASSERT_EQ(picker.result().ChosenCode, QStringLiteral("020"));

    showActive(picker);
    QTest::keyClick(&picker, Qt::Key_Escape);
    EXPECT_FALSE(picker.result().Chosen);
    EXPECT_EQ(picker.result().ChosenCode, QStringLiteral("020"));
}

TEST_F(Picker, KeepsTheSearchModeAndReturnsTo806AtEveryOpening)
{
    showActive(picker);
    searchCode(QStringLiteral("903"));
    picker.exit();
    EXPECT_FALSE(picker.list().isActive()); // closed with the picker
    EXPECT_TRUE(picker.mainCodes().isActive());

    showActive(picker);
    EXPECT_EQ(picker.searchMode(), refdata::SearchMode::Code);
    EXPECT_EQ(codeBox()->text(), QStringLiteral("806"));
    EXPECT_EQ(listed().size(), 6);
    EXPECT_EQ(listed().first(), QStringLiteral("806"));
    picker.exit();
}

class PickerWithout806 : public Picker {
protected:
    void SetUp() override
    {
        withMainCode806 = false;
        Picker::SetUp();
    }
};

TEST_F(PickerWithout806, KeepsTheMainCodeListWhereItWas)
{
    showActive(picker);
    EXPECT_EQ(picker.mainCodes().field(QStringLiteral("KOD")).toString(), QStringLiteral("010"));
    picker.mainCodes().setCurrentRow(2);
    EXPECT_EQ(codeBox()->text(), QStringLiteral("903"));
    picker.exit();
    showActive(picker);
    EXPECT_EQ(picker.mainCodes().field(QStringLiteral("KOD")).toString(), QStringLiteral("903"));
    picker.exit();
}

TEST_F(Picker, ColoursMainCodesDarkRedAndCodesWithSubCodesRed)
{
    showActive(picker);
    const QColor darkRed(128, 0, 0), red(255, 0, 0);
    const std::pair<const char*, QColor> expected[] = {
        {"010", red},    {"010.01", QColor()},    {"020", darkRed}, {"806", red},
        {"806.01", red}, {"806.01.01", QColor()}, {"806.02", red},  {"806.02.01.01.01", {}},
        {"903", red},    {"903.01.01.01.1", {}},
    };
    const auto* model = list()->queryModel();
    for (const auto& [code, color] : expected) {
        const int row = int(listed().indexOf(QString::fromLatin1(code)));
        ASSERT_GE(row, 0) << code;
        for (int column = 0; column < 2; ++column)
            EXPECT_EQ(model->data(model->index(row, column), Qt::ForegroundRole).value<QColor>(),
                      color)
                << code;
    }
    picker.exit();
}

TEST(LeafCodes, AreTheCodesNoOtherCodeContinues)
{
    TempDatabase db;
    for (const auto& [kod, acik] : Plan)
        db.exec(QStringLiteral("INSERT INTO SDP (KOD,ACIK) VALUES(:K,:A)"),
                {QString::fromUtf8(kod), QString::fromUtf8(acik)});
    db.exec(QStringLiteral("INSERT INTO SDP (KOD,ACIK) VALUES('8060','Nokta Olmadan Devam')"));
    db::Query q(db.database());
    refdata::openLeafCodes(q);
    QStringList codes;
    for (int r = 0; r < q.rowCount(); ++r)
        codes << q.value(r, QStringLiteral("KOD")).toString();
    EXPECT_EQ(codes,
              QStringList({QStringLiteral("010.01"), QStringLiteral("010.02"),
                           QStringLiteral("020"), QStringLiteral("12"), QStringLiteral("806.01.01"),
                           QStringLiteral("806.01.02"), QStringLiteral("806.02.01.01.01"),
                           QStringLiteral("8060"), QStringLiteral("903.01.01.01.1")}));
}

} // namespace
