#include "startup.h"

#include "clock.h"
#include "errorlog.h"
#include "errors.h"
#include "settings.h"

#include <QDate>

#include <stdexcept>

namespace core {

ThemeColors themeColors(const QString& rnk)
{
    if (rnk == QLatin1String("M"))
        return {QStringLiteral("$00A00000"), QStringLiteral("$00F5A90A")};
    if (rnk == QLatin1String("T"))
        return {QStringLiteral("$000080FF"), QStringLiteral("$00A4CBF7")};
    return {QStringLiteral("$00807900"), QStringLiteral("$00BBDC01")};
}

bool IBASEAC(TDM& dm, AppContext& ctx)
{
    ctx.ThemeFormColor = QStringLiteral("0");
    ctx.ThemePanelColor = QStringLiteral("0");

    const StoredSettings stored = settings::read();
    ctx.WorkingYear = stored.YIL.left(4);
    ctx.DataFolder = stored.YOL;
    ctx.WindowStateSetting = stored.BFORM.left(1);
    if (ctx.WorkingYear.isEmpty())
        ctx.WorkingYear = defaultWorkingYear();
    if (ctx.DataFolder.isEmpty())
        ctx.DataFolder = defaultDataFolder();
    // Stored at once, so that the settings hold both values even when the
    // database then fails to open.
    settings::storeYearAndFolder(ctx.WorkingYear, ctx.DataFolder);

    ctx.DbOpenFailed = false;
    ctx.DbOpenReason.clear();
    try {
        db::BusyScope busy;
        dm.IBDATABASE.open(databaseFileName(ctx.DataFolder, ctx.WorkingYear));
    } catch (const db::DbError& e) {
        // The activation sequence opens the system settings screen instead,
        // which says why; the log keeps the engine's words.
        ctx.DbOpenFailed = true;
        const auto* open = dynamic_cast<const db::DbOpenError*>(&e);
        ctx.DbOpenReason = openFailureText(open ? open->kind() : db::DbOpenError::Kind::Other);
        logError(QStringLiteral("Açılışta veritabanı açılamadı: ") + ctx.DbOpenReason, e.message());
        return false;
    }
    TANIMOKU(dm, ctx);
    return true;
}

void TANIMOKU(TDM& dm, AppContext& ctx)
{
    db::Query& q = dm.QRSORGU;
    q.clear();
    q.add(QStringLiteral("SELECT KURUM,RNK,UDUR,ONIZ,IZL,EMAIL FROM TANIM"));
    q.open();
    const auto column = [&q](const char* name) {
        return q.isEmpty() ? QString() : q.field(QLatin1String(name)).toString();
    };
    ctx.InstitutionName = column("KURUM");
    ctx.LoginRequired = column("UDUR").left(1);
    const ThemeColors theme = themeColors(column("RNK"));
    ctx.ThemeFormColor = theme.form;
    ctx.ThemePanelColor = theme.panel;
    ctx.PreviewBeforePrint = column("ONIZ").left(1);
    q.close();

    if (ctx.UserDeptCode > 0) {
        q.clear();
        q.add(QStringLiteral("SELECT BIRIM FROM BIRIM"));
        q.add(QStringLiteral("WHERE BKOD=:BB"));
        q.bind(0, ctx.UserDeptCode);
        q.open();
        ctx.UserDeptName = column("BIRIM");
        q.close();
    }
}

DateParts TARIHBUL(const QString& dateText)
{
    static const char* const months[] = {"OCAK",   "ŞUBAT",   "MART",  "NİSAN", "MAYIS", "HAZİRAN",
                                         "TEMMUZ", "AĞUSTOS", "EYLÜL", "EKİM",  "KASIM", "ARALIK"};
    // Sunday first, as the week is counted here.
    static const char* const weekdays[] = {"PAZAR",    "PAZARTESİ", "SALI",     "ÇARŞAMBA",
                                           "PERŞEMBE", "CUMA",      "CUMARTESİ"};
    const QDate date = QDate::fromString(dateText.trimmed(), QStringLiteral("dd.MM.yyyy"));
    if (!date.isValid())
        throw std::invalid_argument("not a date: " + dateText.toStdString());
    DateParts parts;
    parts.day = date.day();
    parts.month = date.month();
    parts.year = date.year();
    parts.monthName = QString::fromUtf8(months[date.month() - 1]);
    const QDate today = Clock::current().now().date();
    parts.weekdayName = QString::fromUtf8(weekdays[today.dayOfWeek() % 7]);
    return parts;
}

QString dateLabelText(const DateParts& parts)
{
    return QStringLiteral("%1-%2(%3)-%4")
        .arg(parts.day)
        .arg(parts.monthName)
        .arg(parts.month)
        .arg(parts.year);
}

QString clockText()
{
    return Clock::current().now().time().toString(QStringLiteral("HH:mm"));
}

} // namespace core
