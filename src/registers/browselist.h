#pragma once

#include "entryscreen.h"
#include "registertable.h"

#include "core/appcontext.h"
#include "core/tdm.h"
#include "widgets/datagrid.h"
#include "widgets/filteredlist.h"
#include "widgets/filteredlistscreen.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace Ui {
class BrowseListForm;
}
namespace lists {
class TFRMARA;
}

namespace registers {

// A filter of a browse list and an entry of its fixed lists: the shared
// filter design of every list screen.
using ListFilter = widgets::Filter;
using ListChoice = widgets::FilterChoice;

// The table of differences of a browse list.
struct ListTable {
    const RegisterTable* reg = nullptr;
    QString formName{};
    QString title{};
    QString filterHeading{};
    // The select line and its join lines; the reply number "Cev.No" comes
    // with the rows, as column CNO.
    QStringList selectLines{};
    QString orderLine{};
    QList<ListFilter> filters{};
    QList<widgets::GridColumn> columns{};
    QString stretchField{};  // the column that takes the room left
    bool subjectLine = true; // the full KONU of the current row under the list
    bool toolWindow = false; // a narrow title bar with its close button
    // The deletion's question for a document with TEXT rows of its own.
    QString deleteWithTextQuestion{};
};

// The filters and columns the three registers' lists share. alias is the
// register's own table in the list query ("G1", "D"). The institution list
// is widgets::institutionFilter; the department list is also restricted to
// the department of a clerk tied to one.
ListFilter departmentFilter(const QString& caption, const QString& alias, bool editable = false);
// "Cevap Durumu" and "Gizlilik Derecesi"; an editable list takes typed text.
ListFilter replyFilter(bool editable = false);
ListFilter gradeFilter(bool editable = false);
widgets::GridColumn listColumn(const QString& field, const QString& heading, int width,
                               bool number = false);

// "F10-Sil" after the clerk said yes: refused (false) while another document
// answers this one; otherwise the row is deleted with its TEXT rows (its
// scanned pages or its letter), the document it answered waits for a reply
// again, the register's number generator is set to the highest number
// left, and all of it is committed at once. ilgno and ilgdur are the row's
// as the list read them (0 and empty where the register has none).
bool deleteDocument(core::TDM& dm, const RegisterTable& reg, int kayno, int ilgno,
                    const QString& ilgdur);

inline const QString DeleteQuestion =
    QStringLiteral("DİKKAT! Bu Kayıt Silinecektir. Onaylıyormusunuz.?");

// The question of "F10-Sil": it names what goes with the document.
QString deleteQuestion(core::TDM& dm, const ListTable& table, int kayno);

// The working list of a register: the filters, the list, the entry screen
// for a new or the current document, the deletion. Created once and reused;
// every opening resets the filters and moves to the newest document.
class BrowseList : public widgets::FilteredListScreen {
    Q_OBJECT
public:
    BrowseList(const ListTable& table, core::TDM& dm, core::AppContext& ctx, EntryScreen& entry,
               QWidget* parent = nullptr);
    ~BrowseList() override;

    const ListTable& listTable() const { return m_table; }
    // "F2-Yeni Evrak", "F4-Değiş" (and a double-click), "F10-Sil", "F3-Ara",
    // "ESC-Çıkış".
    void newDocument();
    void editDocument();
    void deleteCurrent();
    // "F3-Ara": the document search, limited to this register and the
    // working year; the document chosen there becomes the current row when
    // the filters show it. Nothing without a search screen; a list with a
    // search of its own overrides it.
    virtual void search();
    // The search "F3-Ara" opens, made elsewhere in the program's order.
    void setSearchScreen(lists::TFRMARA* screen) { m_search = screen; }
    void exit();

protected:
    // Makes the document of the key the current row; false, and the list
    // stays where it was, when the filters hide it.
    bool moveTo(int kayno);

    // A register whose lists show a clerk tied to a department that
    // department alone.
    int clerkDepartment() const override;

private:
    ListTable m_table;
    core::TDM& m_dm;
    core::AppContext& m_ctx;
    EntryScreen& m_entry;
    std::unique_ptr<Ui::BrowseListForm> m_ui;
    lists::TFRMARA* m_search = nullptr;
};

} // namespace registers
