#pragma once

#include "db/query.h"

#include <QComboBox>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QWidget>

class QGridLayout;
class QLineEdit;

namespace widgets {

class DateBox;

// The pattern every list screen shares (browse lists, pickers, ledgers,
// the general list): a strip of filters, each turned into a condition of
// the one condition line of SORGULA with its parameters bound in order.

// The names of the code tables (DKURUM, BIRIM, ECINS) hold 100 characters
// since 12.003 and 30 in older files; a name is read at the wider length.
inline constexpr int CodeNameLength = 100;

// The fill statement of a code list: every name of the table in Turkish
// alphabetical order ("SELECT DKURUM FROM DISKUR ORDER BY DKURUM", read in
// Turkish).
QString namesInOrder(const QString& table, const QString& nameColumn, int length = CodeNameLength);

// Completion of an editable choice list without regard to Turkish case:
// "izmir" completes to "İZMİR VALİLİĞİ", "ısparta" to "ISPARTA". The list
// shows the entry as it is stored.
void completeInTurkish(QComboBox& box);

// COMBODOLDUR for one choice list: the all-entry ("TÜMÜ" or "Tümü"), then
// the first column of every row of sql in the order returned; the list
// shows the all-entry. Filling does not count as a change: no signal.
void fillChoiceList(QComboBox& box, db::Query& scratch, const QString& sql, const QString& allEntry,
                    const QVariantList& params = {});

// A shown name turned into its code: the first column of the first row of
// the look-up (sqlLines with the name bound to its one parameter), or
// noRowValue when no row comes back.
int lookupCode(db::Query& scratch, const QStringList& sqlLines, const QString& name,
               int noRowValue);

// True when the box shows its first entry or a text that is no entry: the
// filter is off.
bool showsAllEntry(const QComboBox& box);

// The one condition line of SORGULA: the first condition present takes its
// first form (beginning "WHERE"), every later one its later form (beginning
// " AND "). Parameters follow in the order the conditions were added.
class ConditionLine {
public:
    void add(const QString& firstForm, const QString& laterForm, const QVariantList& params = {});
    // Appends to the line as it stands, whatever came before.
    void append(const QString& text, const QVariantList& params = {});
    bool isEmpty() const { return m_line.isEmpty(); }
    QString line() const { return m_line; }
    const QVariantList& params() const { return m_params; }

private:
    QString m_line;
    QVariantList m_params;
};

// SORGULA: closes the query, writes the fixed lines, the condition line when
// there is one, the ordering line when given, binds the parameters by
// position and opens the query.
void runFilteredQuery(db::Query& query, const QStringList& fixedLines,
                      const ConditionLine& conditions, const QString& orderLine = QString());

// An entry of a fixed choice list. With forms of its own it adds that
// condition when it is shown (the all-entry has none); otherwise its
// parameter is what the filter's own condition takes while it is shown.
struct FilterChoice {
    QString text{};
    QString firstForm{};
    QString laterForm{};
    QVariant param{};
};

// One filter of a list screen, as the screen's table gives it. Every
// parameter of a condition takes the filter's one value, so a condition can
// name it twice (once on a joined code table, once on the register's own
// indexed column).
struct Filter {
    enum class Kind {
        // Names from a code table after the all-entry; the shown name is
        // looked up into its code (-1 on the all-entry or a text that is no
        // entry, 0 for a name without a row). On while the list does not
        // show its all-entry, so a typed text that is no entry filters with
        // -1 and nothing matches.
        CodeList,
        // Fixed entries: the shown entry's own condition, or the filter's
        // condition with the parameter of the entry chosen last while the
        // list does not show its first entry.
        Choice,
        // Fixed entries after the all-entry; the parameter is the first
        // letter of the text shown.
        Letter,
        // Fixed entries after the all-entry; the parameter is the position
        // of the entry shown (a month: 1 for the first after the all-entry),
        // -1 for a text that is no entry.
        Position,
        // A text box matched anywhere in a column: "%" + text + "%"; on
        // while the box is not empty. Each keystroke is a change.
        Text,
        // The date box: its ten characters as typed; on while they differ
        // from the empty "  .  .    ". Enter is a change; a double-click
        // empties the box and is a change; typing alone is none.
        Date,
    };
    Kind kind = Kind::CodeList;
    QString objectName{};
    QString caption{};
    bool editable = false; // the list accepts typed text, completed inline
    // CodeList: fill statement and look-up lines (the name their parameter).
    QString fillSql{};
    QStringList lookupLines{};
    // A department list: a clerk tied to a department sees it alone, fixed.
    bool departmentOfClerk = false;
    // The filter's condition (CodeList, Letter, Position, Text, Date, and a
    // Choice whose entries have no forms of their own).
    QString firstForm{};
    QString laterForm{};
    // Choice, Letter and Position: the entries, the first one the all-entry.
    QList<FilterChoice> choices{};
    QString allEntry = QStringLiteral("TÜMÜ");
    // Keeps what the clerk left from one opening to the next instead of
    // going back to its first entry (or an empty box).
    bool kept = false;
    // Text: the longest text the box takes (the column's size).
    int maxLength = 0;
    // Choosing an entry other than the first empties the strip's date box.
    bool emptiesDate = false;
    // Width of the widget in characters; 0: by its kind.
    int width = 0;

    // The entry that switches the filter off.
    QString firstEntry() const { return choices.isEmpty() ? allEntry : choices.first().text; }
};

// A filter with its condition test in its first ("WHERE ...") and later
// (" AND ...") forms.
Filter withCondition(Filter f, const QString& test);

// The code list of a code table (DISKUR, BIRIM, ECINS): its names in
// Turkish order, the shown name looked up into its code through the
// look-up parameter, the documents narrowed by the condition test.
Filter codeListFilter(const QString& objectName, const QString& caption, const QString& table,
                      const QString& nameColumn, const QString& codeColumn,
                      const QString& lookupParameter, const QString& test);

// The institution (":DK") and department (":BK") lists of the list screens:
// the code is compared on the joined code table, as the system writes it
// ("D.DKOD", "B.BKOD"), and on the register's own column under its alias,
// so that the engine finds the documents by that column's index instead of
// reading every document of the year.
Filter institutionFilter(const QString& caption, const QString& alias);
Filter departmentFilter(const QString& caption, const QString& alias);

// What a filter shows as the clerk left it: the text of its list or box,
// and the value its condition takes (the code of a code list, the parameter
// of the choice chosen last).
struct FilterValue {
    QString shown{};
    QVariant value{};
    // The department of a clerk tied to one: the condition holds whatever
    // the list shows.
    bool fixed = false;
};

// The condition line of SORGULA: the base condition first when given, then
// each filter that is on, in the order of the table.
ConditionLine filterConditions(const QList<Filter>& filters, const QList<FilterValue>& values,
                               const QString& baseCondition = QString());

// How a strip sets out its filters: each caption above its widget or in
// front of it, so many filters to a row (0: all in one row).
struct StripLook {
    bool captionsAbove = true;
    int perRow = 0;
};

// The strip of filter widgets of a list screen, built from its table. The
// screen runs COMBODOLDUR through fill() and SORGULA on changed(); the
// strip works out each filter's value when the clerk changes it. Actions of
// the clerk run under the application error handler.
class FilterStrip : public QWidget {
    Q_OBJECT
public:
    FilterStrip(QList<Filter> filters, db::Query& scratch, StripLook look = {},
                QWidget* parent = nullptr);

    const QList<Filter>& filters() const { return m_filters; }
    // The widget of a filter: a choice list, a text box or the date box.
    QWidget* widget(int filter) const { return m_widgets.value(filter); }
    QComboBox* list(int filter) const;
    DateBox* dateBox() const;
    // A widget after the last filter (a refresh button).
    void addTrailing(QWidget* widget);

    // COMBODOLDUR: the code lists from their tables, every filter not kept
    // on its first entry, the date box empty. With clerkDepartment above 0
    // a department list shows that department alone, disabled, and filters
    // by it whatever it shows. Nothing of this counts as a change.
    void fill(int clerkDepartment = 0);
    // The clerk changed a filter: its value is worked out again, then
    // changed() asks the screen for SORGULA.
    void filterChanged(int filter);
    // The date box emptied, without a change.
    void emptyDate();

    QList<FilterValue> values() const;
    ConditionLine conditions(const QString& baseCondition = QString()) const
    {
        return filterConditions(m_filters, values(), baseCondition);
    }

signals:
    void changed(int filter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeWidget(int filter);
    void place(int filter, QWidget* widget);
    void reset(int filter);

    QList<Filter> m_filters;
    db::Query& m_scratch;
    StripLook m_look;
    QList<QWidget*> m_widgets;
    QList<QVariant> m_values;
    QList<bool> m_fixed;
};

} // namespace widgets
