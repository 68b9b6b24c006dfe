#include "core/errors.h"
#include "support/promptscript.h"
#include "support/testdb.h"
#include "widgets/codewordcombo.h"
#include "widgets/colors.h"
#include "widgets/datagrid.h"
#include "widgets/datebox.h"
#include "widgets/filteredlist.h"
#include "widgets/screen.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using testsupport::PromptScript;
using testsupport::TempDatabase;

namespace {

class CountingScreen : public widgets::Screen {
public:
    using Screen::Screen;
    int activations = 0;
    int deactivations = 0;
    QPushButton* exit = new QPushButton(QStringLiteral("ESC-Çıkış"), this);
    QPushButton* save = new QPushButton(QStringLiteral("F5-Kayıt"), this);
    int saves = 0;

    void wire()
    {
        connect(exit, &QPushButton::clicked, this, [this] { finish(QDialog::Rejected); });
        connect(save, &QPushButton::clicked, this, [this] { ++saves; });
        bindKey(Qt::Key_F5, save);
        setEscapeButton(exit);
    }

protected:
    void activate() override { ++activations; }
    void deactivate() override { ++deactivations; }
};

void showActive(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

TEST(Screen, ClosesOnlyThroughItsOwnActions)
{
    CountingScreen s;
    s.wire();
    showActive(s);
    EXPECT_EQ(s.activations, 1);
    s.close(); // title-bar button or system close
    EXPECT_TRUE(s.isVisible());
    s.done(QDialog::Accepted);
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(s.deactivations, 0);

    QTest::keyClick(&s, Qt::Key_F5);
    EXPECT_EQ(s.saves, 1);
    s.save->setEnabled(false);
    QTest::keyClick(&s, Qt::Key_F5); // a disabled button's key does nothing
    EXPECT_EQ(s.saves, 1);

    QTest::keyClick(&s, Qt::Key_Escape); // presses "ESC-Çıkış"
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(s.deactivations, 1);

    // Every opening clears the permission and runs the activation again.
    showActive(s);
    EXPECT_EQ(s.activations, 2);
    EXPECT_FALSE(s.closePermission());
    s.close();
    EXPECT_TRUE(s.isVisible());
    s.finish();
}

TEST(Screen, ASharedPermissionStaysSetBehindAClosedScreen)
{
    bool closeAllowed = false;
    CountingScreen s(nullptr, &closeAllowed);
    s.wire();
    s.show();
    EXPECT_FALSE(closeAllowed);
    s.exit->click();
    EXPECT_FALSE(s.isVisible());
    EXPECT_TRUE(closeAllowed);
}

TEST(Errors, UnhandledErrorsShowTheOneMessageAndTheProgramGoesOn)
{
    PromptScript prompts;
    prompts.expectMessage(QStringLiteral("BİR HATA OLUŞTU:"));
    EXPECT_FALSE(core::guarded([] { throw db::DbError(QStringLiteral("lock conflict")); }));
    EXPECT_FALSE(core::guarded([] { throw core::SilentAbort(); })); // no message
    EXPECT_TRUE(core::guarded([] {}));
}

TEST(DataGrid, ShowsTheQueryAndFollowsItsCurrentRow)
{
    TempDatabase t;
    for (int i = 1; i <= 4; ++i)
        t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:B,:N)"),
               {i, QStringLiteral("Müdürlük %1").arg(i)});
    db::Query q(t.database());
    widgets::DataGrid grid;
    grid.bind(q, {{QStringLiteral("BKOD"), QStringLiteral("Kod")},
                  {QStringLiteral("BIRIM"), QStringLiteral("Birim Adı")},
                  {QStringLiteral("BKOD"), QStringLiteral("İki Kat"), 0, Qt::AlignRight,
                   [](const db::Field& f) { return QString::number(f.toInt() * 2); }}});
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    q.add(QStringLiteral("SELECT BKOD,BIRIM FROM BIRIM ORDER BY BKOD"));
    q.open();
    auto* model = grid.queryModel();
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Birim Adı"));
    EXPECT_EQ(model->text(2, 1), QStringLiteral("Müdürlük 3"));
    EXPECT_EQ(model->text(2, 2), QStringLiteral("6"));

    q.last();
    EXPECT_EQ(grid.currentIndex().row(), 3);
    grid.setCurrentIndex(model->index(1, 0));
    EXPECT_EQ(q.field(QStringLiteral("BKOD")).toInt(), 2);

    q.close();
    EXPECT_EQ(model->rowCount(), 0);
}

TEST(DataGrid, OutlivesItsQuery)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(1,'Fen')"));
    auto* q = new db::Query(t.database());
    widgets::DataGrid grid;
    grid.bind(*q, {{QStringLiteral("BIRIM"), QStringLiteral("Birim")}});
    q->add(QStringLiteral("SELECT BIRIM FROM BIRIM"));
    q->open();
    ASSERT_EQ(grid.model()->rowCount(), 1);
    delete q; // a screen's members go before its child widgets
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_EQ(grid.queryModel()->text(0, 0), QString());
}

TEST(CodeWordCombo, ShowsTheWordAndKeepsTheLetter)
{
    widgets::CodeWordCombo box;
    box.setWords(core::gradeWords());
    EXPECT_EQ(box.letter(), QString());
    box.setCurrentText(QStringLiteral("Kişiye Özel"));
    EXPECT_EQ(box.letter(), QStringLiteral("K"));
    box.setLetter(QStringLiteral("Ç"));
    EXPECT_EQ(box.currentText(), QStringLiteral("Çok Gizli"));
    box.setLetter(QStringLiteral("x"));
    EXPECT_EQ(box.currentText(), QString());
}

TEST(DateBox, HoldsTenCharactersWithBlanksAsSpaces)
{
    widgets::DateBox box;
    EXPECT_EQ(box.value(), QStringLiteral("  .  .    "));
    EXPECT_TRUE(box.isBlank());
    box.setValue(QStringLiteral("05.03.2024"));
    EXPECT_EQ(box.value(), QStringLiteral("05.03.2024"));
    box.setValue(QString());
    box.setFocus();
    box.home(false);
    QTest::keyClicks(&box, QStringLiteral("05132024"));
    EXPECT_EQ(box.value(), QStringLiteral("05.13.2024")); // the mask checks digits only
    box.setValue(QStringLiteral("  .  .    "));
    EXPECT_TRUE(box.isBlank());
}

TEST(FilteredList, ChoiceListsCodesAndConditionLines)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(7,'Valilik')"));
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(3,'Kaymakamlık')"));
    db::Query& scratch = t.dm().QRSORGU;

    QComboBox box;
    int changes = 0;
    QObject::connect(&box, &QComboBox::currentIndexChanged, [&] { ++changes; });
    widgets::fillChoiceList(box, scratch, QStringLiteral("SELECT DKURUM FROM DISKUR ORDER BY DKURUM"),
                            QStringLiteral("TÜMÜ"));
    EXPECT_EQ(changes, 0);
    ASSERT_EQ(box.count(), 3);
    EXPECT_EQ(box.itemText(1), QStringLiteral("Kaymakamlık"));
    EXPECT_TRUE(widgets::showsAllEntry(box));
    box.setCurrentIndex(2);
    EXPECT_FALSE(widgets::showsAllEntry(box));
    box.setEditable(true);
    box.setEditText(QStringLiteral("Yok Böyle"));
    EXPECT_TRUE(widgets::showsAllEntry(box));

    const QStringList lookup = {QStringLiteral("SELECT DKOD FROM DISKUR"), QStringLiteral("WHERE DKURUM=:D")};
    EXPECT_EQ(widgets::lookupCode(scratch, lookup, QStringLiteral("Valilik"), 0), 7);
    EXPECT_EQ(widgets::lookupCode(scratch, lookup, QStringLiteral("Yok"), 0), 0);
    EXPECT_EQ(widgets::lookupCode(scratch, lookup, QStringLiteral("Yok"), -1), -1);

    widgets::ConditionLine none;
    EXPECT_TRUE(none.isEmpty());
    widgets::ConditionLine c;
    c.add(QStringLiteral("WHERE D.DKOD=:DK"), QStringLiteral(" AND D.DKOD=:DK"), {7});
    c.add(QStringLiteral("WHERE GIZDER=:GD"), QStringLiteral(" AND G1.GIZDER=:GD"), {QStringLiteral("G")});
    EXPECT_EQ(c.line(), QStringLiteral("WHERE D.DKOD=:DK AND G1.GIZDER=:GD"));
    EXPECT_EQ(c.params(), QVariantList({7, QStringLiteral("G")}));

    db::Query list(t.database());
    widgets::ConditionLine byCode;
    byCode.add(QStringLiteral("WHERE DKOD=:DK"), QStringLiteral(" AND DKOD=:DK"), {3});
    widgets::runFilteredQuery(list, {QStringLiteral("SELECT DKURUM FROM DISKUR")}, byCode,
                              QStringLiteral("ORDER BY DKURUM"));
    ASSERT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.sql(), QStringLiteral("SELECT DKURUM FROM DISKUR\nWHERE DKOD=:DK\nORDER BY DKURUM"));
}

} // namespace

namespace {

TEST(Colors, WindowsColourValuesAreBlueGreenRed)
{
    struct Case {
        QString value;
        QColor color;
    };
    const Case cases[] = {
        {QStringLiteral("$00807900"), QColor(0x00, 0x79, 0x80)},
        {QStringLiteral("$00BBDC01"), QColor(0x01, 0xDC, 0xBB)},
        {QStringLiteral("$000080FF"), QColor(0xFF, 0x80, 0x00)},
        {QStringLiteral("0"), QColor(0, 0, 0)},
        {QString(), QColor(0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(widgets::windowsColor(c.value), c.color) << c.value.toStdString();
}

} // namespace
