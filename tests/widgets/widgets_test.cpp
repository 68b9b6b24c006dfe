#include "core/errors.h"
#include "support/clerk.h"
#include "support/promptscript.h"
#include "support/testdb.h"
#include "widgets/codewordcombo.h"
#include "widgets/colors.h"
#include "widgets/datagrid.h"
#include "widgets/datebox.h"
#include "widgets/filteredlist.h"
#include "widgets/filteredlistscreen.h"
#include "widgets/screen.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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

// A screen whose set-up fails while the file cannot be read.
class FailingScreen : public widgets::Screen {
public:
    FailingScreen() { setObjectName(QStringLiteral("TFRMDENEME")); }
    bool fail = true;
    int activations = 0;

protected:
    void activate() override
    {
        ++activations;
        if (fail)
            throw db::DbError(QStringLiteral("Error reading data from the connection."), -902,
                              335544726L);
    }
};

TEST(Screen, ASetUpThatFailsIsReportedAndOpensNoScreen)
{
    FailingScreen s;
    PromptScript prompts;
    prompts.expectModal(QStringLiteral("TFRMDENEME"), [](QDialog&) {
        ADD_FAILURE() << "the screen stayed open after its set-up failed";
    });
    prompts.expectMessage(testsupport::errorText(core::ErrorCause::ServerUnreachable));
    EXPECT_EQ(prompts.runModal(s), QDialog::Rejected);
    prompts.verify();
    EXPECT_FALSE(s.isVisible());
    EXPECT_TRUE(s.activationFailed());
    EXPECT_TRUE(widgets::Screen::openScreens().isEmpty());

    // Once the file can be read the screen opens as ever.
    s.fail = false;
    prompts.expectModal(QStringLiteral("TFRMDENEME"), [](QDialog& screen) {
        auto& opened = static_cast<FailingScreen&>(screen);
        EXPECT_FALSE(opened.activationFailed());
        EXPECT_EQ(widgets::Screen::openScreens(), QList<widgets::Screen*>{&opened});
        opened.finish();
    });
    prompts.runModal(s);
    EXPECT_EQ(s.activations, 2);
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
    QAbstractItemModelTester tester(grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    q.add(QStringLiteral("SELECT BKOD,BIRIM FROM BIRIM ORDER BY BKOD"));
    q.open();
    auto* model = grid.queryModel();
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Birim Adı"));
    EXPECT_EQ(model->text(2, 1), QStringLiteral("Müdürlük 3"));
    EXPECT_EQ(model->text(2, 2), QStringLiteral("6"));

    q.last();
    EXPECT_EQ(grid.currentIndex().row(), 3);
    grid.setCurrentIndex(model->index(1, 0));
    EXPECT_EQ(q.field(QStringLiteral("BKOD")).toInt(), 2);

    q.close();
    EXPECT_EQ(model->rowCount(), 0);
}

TEST(DataGrid, AListThatCouldNotBeReadSaysSoAndIsReadAgainAtOneClick)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(1,'Fen')"));
    db::Query q(t.database());
    widgets::DataGrid grid;
    grid.bind(q, {{QStringLiteral("BIRIM"), QStringLiteral("Birim")}});
    grid.resize(400, 300);
    grid.show();
    q.add(QStringLiteral("SELECT BIRIM FROM BIRIM WHERE BKOD=:B"));
    q.bind(0, 1);
    q.open();
    EXPECT_FALSE(grid.unreadable());

    q.bind(0, QStringLiteral("bir")); // the reading fails
    EXPECT_THROW(q.open(), db::DbError);
    EXPECT_TRUE(grid.unreadable());
    auto* panel = grid.findChild<QWidget*>(QStringLiteral("pnlOkunamadi"));
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(grid.findChild<QLabel*>(QStringLiteral("lblOkunamadi"))->text(),
              widgets::DataGrid::UnreadableText);

    q.bind(0, 1);
    PromptScript prompts;
    grid.findChild<QPushButton*>(QStringLiteral("btnYenidenOku"))->click();
    EXPECT_FALSE(grid.unreadable());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(grid.queryModel()->text(0, 0), QStringLiteral("Fen"));
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
    widgets::fillChoiceList(box, scratch,
                            QStringLiteral("SELECT DKURUM FROM DISKUR ORDER BY DKURUM"),
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

    const QStringList lookup = {QStringLiteral("SELECT DKOD FROM DISKUR"),
                                QStringLiteral("WHERE DKURUM=:D")};
    EXPECT_EQ(widgets::lookupCode(scratch, lookup, QStringLiteral("Valilik"), 0), 7);
    EXPECT_EQ(widgets::lookupCode(scratch, lookup, QStringLiteral("Yok"), 0), 0);
    EXPECT_EQ(widgets::lookupCode(scratch, lookup, QStringLiteral("Yok"), -1), -1);

    widgets::ConditionLine none;
    EXPECT_TRUE(none.isEmpty());
    widgets::ConditionLine c;
    c.add(QStringLiteral("WHERE D.DKOD=:DK"), QStringLiteral(" AND D.DKOD=:DK"), {7});
    c.add(QStringLiteral("WHERE GIZDER=:GD"), QStringLiteral(" AND G1.GIZDER=:GD"),
          {QStringLiteral("G")});
    EXPECT_EQ(c.line(), QStringLiteral("WHERE D.DKOD=:DK AND G1.GIZDER=:GD"));
    EXPECT_EQ(c.params(), QVariantList({7, QStringLiteral("G")}));

    db::Query list(t.database());
    widgets::ConditionLine byCode;
    byCode.add(QStringLiteral("WHERE DKOD=:DK"), QStringLiteral(" AND DKOD=:DK"), {3});
    widgets::runFilteredQuery(list, {QStringLiteral("SELECT DKURUM FROM DISKUR")}, byCode,
                              QStringLiteral("ORDER BY DKURUM"));
    ASSERT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.sql(),
              QStringLiteral("SELECT DKURUM FROM DISKUR\nWHERE DKOD=:DK\nORDER BY DKURUM"));
}

// One strip of every kind of filter, changed as a clerk changes it: the
// condition line and its parameters follow the order of the table.
// Typed text completes to an entry without regard to Turkish case; the
// list then shows the entry as stored.
TEST(FilteredList, AnEditableListCompletesWithoutRegardToTurkishCase)
{
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {{"izmir", "İzmir Valiliği"},  {"ISPA", "Isparta Valiliği"},
                          {"ıspa", "Isparta Valiliği"}, {"İSTAN", "istanbul il müdürlüğü"},
                          {"çanak", "ÇANAKKALE"},       {"Isl", "Isl"}}; // no entry: stays as typed
    for (const Case& c : cases) {
        QComboBox box;
        box.setEditable(true);
        box.setInsertPolicy(QComboBox::NoInsert);
        box.addItems({QStringLiteral("TÜMÜ"), QStringLiteral("İzmir Valiliği"),
                      QStringLiteral("Isparta Valiliği"), QStringLiteral("istanbul il müdürlüğü"),
                      QStringLiteral("ÇANAKKALE")});
        widgets::completeInTurkish(box);
        box.show();
        QApplication::setActiveWindow(&box);
        box.lineEdit()->clear();
        testsupport::typeText(box.lineEdit(), QString::fromUtf8(c.typed));
        EXPECT_EQ(box.currentText(), QString::fromUtf8(c.shown)) << c.typed;
    }
}

TEST(FilterStrip, EveryKindOfFilterGivesItsConditionAndParameters)
{
    TempDatabase t;
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(7,'Valilik')"));
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(3,'Çevre Müdürlüğü')"));
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(4,'Cami Derneği')"));
    using Kind = widgets::Filter::Kind;
    const QList<widgets::Filter> filters = {
        {.kind = Kind::CodeList,
         .objectName = QStringLiteral("cmbKurum"),
         .editable = true,
         .fillSql = widgets::namesInOrder(QStringLiteral("DISKUR"), QStringLiteral("DKURUM")),
         .lookupLines = {QStringLiteral("SELECT DKOD FROM DISKUR"),
                         QStringLiteral("WHERE DKURUM=:D")},
         .firstForm = QStringLiteral("WHERE D.DKOD=:DK AND G1.DKOD=:DK"),
         .laterForm = QStringLiteral(" AND D.DKOD=:DK AND G1.DKOD=:DK"),
         .allEntry = QStringLiteral("  TÜMÜ")},
        {.kind = Kind::Choice,
         .objectName = QStringLiteral("cmbCevap"),
         .editable = true,
         .firstForm = QStringLiteral("WHERE G1.CEVDUR=:CD"),
         .laterForm = QStringLiteral(" AND G1.CEVDUR=:CD"),
         .choices = {{QStringLiteral("TÜMÜ")},
                     {.text = QStringLiteral("Beklenen"), .param = QStringLiteral("E")},
                     {.text = QStringLiteral("Beklenmeyen"), .param = QStringLiteral("H")}}},
        {.kind = Kind::Choice,
         .objectName = QStringLiteral("cmbDurum"),
         .choices = {{QStringLiteral("Tümü")},
                     {QStringLiteral("Bekleyen"), QStringLiteral("WHERE ILGNO=0"),
                      QStringLiteral(" AND ILGNO=0")}}},
        {.kind = Kind::Position,
         .objectName = QStringLiteral("cmbAy"),
         .editable = true,
         .firstForm = QStringLiteral("WHERE AY=:AY"),
         .laterForm = QStringLiteral(" AND AY=:AY"),
         .choices = {{QStringLiteral("TÜMÜ")}, {QStringLiteral("Ocak")}, {QStringLiteral("Şubat")}},
         .emptiesDate = true},
        {.kind = Kind::Letter,
         .objectName = QStringLiteral("cmbGizlilik"),
         .editable = true,
         .firstForm = QStringLiteral("WHERE GIZDER=:GD"),
         .laterForm = QStringLiteral(" AND G1.GIZDER=:GD"),
         .choices = {{QStringLiteral("TÜMÜ")},
                     {QStringLiteral("Gizli")},
                     {QStringLiteral("Özel")}}},
        {.kind = Kind::Text,
         .objectName = QStringLiteral("edtAd"),
         .firstForm = QStringLiteral("WHERE ADSOY LIKE :AA"),
         .laterForm = QStringLiteral(" AND ADSOY LIKE :AA"),
         .maxLength = 5},
        {.kind = Kind::Date,
         .objectName = QStringLiteral("edtTarih"),
         .firstForm = QStringLiteral("WHERE G1.GELTAR=:GT"),
         .laterForm = QStringLiteral(" AND G1.GELTAR=:GT")},
    };
    widgets::FilterStrip strip(filters, t.dm().QRSORGU);
    QList<int> changes;
    QObject::connect(&strip, &widgets::FilterStrip::changed, [&](int f) { changes << f; });
    strip.fill();
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_TRUE(strip.conditions().isEmpty());
    // In Turkish alphabetical order, as its statement reads the names.
    QComboBox& kurum = *strip.list(0);
    ASSERT_EQ(kurum.count(), 4);
    EXPECT_EQ(kurum.itemText(0), QStringLiteral("  TÜMÜ"));
    EXPECT_EQ(kurum.itemText(1), QStringLiteral("Cami Derneği"));
    EXPECT_EQ(kurum.itemText(2), QStringLiteral("Çevre Müdürlüğü"));

    auto set = [&](int f, const QString& text) {
        if (QComboBox* box = strip.list(f))
            box->setCurrentText(text);
        else
            static_cast<QLineEdit*>(strip.widget(f))->setText(text);
    };
    struct Case {
        int filter;
        QString text;
        QString line;
        QVariantList params;
    };
    const Case cases[] = {
        {0, QStringLiteral("Valilik"), QStringLiteral("WHERE D.DKOD=:DK AND G1.DKOD=:DK"), {7, 7}},
        {1,
         QStringLiteral("Beklenen"),
         QStringLiteral("WHERE D.DKOD=:DK AND G1.DKOD=:DK AND G1.CEVDUR=:CD"),
         {7, 7, QStringLiteral("E")}},
        // A typed text that is no entry: the reply letter chosen last, the
        // code -1, the month -1, the first letter of what is typed.
        {1,
         QStringLiteral("Bek"),
         QStringLiteral("WHERE D.DKOD=:DK AND G1.DKOD=:DK AND G1.CEVDUR=:CD"),
         {7, 7, QStringLiteral("E")}},
        {0,
         QStringLiteral("Yok"),
         QStringLiteral("WHERE D.DKOD=:DK AND G1.DKOD=:DK AND G1.CEVDUR=:CD"),
         {-1, -1, QStringLiteral("E")}},
        {0, QStringLiteral("  TÜMÜ"), QStringLiteral("WHERE G1.CEVDUR=:CD"), {QStringLiteral("E")}},
        {1, QStringLiteral("TÜMÜ"), QString(), {}},
        {2, QStringLiteral("Bekleyen"), QStringLiteral("WHERE ILGNO=0"), {}},
        {2, QStringLiteral("Tümü"), QString(), {}},
        {3, QStringLiteral("Şubat"), QStringLiteral("WHERE AY=:AY"), {2}},
        {3, QStringLiteral("Mart"), QStringLiteral("WHERE AY=:AY"), {-1}},
        {3, QStringLiteral("TÜMÜ"), QString(), {}},
        {4,
         QStringLiteral("gizli olan"),
         QStringLiteral("WHERE GIZDER=:GD"),
         {QStringLiteral("g")}},
        {5,
         QStringLiteral("Ali"),
         QStringLiteral("WHERE GIZDER=:GD AND ADSOY LIKE :AA"),
         {QStringLiteral("g"), QStringLiteral("%Ali%")}},
        {4,
         QStringLiteral("TÜMÜ"),
         QStringLiteral("WHERE ADSOY LIKE :AA"),
         {QStringLiteral("%Ali%")}},
        {5, QString(), QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((QString::number(c.filter) + QLatin1Char(' ') + c.text).toStdString());
        changes.clear();
        set(c.filter, c.text);
        EXPECT_EQ(changes, QList<int>{c.filter});
        const widgets::ConditionLine line = strip.conditions();
        EXPECT_EQ(line.line(), c.line);
        EXPECT_EQ(line.params(), c.params);
    }

    // The date box: typing is no change, Enter is; a month chosen empties it;
    // a double-click empties it and is a change.
    widgets::DateBox& date = *strip.dateBox();
    changes.clear();
    date.setFocus();
    date.home(false);
    QTest::keyClicks(&date, QStringLiteral("05"));
    EXPECT_TRUE(changes.isEmpty());
    QTest::keyClick(&date, Qt::Key_Return);
    EXPECT_EQ(changes, QList<int>{6});
    EXPECT_EQ(strip.conditions().line(), QStringLiteral("WHERE G1.GELTAR=:GT"));
    EXPECT_EQ(strip.conditions().params(), QVariantList{QStringLiteral("05.  .    ")});
    set(3, QStringLiteral("Ocak"));
    EXPECT_TRUE(date.isBlank());
    EXPECT_EQ(strip.conditions().line(), QStringLiteral("WHERE AY=:AY"));
    date.setValue(QStringLiteral("01.02.2026"));
    changes.clear();
    QTest::mouseDClick(&date, Qt::LeftButton);
    EXPECT_TRUE(date.isBlank());
    EXPECT_EQ(changes, QList<int>{6});

    // The box stops at its size; filling puts everything back, kept filters aside.
    set(5, QStringLiteral("Abdurrahman"));
    EXPECT_EQ(static_cast<QLineEdit*>(strip.widget(5))->text(), QStringLiteral("Abdur"));
    set(1, QStringLiteral("Beklenmeyen"));
    strip.fill();
    EXPECT_TRUE(strip.conditions().isEmpty());
}

} // namespace

namespace {

// The smallest form of a list screen: the filter box, the grid and the
// subject line, by the names every list form gives them.
class SmallList : public widgets::FilteredListScreen {
public:
    SmallList(db::Database& db, db::Query& scratch, const widgets::FilteredListDesign& design)
        : FilteredListScreen(db)
    {
        auto* box = new QGroupBox(this);
        box->setObjectName(QStringLiteral("grpFiltre"));
        new QHBoxLayout(box);
        auto* grid = new widgets::DataGrid(this);
        grid->setObjectName(QStringLiteral("grdListe"));
        auto* subject = new QLabel(this);
        subject->setObjectName(QStringLiteral("lblKonu"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(box);
        layout->addWidget(grid);
        layout->addWidget(subject);
        setUpList(design, scratch);
    }
};

TEST(FilteredListScreen, OpensOnItsRowsFollowsItsFilterAndClosesItsList)
{
    TempDatabase t;
    for (int i = 1; i <= 4; ++i)
        t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:B,:N)"),
               {i, QStringLiteral("Müdürlük %1").arg(i)});
    db::Query scratch(t.database());
    struct Case {
        QString baseCondition;
        bool lastRowOnOpen;
        int rows;
        QString subject; // of the row current on opening
        int filteredRows;
    };
    const Case cases[] = {
        {{}, true, 4, QStringLiteral("Müdürlük 4"), 2},
        {QStringLiteral("WHERE BKOD>1"), false, 3, QStringLiteral("Müdürlük 2"), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.baseCondition.toStdString());
        SmallList s(
            t.database(), scratch,
            {.formName = QStringLiteral("TFRMDENEME"),
             .title = QStringLiteral("DENEME  LİSTESİ"),
             .filterHeading = QStringLiteral("Filtre"),
             .filters = {{.kind = widgets::Filter::Kind::Choice,
                          .objectName = QStringLiteral("cmbIlk"),
                          .choices = {{QStringLiteral("Tümü")},
                                      {QStringLiteral("İlk İki"), QStringLiteral("WHERE BKOD<=2"),
                                       QStringLiteral(" AND BKOD<=2")}}}},
             .selectLines = {QStringLiteral("SELECT BKOD,BIRIM KONU FROM BIRIM")},
             .baseCondition = c.baseCondition,
             .orderLine = QStringLiteral("ORDER BY BKOD"),
             .columns = {{QStringLiteral("KONU"), QStringLiteral("Birim")}},
             .subjectLine = true,
             .lastRowOnOpen = c.lastRowOnOpen});
        EXPECT_EQ(s.objectName(), QStringLiteral("TFRMDENEME"));
        EXPECT_EQ(s.windowTitle(), QStringLiteral("DENEME  LİSTESİ"));
        auto& subject = *s.findChild<QLabel*>(QStringLiteral("lblKonu"));

        showActive(s);
        EXPECT_EQ(s.list().rowCount(), c.rows);
        EXPECT_EQ(subject.text(), c.subject);
        EXPECT_TRUE(s.grid().hasFocus());

        s.filters().list(0)->setCurrentIndex(1);
        s.filterChanged(0);
        EXPECT_EQ(s.list().rowCount(), c.filteredRows);
        EXPECT_EQ(subject.text(), s.list().field(QStringLiteral("KONU")).toString());

        s.finish(QDialog::Rejected);
        EXPECT_FALSE(s.list().isActive());
        EXPECT_EQ(subject.text(), QString());
    }
}

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
