#include "filteredlist.h"

namespace widgets {

void fillChoiceList(QComboBox& box, db::Query& scratch, const QString& sql, const QString& allEntry,
                    const QVariantList& params)
{
    scratch.close();
    scratch.clear();
    scratch.add(sql);
    scratch.bindAll(params);
    scratch.open();
    QStringList names{allEntry};
    for (int r = 0; r < scratch.rowCount(); ++r)
        names << scratch.value(r, 0).toString();
    scratch.close();
    const QSignalBlocker block(&box);
    box.clear();
    box.addItems(names);
    box.setCurrentIndex(0);
}

int lookupCode(db::Query& scratch, const QStringList& sqlLines, const QString& name, int noRowValue)
{
    scratch.close();
    scratch.clear();
    for (const QString& line : sqlLines)
        scratch.add(line);
    scratch.bind(0, name);
    scratch.open();
    const int code = scratch.isEmpty() ? noRowValue : int(scratch.value(0, 0).toInt());
    scratch.close();
    return code;
}

bool showsAllEntry(const QComboBox& box)
{
    const QString shown = box.currentText();
    return box.findText(shown, Qt::MatchExactly) <= 0;
}

void ConditionLine::add(const QString& firstForm, const QString& laterForm, const QVariantList& params)
{
    m_line += m_line.isEmpty() ? firstForm : laterForm;
    m_params += params;
}

void ConditionLine::append(const QString& text, const QVariantList& params)
{
    m_line += text;
    m_params += params;
}

void runFilteredQuery(db::Query& query, const QStringList& fixedLines, const ConditionLine& conditions,
                      const QString& orderLine)
{
    query.close();
    query.clear();
    for (const QString& line : fixedLines)
        query.add(line);
    if (!conditions.isEmpty())
        query.add(conditions.line());
    if (!orderLine.isEmpty())
        query.add(orderLine);
    query.bindAll(conditions.params());
    query.open();
}

} // namespace widgets
