#include "refdata_support.h"

#include "core/appcontext.h"
#include "db/query.h"
#include "refdata/codetableeditor.h"
#include "refdata/tfrmkurbil.h"
#include "support/promptscript.h"
#include "support/testdb.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <memory>

using refdatatest::leaveRow;
using refdatatest::showActive;
using refdatatest::typeIntoCell;
using testsupport::PromptScript;
using testsupport::TempDatabase;
using State = widgets::EditableTable::State;

namespace {

using EditorFactory =
    std::function<std::unique_ptr<refdata::CodeTableEditor>(core::TDM&, core::AppContext&)>;

struct EditorCase {
    const char* name;
    EditorFactory make;
    const refdata::CodeTable& (*table)();
};

void PrintTo(const EditorCase& c, std::ostream* os)
{
    *os << c.name;
}

template <class T> EditorFactory factory()
{
    return [](core::TDM& dm, core::AppContext& ctx) { return std::make_unique<T>(dm, ctx); };
}

const EditorCase Departments{"TFRMBIRIM", factory<refdata::TFRMBIRIM>(), &refdata::departmentTable};
const EditorCase Institutions{"TFRMKURUM", factory<refdata::TFRMKURUM>(),
                              &refdata::institutionTable};
const EditorCase DocumentTypes{"TFRMECINS", factory<refdata::TFRMECINS>(),
                               &refdata::documentTypeTable};

// One editor on a fresh yearly file, opened as the menu opens it.
class Editor {
public:
    explicit Editor(const EditorCase& c) : m_table(c.table()), m_screen(c.make(m_db.dm(), ctx)) {}

    TempDatabase& db() { return m_db; }
    refdata::CodeTableEditor& screen() { return *m_screen; }
    widgets::EditableGrid& grid() { return m_screen->grid(); }
    widgets::EditableTable& rows() { return m_screen->rows(); }
    const refdata::CodeTable& table() const { return m_table; }

    void open() { showActive(*m_screen); }
    // Types a name into a new row at the end and leaves it with Down, which
    // saves it and starts the next new row.
    void addName(const QString& name)
    {
        ASSERT_TRUE(grid().startNewRow());
        typeIntoCell(grid(), rows().rowCount() - 1, 0, name);
        leaveRow(grid(), Qt::Key_Down);
    }
    void store(int code, const QString& name)
    {
        m_db.exec(QStringLiteral("INSERT INTO %1 (%2,%3) VALUES(:K,:N)")
                      .arg(m_table.table, m_table.codeColumn, m_table.nameColumn),
                  {code, name});
    }
    QString count(const QString& name)
    {
        return m_db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2=:N")
                               .arg(m_table.table, m_table.nameColumn),
                           {name});
    }
    QString codeOf(const QString& name)
    {
        return m_db.scalar(QStringLiteral("SELECT MAX(%1) FROM %2 WHERE %3=:N")
                               .arg(m_table.codeColumn, m_table.table, m_table.nameColumn),
                           {name});
    }
    void deleteRow(int row)
    {
        grid().setCurrentIndex(rows().index(row, 0));
        QAction* action = m_screen->findChild<QAction*>(QStringLiteral("actKayitSil"));
        ASSERT_NE(action, nullptr);
        action->trigger();
    }
    void exit() { m_screen->findChild<QPushButton*>(QStringLiteral("btnCikis"))->click(); }

    core::AppContext ctx;

private:
    TempDatabase m_db;
    const refdata::CodeTable& m_table;
    std::unique_ptr<refdata::CodeTableEditor> m_screen;
};

class EveryEditor : public testing::TestWithParam<EditorCase> {};

INSTANTIATE_TEST_SUITE_P(CodeTables, EveryEditor,
                         testing::Values(Departments, Institutions, DocumentTypes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(EveryEditor, ShowsTheTableUnderItsTitlesAndNeverTheCodeAsAnEditableCell)
{
    Editor e(GetParam());
    e.store(4, QStringLiteral("Zabıta Müdürlüğü"));
    e.store(2, QStringLiteral("Çankırı Valiliği"));
    e.open();
    EXPECT_EQ(e.screen().objectName(), QString::fromLatin1(GetParam().name));
    EXPECT_EQ(e.screen().windowTitle(), e.table().title);
    ASSERT_EQ(e.rows().rowCount(), 2);
    for (int c = 0; c < e.rows().columnCount(); ++c) {
        EXPECT_EQ(e.rows().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                  e.table().columns[c].heading);
        const bool isCode = e.table().columns[c].field == e.table().codeColumn;
        EXPECT_EQ(bool(e.rows().flags(e.rows().index(0, c)) & Qt::ItemIsEditable), !isCode);
    }
    e.exit();
    EXPECT_FALSE(e.screen().isVisible());
}

TEST_P(EveryEditor, GivesTheFirstRowCode1AndADeletedHighestCodeAgain)
{
    Editor e(GetParam());
    PromptScript prompts;
    e.open();
    e.addName(QStringLiteral("Birinci"));
    e.addName(QStringLiteral("İkinci"));
    e.addName(QStringLiteral("Üçüncü"));
    EXPECT_EQ(e.codeOf(QStringLiteral("Birinci")), QStringLiteral("1"));
    EXPECT_EQ(e.codeOf(QStringLiteral("Üçüncü")), QStringLiteral("3"));
    // The grid shows the code it gave, where it shows one.
    const int row = e.rows().rowCount() - 2;
    EXPECT_EQ(e.rows().value(row, e.table().codeColumn).toInt(), 3);

    prompts.expectQuestion(refdata::DeleteQuestion, true);
    e.deleteRow(row);
    EXPECT_EQ(e.count(QStringLiteral("Üçüncü")), QStringLiteral("0"));
    e.addName(QStringLiteral("Dördüncü"));
    EXPECT_EQ(e.codeOf(QStringLiteral("Dördüncü")), QStringLiteral("3"));
    e.exit();
    EXPECT_FALSE(e.screen().isVisible());
}

TEST_P(EveryEditor, KeepsARowWhoseDeletionIsNotConfirmed)
{
    Editor e(GetParam());
    e.store(1, QStringLiteral("Kalan"));
    PromptScript prompts;
    prompts.expectQuestion(refdata::DeleteQuestion, false);
    e.open();
    e.deleteRow(0);
    EXPECT_EQ(e.rows().rowCount(), 1);
    EXPECT_EQ(e.count(QStringLiteral("Kalan")), QStringLiteral("1"));
    e.exit();
}

TEST_P(EveryEditor, CommitsOnExitSoThatAnEntrysCancelKeepsItsWork)
{
    Editor e(GetParam());
    PromptScript prompts;
    e.store(1, QStringLiteral("Silinecek"));
    e.db().database().commit();
    e.open();
    e.addName(QStringLiteral("Yeni Satır"));
    prompts.expectQuestion(refdata::DeleteQuestion, true);
    e.deleteRow(0);
    // The row being typed is saved by the exit itself.
    ASSERT_TRUE(e.grid().startNewRow());
    typeIntoCell(e.grid(), e.rows().rowCount() - 1, 0, QStringLiteral("Çıkışta Kaydedilen"));
    e.exit();
    EXPECT_FALSE(e.screen().isVisible());
    EXPECT_TRUE(e.ctx.CloseAllowed);

    e.db().dm().FDTransaction1.rollback(); // an entry screen's "F6-Vazgeç", say
    EXPECT_EQ(e.count(QStringLiteral("Yeni Satır")), QStringLiteral("1"));
    EXPECT_EQ(e.count(QStringLiteral("Çıkışta Kaydedilen")), QStringLiteral("1"));
    EXPECT_EQ(e.count(QStringLiteral("Silinecek")), QStringLiteral("0"));
}

TEST_P(EveryEditor, TakesANameAsLongAsItsColumnAndRefusesWhatTheFileCannotHold)
{
    Editor e(GetParam());
    const QString heading = e.table().columns[0].heading;
    PromptScript prompts;
    e.open();
    // The width comes from the file: 100 characters since 12.003.
    EXPECT_EQ(e.rows().columns()[0].maxLength, 100);
    const QString whole = QStringLiteral("Çevre, Şehircilik ve İklim Değişikliği Bakanlığı ") +
                          QString(51, QLatin1Char('x'));
    ASSERT_EQ(whole.size(), 100);
    e.addName(whole);
    EXPECT_EQ(e.count(whole), QStringLiteral("1"));
    const QString rows = QStringLiteral("SELECT COUNT(*) FROM %1").arg(e.table().table);

    struct Case {
        QString name, message;
    };
    const Case cases[] = {
        {whole + QStringLiteral("y"),
         QStringLiteral("DİKKAT! %1 En Fazla 100 Karakter Olabilir. Yazılan Metin 101 "
                        "Karakterdir..")
             .arg(heading)},
        {QStringLiteral("Посольство"),
         QStringLiteral("DİKKAT! %1 Alanındaki Şu Karakterler Kaydedilemez: П о с л ь т в\n"
                        "Bu Karakterleri Silip Yeniden Kaydediniz..")
             .arg(heading)},
    };
    for (const Case& c : cases) {
        const int row = e.rows().rowCount() - 1; // the new row the Down key started
        prompts.expectMessage(c.message);
        typeIntoCell(e.grid(), row, 0, c.name);
        leaveRow(e.grid(), Qt::Key_Up);
        prompts.verify();
        // Refused, kept whole in the row still in editing.
        EXPECT_EQ(e.rows().state(), State::Insert);
        EXPECT_EQ(e.rows().value(row, e.table().nameColumn).toString(), c.name);
        EXPECT_EQ(e.db().scalar(rows), QStringLiteral("1"));
    }
    QTest::keyClick(&e.grid(), Qt::Key_Z, Qt::ControlModifier);
    e.exit();
    EXPECT_FALSE(e.screen().isVisible());
}

TEST_P(EveryEditor, ClosesOnlyThroughItsExitAndEscPressesIt)
{
    Editor e(GetParam());
    e.open();
    EXPECT_FALSE(e.ctx.CloseAllowed);
    e.screen().close();
    EXPECT_TRUE(e.screen().isVisible());
    QTest::keyClick(&e.grid(), Qt::Key_Escape);
    EXPECT_FALSE(e.screen().isVisible());
}

TEST_P(EveryEditor, LeavesANewRowNothingWasTypedIntoUnwritten)
{
    Editor e(GetParam());
    e.store(1, QStringLiteral("Tek"));
    e.open();
    QTest::keyClick(&e.grid(), Qt::Key_Down); // the last row: a new row starts
    ASSERT_EQ(e.rows().rowCount(), 2);
    leaveRow(e.grid(), Qt::Key_Up);
    EXPECT_EQ(e.rows().rowCount(), 1);
    QTest::keyClick(&e.grid(), Qt::Key_Insert);
    e.exit();
    EXPECT_FALSE(e.screen().isVisible());
    EXPECT_EQ(e.db().scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(e.table().table)),
              QStringLiteral("1"));
}

TEST_P(EveryEditor, KeepsAChangedRowAnotherWorkstationDeletedInEditingAndSaysSo)
{
    Editor e(GetParam());
    e.store(1, QStringLiteral("Eski Ad"));
    e.store(2, QStringLiteral("Öteki"));
    e.db().database().commit();
    PromptScript prompts;
    e.open();
    {
        auto other = e.db().openSecond();
        db::Query q(*other);
        q.execLines({QStringLiteral("DELETE FROM %1 WHERE %2=1")
                         .arg(e.table().table, e.table().codeColumn)});
        other->commit();
    }
    typeIntoCell(e.grid(), 0, 0, QStringLiteral("Yeni Ad"));
    prompts.expectMessage(refdata::RowRemovedElsewhere);
    leaveRow(e.grid(), Qt::Key_Down);
    prompts.verify();
    EXPECT_EQ(e.rows().state(), widgets::EditableTable::State::Edit);
    EXPECT_EQ(e.rows().value(0, e.table().nameColumn).toString(), QStringLiteral("Yeni Ad"));
    EXPECT_EQ(e.count(QStringLiteral("Yeni Ad")), QStringLiteral("0"));
    e.rows().cancel();
    e.exit();
}

TEST_P(EveryEditor, RefusesNoEmptyName)
{
    Editor e(GetParam());
    e.open();
    ASSERT_TRUE(e.grid().startNewRow());
    typeIntoCell(e.grid(), 0, 0, QStringLiteral("x"));
    typeIntoCell(e.grid(), 0, 0, QString());
    e.exit();
    EXPECT_FALSE(e.screen().isVisible());
    EXPECT_EQ(e.count(QString()), QStringLiteral("1"));
}

// The department editor lets one name be stored twice (the count must be
// greater than 1); the two others refuse a name already stored, and an
// unchanged name typed again over a stored row, because the row counts
// itself. Names differing in letter case differ.
struct DuplicateCase {
    EditorCase editor;
    bool secondAccepted;
};

void PrintTo(const DuplicateCase& c, std::ostream* os)
{
    *os << c.editor.name;
}

class Duplicates : public testing::TestWithParam<DuplicateCase> {};

INSTANTIATE_TEST_SUITE_P(CodeTables, Duplicates,
                         testing::Values(DuplicateCase{Departments, true},
                                         DuplicateCase{Institutions, false},
                                         DuplicateCase{DocumentTypes, false}),
                         [](const auto& info) { return std::string(info.param.editor.name); });

TEST_P(Duplicates, FollowTheTablesLimit)
{
    Editor e(GetParam().editor);
    const QString message = e.table().duplicateMessage;
    e.store(1, QStringLiteral("Valilik"));
    PromptScript prompts;
    e.open();

    if (GetParam().secondAccepted) {
        e.addName(QStringLiteral("Valilik"));
        EXPECT_EQ(e.count(QStringLiteral("Valilik")), QStringLiteral("2"));
    }
    prompts.expectMessage(message);
    ASSERT_TRUE(e.grid().startNewRow());
    const int row = e.rows().rowCount() - 1;
    typeIntoCell(e.grid(), row, 0, QStringLiteral("Valilik"));
    leaveRow(e.grid(), Qt::Key_Up);
    prompts.verify();
    // Refused: nothing written, the row still in editing with what was typed.
    EXPECT_EQ(e.count(QStringLiteral("Valilik")),
              GetParam().secondAccepted ? QStringLiteral("2") : QStringLiteral("1"));
    EXPECT_EQ(e.rows().state(), State::Insert);
    EXPECT_EQ(e.grid().currentRowNumber(), row);
    EXPECT_EQ(e.rows().value(row, e.table().nameColumn).toString(), QStringLiteral("Valilik"));

    // The exit saves the row first, so the refusal keeps the screen open.
    PromptScript again;
    again.expectMessage(message);
    e.exit();
    again.verify();
    EXPECT_TRUE(e.screen().isVisible());

    // Ctrl+Z gives up the row; a name in other letter case is another name.
    QTest::keyClick(&e.grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.rows().state(), State::Browse);
    e.addName(QStringLiteral("VALİLİK"));
    EXPECT_EQ(e.count(QStringLiteral("VALİLİK")), QStringLiteral("1"));
    e.exit();
    EXPECT_FALSE(e.screen().isVisible());
}

TEST_P(Duplicates, CountTheRowItselfWhenItsNameIsTypedAgain)
{
    Editor e(GetParam().editor);
    e.store(1, QStringLiteral("Valilik"));
    e.store(2, QStringLiteral("Tapu Müdürlüğü"));
    PromptScript prompts;
    e.open();
    const int row = e.rows().value(0, e.table().nameColumn) == QStringLiteral("Valilik") ? 0 : 1;
    if (!GetParam().secondAccepted)
        prompts.expectMessage(e.table().duplicateMessage);
    typeIntoCell(e.grid(), row, 0, QStringLiteral("Valilik"));
    leaveRow(e.grid(), row == 0 ? Qt::Key_Down : Qt::Key_Up);
    prompts.verify();
    EXPECT_EQ(e.rows().state(), GetParam().secondAccepted ? State::Browse : State::Edit);
    if (!GetParam().secondAccepted)
        QTest::keyClick(&e.grid(), Qt::Key_Z, Qt::ControlModifier);
    e.exit();
    EXPECT_FALSE(e.screen().isVisible());
}

TEST(DepartmentEditor, AcceptsAChangedSignatoryAndTitleAndStoresThem)
{
    Editor e(Departments);
    e.db().exec(QStringLiteral(
        "INSERT INTO BIRIM (BKOD,BIRIM,YET,GOR) VALUES(7,'Fen İşleri','Eski','Şef')"));
    e.open();
    typeIntoCell(e.grid(), 0, 1, QStringLiteral("Mehmet Kaya"));
    typeIntoCell(e.grid(), 0, 2, QStringLiteral("Fen İşleri Müdürü"));
    EXPECT_EQ(e.rows().state(), State::Edit);
    e.exit();
    EXPECT_FALSE(e.screen().isVisible());
    EXPECT_EQ(e.db().scalar(QStringLiteral("SELECT YET||'/'||GOR||'/'||BKOD FROM BIRIM")),
              QStringLiteral("Mehmet Kaya/Fen İşleri Müdürü/7"));
}

TEST(InstitutionEditor, OpeningACellWithoutTypingChangesNothing)
{
    Editor e(Institutions);
    e.store(1, QStringLiteral("Valilik"));
    PromptScript prompts; // no duplicate message: the row was never changed
    e.open();
    const QModelIndex cell = e.rows().index(0, 0);
    e.grid().edit(cell);
    e.grid().commitEditor();
    EXPECT_EQ(e.rows().state(), State::Browse);
    e.exit();
    EXPECT_FALSE(e.screen().isVisible());
}

// A code that documents use is not deleted: the department by a single
// petition, the institution and the type by an incoming or outgoing
// document. An unused one is.
struct InUseCase {
    EditorCase editor;
    const char* document; // INSERT with the code as :K, or nullptr for none
};

void PrintTo(const InUseCase& c, std::ostream* os)
{
    *os << c.editor.name << (c.document ? " used" : " unused");
}

class InUse : public testing::TestWithParam<InUseCase> {};

INSTANTIATE_TEST_SUITE_P(
    CodeTables, InUse,
    testing::Values(InUseCase{Departments, "INSERT INTO DILEKCE (KAYNO,DILNO,BKOD) VALUES(1,1,:K)"},
                    InUseCase{Departments, nullptr},
                    InUseCase{Institutions, "INSERT INTO GIDEN (KAYNO,GIDNO,DKOD) VALUES(1,1,:K)"},
                    InUseCase{Institutions, nullptr},
                    InUseCase{DocumentTypes, "INSERT INTO GELEN (KAYNO,GELNO,EKOD) VALUES(1,1,:K)"},
                    InUseCase{DocumentTypes,
                              "INSERT INTO DILEKCE (KAYNO,DILNO,EKOD) VALUES(1,1,:K)"}),
    [](const auto& info) {
        return std::string(info.param.editor.name) + (info.param.document ? "_used" : "_unused") +
               std::to_string(info.index);
    });

TEST_P(InUse, DecidesWhetherTheRowMayBeDeleted)
{
    Editor e(GetParam().editor);
    e.store(5, QStringLiteral("Kullanılan"));
    if (GetParam().document)
        e.db().exec(QString::fromLatin1(GetParam().document), {5});
    PromptScript prompts;
    prompts.expectQuestion(refdata::DeleteQuestion, true);
    if (GetParam().document)
        prompts.expectMessage(e.table().inUseMessage);
    e.open();
    e.deleteRow(0);
    prompts.verify();
    const bool used = GetParam().document != nullptr;
    EXPECT_EQ(e.rows().rowCount(), used ? 1 : 0);
    EXPECT_EQ(e.count(QStringLiteral("Kullanılan")),
              used ? QStringLiteral("1") : QStringLiteral("0"));
    e.exit();
}

TEST(InstitutionEditor, ListsByNameAndShowsTheCode)
{
    Editor e(Institutions);
    e.store(1, QStringLiteral("Valilik"));
    e.store(2, QStringLiteral("Kaymakamlık"));
    e.open();
    EXPECT_EQ(e.rows().data(e.rows().index(0, 0), Qt::DisplayRole).toString(),
              QStringLiteral("Kaymakamlık"));
    EXPECT_EQ(e.rows().data(e.rows().index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("2"));
    e.exit();
}

// The quick-add dialog of the entry screens.
class QuickAdd : public testing::Test {
protected:
    TempDatabase db;
    core::AppContext ctx;
    refdata::TFRMKURBIL dialog{db.dm(), ctx};

    QLineEdit* name() { return dialog.findChild<QLineEdit*>(QStringLiteral("edtDkurum")); }
};

TEST_F(QuickAdd, HandsTheNewCodeBackAndLeavesTheCommitToTheEntryScreen)
{
    db.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(41,'Valilik')"));
    db.database().commit();
    showActive(dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("KURUM EKLEME"));
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());                          // its own permission is clear
    refdatatest::typeText(name(), QStringLiteral("Valilik")); // a stored name is accepted
    QTest::keyClick(&dialog, Qt::Key_F5);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.result().Added);
    EXPECT_EQ(dialog.result().AddedDkod, 42);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT DKURUM FROM DISKUR WHERE DKOD=42")),
              QStringLiteral("Valilik"));

    db.dm().FDTransaction1.rollback(); // the entry screen is cancelled
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM DISKUR")), QStringLiteral("1"));
}

TEST_F(QuickAdd, CancelAddsNothingAndKeepsTheLastCode)
{
    showActive(dialog);
    refdatatest::typeText(name(), QStringLiteral("Tapu Müdürlüğü"));
    QTest::keyClick(&dialog, Qt::Key_F5);
    ASSERT_EQ(dialog.result().AddedDkod, 1); // the first of an empty table

    showActive(dialog);
    EXPECT_EQ(name()->text(), QString()); // every opening starts a new row
    refdatatest::typeText(name(), QStringLiteral("Vazgeçilen"));
    QTest::keyClick(&dialog, Qt::Key_F6);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.result().Added);
    EXPECT_EQ(dialog.result().AddedDkod, 1);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM DISKUR")), QStringLiteral("1"));
}

TEST_F(QuickAdd, TakesANameAsLongAsItsColumnAndKeepsALongerOneToBePutRight)
{
    const QString ministry = QStringLiteral("Çevre, Şehircilik ve İklim Değişikliği Bakanlığı");
    const QString tooLong = ministry + QString(100 - ministry.size() + 1, QLatin1Char('.'));
    PromptScript prompts;
    showActive(dialog);
    QApplication::clipboard()->setText(tooLong);
    name()->paste();
    EXPECT_EQ(name()->text(), tooLong); // whole, not cut at the column
    prompts.expectMessage(
        QStringLiteral("DİKKAT! Kurum Adı En Fazla 100 Karakter Olabilir. Yazılan Metin 101 "
                       "Karakterdir.."));
    QTest::keyClick(&dialog, Qt::Key_F5);
    prompts.verify();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(name()->text(), tooLong);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM DISKUR")), QStringLiteral("0"));

    QTest::keyClick(name(), Qt::Key_Backspace);
    QTest::keyClick(&dialog, Qt::Key_F5);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT CHAR_LENGTH(DKURUM) FROM DISKUR")),
              QStringLiteral("100"));
}

TEST_F(QuickAdd, RefusesACodeBeyondTheColumnInsteadOfWrappingIt)
{
    db.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(32767,'Son')"));
    PromptScript prompts;
    prompts.expectMessage(QStringLiteral("BİR HATA OLUŞTU:"));
    showActive(dialog);
    refdatatest::typeText(name(), QStringLiteral("Taşan"));
    QTest::keyClick(&dialog, Qt::Key_F5);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM DISKUR")), QStringLiteral("1"));
    QTest::keyClick(&dialog, Qt::Key_F6);
}

} // namespace
