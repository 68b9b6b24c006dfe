#include "rights.h"

#include <QHash>

#include <algorithm>

namespace {

// The rights table is a grid of 35 rows: rows stored beyond it are never
// looked at.
constexpr int RightsRowsSearched = 35;

struct MenuGroup {
    QString caption;
    QList<int> codes;
};

// The top-level menus whose entries the access flag guards, with the codes
// of their entries in menu order.
const QList<MenuGroup>& menuGroups()
{
    static const QList<MenuGroup> groups = {
        {QStringLiteral("Evrak İşlemleri"), {1, 2, 3}},
        {QStringLiteral("Raporlar"), {12, 13, 14}},
        {QStringLiteral("Parametreler"), {21, 22, 23, 24, 25, 27}},
    };
    return groups;
}

} // namespace

QString rightLabel(int code)
{
    static const QHash<int, QString> labels = {
        {1, QStringLiteral("Gelen Evrak")},
        {2, QStringLiteral("Giden Evrak")},
        {3, QStringLiteral("Dilekçe")},
        {11, QStringLiteral("Genel Liste")},
        {12, QStringLiteral("Gelen Yazılar Defteri")},
        {13, QStringLiteral("Giden Yazılar Defteri")},
        {14, QStringLiteral("Dilekçe Defteri")},
        {21, QStringLiteral("Genel Tanımlar")},
        {22, QStringLiteral("Kullanıcı Tanımları")},
        {23, QStringLiteral("Birim Tanımları")},
        {24, QStringLiteral("Kurum Tanımları")},
        {25, QStringLiteral("Evrak Cinsi Tanımları")},
        {26, QStringLiteral("Evrak Şablonları")},
        {27, QStringLiteral("Şifre Değiştirme")},
    }; // 50 has none
    return labels.value(code);
}

void RIGHTSAKTAR(core::TDM& dm, core::AppContext& ctx)
{
    db::Query& q = dm.QRSORGU;
    q.close();
    q.clear();
    q.add(QStringLiteral("SELECT * FROM RIGHTS"));
    q.add(QStringLiteral("WHERE HNO=:HN"));
    q.bind(0, ctx.UserNo);
    q.open();
    ctx.RightsCache.clear();
    for (int r = 0; r < q.rowCount(); ++r) {
        ctx.RightsCache.append({q.value(r, QStringLiteral("KOD")).toString(),
                                q.value(r, QStringLiteral("G")).toString(),
                                q.value(r, QStringLiteral("K")).toString(),
                                q.value(r, QStringLiteral("D")).toString(),
                                q.value(r, QStringLiteral("S")).toString()});
    }
    q.close();
}

core::RightFlagsResult HAKBUL(core::AppContext& ctx, const QString& code)
{
    core::RightFlagsResult flags;
    const qsizetype rows = std::min<qsizetype>(ctx.RightsCache.size(), RightsRowsSearched);
    for (qsizetype r = 0; r < rows; ++r) {
        const core::RightsRow& row = ctx.RightsCache.at(r);
        if (row[0] == code) {
            flags = {row[1], row[2], row[3], row[4]};
            break;
        }
    }
    ctx.RightFlags = flags;
    return flags;
}

bool mayOpenRegister(core::AppContext& ctx, int code)
{
    return HAKBUL(ctx, QString::number(code)).G != QLatin1String("H");
}

void MENUYAP(core::AppContext& ctx, MenuTrimmer& menu)
{
    for (const MenuGroup& group : menuGroups()) {
        bool anyVisible = false;
        for (int code : group.codes) {
            // Only an upper-case "H" hides; "h", "E" or no row leave it.
            if (HAKBUL(ctx, QString::number(code)).G == QLatin1String("H"))
                menu.hideEntry(code);
            else
                anyVisible = true;
        }
        if (!anyVisible)
            menu.hideMenu(group.caption);
    }
}
