#pragma once

// How the clerk drives the screens of this folder in the tests.

#include "support/clerk.h"
#include "widgets/editablegrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace refdatatest {

using testsupport::showActive;
using testsupport::typeText;

// Moves to the cell, opens it as a double-click or F2 does, types the text
// over what it held and presses Enter.
inline void typeIntoCell(widgets::EditableGrid& grid, int row, int column, const QString& text)
{
    const QModelIndex index = grid.model()->index(row, column);
    ASSERT_TRUE(index.isValid()) << "no cell " << row << "," << column;
    grid.setCurrentIndex(index);
    grid.edit(index);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!editor)
        editor = grid.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr) << "the cell did not open";
    editor->selectAll();
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Delete);
    else
        typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Leaves the current row for another one, as the arrow keys do.
inline void leaveRow(widgets::EditableGrid& grid, Qt::Key key = Qt::Key_Up)
{
    QTest::keyClick(&grid, key);
    QCoreApplication::processEvents();
}

} // namespace refdatatest
