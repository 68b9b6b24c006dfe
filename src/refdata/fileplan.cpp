#include "fileplan.h"

#include "core/turkish.h"
#include "widgets/filteredlist.h"

namespace refdata {

void runPlanQuery(db::Query& query, SearchMode mode, const QString& searchText)
{
    const QString text = mode == SearchMode::None ? QString() : searchText.trimmed();
    // The patterns are read wider than their columns: a full code or
    // description plus its wildcards would otherwise be refused as too long.
    // Both match without regard to Turkish case. A code typed in digits and
    // dots needs no folding; the part of it before any wildcard or letter
    // also narrows the codes by their index.
    widgets::ConditionLine condition;
    if (!text.isEmpty() && mode == SearchMode::Code) {
        const QString pattern = text + QLatin1Char('%');
        const QString prefix = core::indexablePrefix(pattern);
        if (!prefix.isEmpty())
            condition.append(QStringLiteral(" AND KOD STARTING WITH CAST(:HS AS VARCHAR(60))"),
                             {prefix});
        condition.append(core::caseless(text)
                             ? QStringLiteral(" AND KOD LIKE CAST(:HK AS VARCHAR(60))")
                             : QStringLiteral(" AND ") +
                                   core::caseBlindCondition(QStringLiteral("KOD"), PlanCodeLength,
                                                            QStringLiteral(" LIKE "),
                                                            QStringLiteral(":HK"), 60),
                         {pattern});
    } else if (!text.isEmpty() && mode == SearchMode::Description) {
        condition.append(QStringLiteral(" AND ") +
                             core::caseBlindCondition(QStringLiteral("ACIK"), 100,
                                                      QStringLiteral(" LIKE "),
                                                      QStringLiteral(":AC"), 250),
                         {QLatin1Char('%') + text + QLatin1Char('%')});
    }
    widgets::runFilteredQuery(
        query,
        {QStringLiteral("SELECT KOD,ACIK,"),
         QStringLiteral(
             "IIF(CHAR_LENGTH(KOD)<%1 AND EXISTS(SELECT 1 FROM SDP C WHERE C.KOD STARTING WITH "
             "S.KOD||'.'),1,0) %2")
             .arg(PlanCodeLength)
             .arg(SubCodeColumn),
         QStringLiteral("FROM SDP S"), QStringLiteral("WHERE KOD LIKE '___%'")},
        condition, QStringLiteral("ORDER BY KOD"));
}

bool hasSubCodes(db::Query& scratch, const QString& code)
{
    if (code.size() >= PlanCodeLength)
        return false;
    scratch.close();
    scratch.clear();
    scratch.add(QStringLiteral("SELECT COUNT(*) SAY FROM SDP"));
    scratch.add(QStringLiteral("WHERE KOD LIKE CAST(:HP AS VARCHAR(60))"));
    scratch.bind(0, code + QStringLiteral(".%"));
    scratch.open();
    const qint64 count = scratch.field(QStringLiteral("SAY")).toInt();
    scratch.close();
    return count > 0;
}

QColor planCodeColor(const QString& code, bool subCodes)
{
    if (code.size() < PlanCodeLength && subCodes)
        return QColor(255, 0, 0);
    if (code.size() == 3)
        return QColor(128, 0, 0);
    return {};
}

QStringList leafCodeLines()
{
    return {QStringLiteral("SELECT KOD,ACIK FROM SDP S"),
            QStringLiteral(
                "WHERE NOT EXISTS(SELECT 1 FROM SDP C WHERE C.KOD STARTING WITH S.KOD||'.')"),
            QStringLiteral("ORDER BY KOD")};
}

void openLeafCodes(db::Query& query)
{
    query.close();
    query.clear();
    for (const QString& line : leafCodeLines())
        query.add(line);
    query.open();
}

QStringList mainCodeLines()
{
    return {QStringLiteral("SELECT KOD,ACIK FROM SDP"), QStringLiteral("WHERE KOD LIKE '___' "),
            QStringLiteral("ORDER BY KOD")};
}

} // namespace refdata
