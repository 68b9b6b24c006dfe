#pragma once

#include "core/appcontext.h"
#include "core/clock.h"
#include "letters/tfrmtext1.h"
#include "letters/tqrpgidyaz.h"
#include "lists/pickers.h"
#include "refdata/tfrmkurbil.h"
#include "refdata/tfrmsdpbul.h"
#include "registers/tfrmdilekce.h"
#include "registers/tfrmdillst.h"
#include "registers/tfrmgelen.h"
#include "registers/tfrmgellst.h"
#include "registers/tfrmgiden.h"
#include "registers/tfrmgidlst.h"
#include "registers/tfrmresim.h"
#include "support/clerk.h"
#include "support/testdb.h"

#include <QColor>
#include <QComboBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace registerstest {

// Shows a screen as the active window, as opening it does.
void showActive(QWidget& screen);

// Types as the keyboard does, Turkish letters included, one key at a time.
void type(QWidget& field, const QString& text);

// Empties a box as the clerk does: select all, delete.
void clearField(QWidget& field);

// The clerk picks the entry with this text in a drop-down.
void choose(QComboBox& box, const QString& text);

// Double-clicks a box (the viewport of a multi-line one).
void doubleClick(QWidget& field);

using testsupport::child;

// One shown column of a browse list, top to bottom, by its heading.
QStringList shownColumn(registers::BrowseList& list, const QString& heading);

// The bytes of a small picture file of the given kind ("JPG", "BMP", "PNG").
QByteArray pictureFile(const char* format, const QColor& color, const QSize& size = QSize(60, 80));

// An incoming document written straight into the file.
struct Doc {
    int kayno = 0;
    int gelno = 0;
    int bkod = 1;
    int dkod = 1;
    QString cevdur = QStringLiteral("H");
    int cevno = 0;
    int ilgno = 0;
    QString gizder = QStringLiteral("Ö");
    QString konu = QStringLiteral("Gelen konu");
};

// A year with departments, institutions, document types, a small file plan
// and the incoming screens with the screens they open, as the program makes
// them. Today is 14.03.2026. Keys drawn for new documents start at 101.
class Incoming : public testing::Test {
protected:
    Incoming();
    ~Incoming() override;

    void addIncoming(const Doc& d);
    // An outgoing document waiting for a reply unless told otherwise.
    void addOutgoing(int kayno, int gidno, const QString& konu, int cevno = 0,
                     const QString& cevdur = QStringLiteral("E"));

    // The entry screen opened by its list for a new document or for one.
    void openNew();
    void openEdit(int kayno);
    // A file in the test's folder holding the bytes.
    QString writeFile(const QString& name, const QByteArray& bytes);

    // Columns of one stored row, "<null>" for a NULL; empty without the row.
    QStringList row(const QString& table, int kayno, const QString& columns);

    QString scalar(const QString& sql, const QVariantList& params = {})
    {
        return t.scalar(sql, params);
    }
    int count(const QString& sql, const QVariantList& params = {})
    {
        return t.scalar(sql, params).toInt();
    }

    testsupport::TempDatabase t;
    core::FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(10, 30))};
    core::AppContext ctx;
    QTemporaryDir files;
    refdata::TFRMSDPBUL sdpbul{t.dm(), ctx};
    refdata::TFRMKURBIL kurbil{t.dm(), ctx};
    lists::TFRMGIDBUL gidbul{t.dm(), ctx};
    registers::TFRMRESIM resim;
    registers::TFRMGELEN entry{t.dm(), ctx, sdpbul, kurbil, gidbul, resim};
    registers::TFRMGELLST list{t.dm(), ctx, entry};
};

// The three registers with every screen their entries and lists open, on
// the year of Incoming.
class AllRegisters : public Incoming {
protected:
    // Keys drawn for new petitions start at 101 too.
    AllRegisters();

    // A petition written straight into the file.
    void addPetition(int kayno, int dilno, const QString& adsoy, int cevno = 0,
                     const QString& cevdur = QStringLiteral("E"), int bkod = 1);
    // An outgoing document that answers a document ('G' incoming, 'D'
    // petition), both sides linked as saving does.
    void addAnsweringOutgoing(int kayno, int gidno, int ilgno, const QString& ilgdur);
    // An entry screen opened by its list.
    void open(registers::EntryScreen& screen, registers::EntryMode mode, int kayno = 0);

    lists::TFRMGELBUL gelbul{t.dm(), ctx};
    lists::TFRMDILBUL dilbul{t.dm(), ctx};
    letters::TQRPGIDYAZ letterLayout;
    letters::TFRMTEXT1 letterEditor{t.dm(), ctx, letterLayout, [this] { return emblem; }};
    QImage emblem;
    registers::TFRMGIDEN giden{t.dm(),       ctx,          sdpbul,
                               kurbil,       gelbul,       dilbul,
                               letterEditor, letterLayout, [this] { return emblem; }};
    registers::TFRMGIDLST gidlst{t.dm(), ctx, giden};
    registers::TFRMDILEKCE dilekce{t.dm(), ctx, sdpbul};
    registers::TFRMDILLST dillst{t.dm(), ctx, dilekce, dilbul};
};

} // namespace registerstest
