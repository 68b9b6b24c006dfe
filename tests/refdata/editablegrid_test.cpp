#include "refdata_support.h"

#include "support/testdb.h"
#include "widgets/editablegrid.h"

#include <QAbstractItemModelTester>

using refdatatest::leaveRow;
using refdatatest::showActive;
using refdatatest::typeIntoCell;
using testsupport::TempDatabase;
using State = widgets::EditableTable::State;

namespace {

// The grid over rows read from the database, with a save handler that
// refuses the name "Red" and records what it was given.
class Grid : public testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO ECINS (EKOD,ECINS) VALUES(1,'Genelge')"));
        db.exec(QStringLiteral("INSERT INTO ECINS (EKOD,ECINS) VALUES(2,'Rapor')"));
        db::Query q(db.database());
        q.add(QStringLiteral("SELECT RDB$DB_KEY DBKEY,EKOD,ECINS FROM ECINS ORDER BY EKOD"));
        q.open();
        table.setSaveHandler([this](widgets::RowValues& row, bool newRow) {
            saves << QStringLiteral("%1:%2").arg(newRow ? QStringLiteral("new")
                                                        : QStringLiteral("changed"),
                                                 row.value(QStringLiteral("ECINS")).toString());
            if (row.value(QStringLiteral("ECINS")) == QStringLiteral("Red"))
                return false;
            if (newRow)
                row.insert(QStringLiteral("EKOD"), 9);
            return true;
        });
        table.load(q);
        grid.setTable(&table);
        showActive(grid);
        grid.setCurrentIndex(table.index(0, 0));
    }

    TempDatabase db;
    widgets::EditableTable table{{{QStringLiteral("ECINS"), QStringLiteral("Ad"), 0, 10, true},
                                  {QStringLiteral("EKOD"), QStringLiteral("Kod"), 0, 0, false}}};
    widgets::EditableGrid grid;
    QStringList saves;
};

TEST_F(Grid, IsAWellBehavedModelThatKeepsEveryColumnOfTheQuery)
{
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(table.value(1, QStringLiteral("ECINS")).toString(), QStringLiteral("Rapor"));
    EXPECT_EQ(table.value(1, QStringLiteral("DBKEY")).toByteArray().size(), 8);
    ASSERT_TRUE(grid.startNewRow());
    typeIntoCell(grid, 2, 0, QStringLiteral("Tebligat"));
    leaveRow(grid);
    table.cancel();
    table.dropRow(0);
    EXPECT_EQ(table.rowCount(), 2);
}

TEST_F(Grid, SavesARowWhenItIsLeftAndMarksItWhileItIsEdited)
{
    typeIntoCell(grid, 0, 0, QStringLiteral("Genelgeler"));
    EXPECT_EQ(table.state(), State::Edit);
    EXPECT_EQ(table.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("✎"));
    EXPECT_TRUE(saves.isEmpty()); // Enter keeps the row in editing
    leaveRow(grid, Qt::Key_Down);
    EXPECT_EQ(saves, QStringList{QStringLiteral("changed:Genelgeler")});
    EXPECT_EQ(table.state(), State::Browse);
    EXPECT_EQ(table.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), QString());
}

TEST_F(Grid, KeepsATextLongerThanTheColumnWholeForTheScreenToRefuse)
{
    // The size comes from the file, whatever the screen's table said.
    EXPECT_EQ(table.columns()[0].maxLength, 100);
    const QString text = QString(101, QLatin1Char('u'));
    typeIntoCell(grid, 0, 0, text);
    EXPECT_EQ(table.value(0, QStringLiteral("ECINS")).toString(), text);
    EXPECT_EQ(table.refusal(table.row(0)),
              QStringLiteral("DİKKAT! Ad En Fazla 100 Karakter Olabilir. Yazılan Metin 101 "
                             "Karakterdir.."));
    EXPECT_EQ(table.refusal(table.row(1)), QString());
    table.cancel();
    EXPECT_EQ(table.value(0, QStringLiteral("ECINS")).toString(), QStringLiteral("Genelge"));
}

TEST_F(Grid, StartsNewRowsAtTheEndAndDropsAnUntouchedOne)
{
    leaveRow(grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Down); // from the last row
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.state(), State::Insert);
    EXPECT_EQ(table.headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("*"));
    QTest::keyClick(&grid, Qt::Key_Down); // still the one new row
    EXPECT_EQ(table.rowCount(), 3);
    leaveRow(grid, Qt::Key_Up);
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_TRUE(saves.isEmpty());

    QTest::keyClick(&grid, Qt::Key_Insert);
    typeIntoCell(grid, 2, 0, QStringLiteral("Davetiye"));
    leaveRow(grid, Qt::Key_Down); // saved, and the next new row begins
    EXPECT_EQ(saves, QStringList{QStringLiteral("new:Davetiye")});
    EXPECT_EQ(table.value(2, QStringLiteral("EKOD")).toInt(), 9);
    EXPECT_EQ(table.rowCount(), 4);
}

TEST_F(Grid, KeepsTheCursorOnARefusedRowUntilItIsUndone)
{
    typeIntoCell(grid, 1, 0, QStringLiteral("Red"));
    leaveRow(grid, Qt::Key_Up);
    EXPECT_EQ(grid.currentRowNumber(), 1);
    EXPECT_EQ(table.state(), State::Edit);
    EXPECT_FALSE(grid.startNewRow());
    EXPECT_EQ(table.rowCount(), 2);
    QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(table.state(), State::Browse);
    EXPECT_EQ(table.value(1, QStringLiteral("ECINS")).toString(), QStringLiteral("Rapor"));
    leaveRow(grid, Qt::Key_Up);
    EXPECT_EQ(grid.currentRowNumber(), 0);
}

TEST(EmptyGrid, StartsANewRowWhenTheClerkTypes)
{
    widgets::EditableTable table{{{QStringLiteral("AD"), QStringLiteral("Ad"), 0, 0, true}}};
    widgets::EditableGrid grid;
    grid.setTable(&table);
    showActive(grid);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_A);
    QCoreApplication::processEvents();
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.state(), State::Insert);
    grid.commitEditor();
    EXPECT_EQ(table.value(0, QStringLiteral("AD")).toString(), QStringLiteral("a"));
    EXPECT_TRUE(table.isModified());
}

} // namespace
