#pragma once

#include "db/query.h"

#include <QComboBox>
#include <QStringList>
#include <QVariantList>

namespace widgets {

// The pattern every list screen shares (browse lists, pickers, ledgers,
// the general list).

// COMBODOLDUR for one choice list: the all-entry ("TÜMÜ" or "Tümü"), then
// the first column of every row of sql in the order returned; the list
// shows the all-entry. Filling does not count as a change: no signal.
void fillChoiceList(QComboBox& box, db::Query& scratch, const QString& sql, const QString& allEntry,
                    const QVariantList& params = {});

// A shown name turned into its code: the first column of the first row of
// the look-up (sqlLines with the name bound to its one parameter), or
// noRowValue when no row comes back.
int lookupCode(db::Query& scratch, const QStringList& sqlLines, const QString& name, int noRowValue);

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
void runFilteredQuery(db::Query& query, const QStringList& fixedLines, const ConditionLine& conditions,
                      const QString& orderLine = QString());

} // namespace widgets
