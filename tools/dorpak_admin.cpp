// dorpak-admin: the administrator's tool for yearly database files.

#include "db/database.h"
#include "db/query.h"
#include "db/schema.h"
#include "tools/demodata.h"
#include "tools/sdpimport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>

#include <cstdio>

namespace {

const char* const Usage =
    "Usage: dorpak-admin COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  create FILE [--schema 10.002|12.002|12.003] [--demo]\n"
    "      Create a new yearly database file (never replaces an existing one).\n"
    "      --schema names an older layout the program upgrades (10.002 the oldest);\n"
    "      --demo fills it with code tables, a file plan, documents and a template.\n"
    "  import-sdp FILE CSV\n"
    "      Load a standard file plan: lines \"code;description\" in UTF-8, with or\n"
    "      without a header line. Existing codes get the new description. A bad\n"
    "      line stops the import and nothing is changed.\n"
    "  index FILE\n"
    "      Add the indexes the program relies on where the file lacks them.\n"
    "\n"
    "FILE is a path (embedded engine) or host:path (Firebird server). The user and\n"
    "password are SYSDBA and the built-in password unless ISC_USER and ISC_PASSWORD\n"
    "are set.\n";

int fail(const QString& message)
{
    std::fprintf(stderr, "dorpak-admin: %s\n", message.toLocal8Bit().constData());
    return 1;
}

// The year of DORPAKyyyy.GDB, else the current one.
int yearOf(const QString& file)
{
    static const QRegularExpression re(QStringLiteral("DORPAK(\\d{4})\\.GDB$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(file);
    return m.hasMatch() ? m.captured(1).toInt() : QDate::currentDate().year();
}

int create(const QStringList& args)
{
    QString file;
    db::SchemaVersion version = db::SchemaVersion::Current;
    bool demo = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--demo")) {
            demo = true;
        } else if (args[i] == QLatin1String("--schema")) {
            if (i + 1 >= args.size() || !db::parseSchemaVersion(args[i + 1], version))
                return fail(QStringLiteral("--schema takes 10.002, 12.002 or 12.003"));
            ++i;
        } else if (file.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            file = args[i];
        } else {
            return fail(QStringLiteral("unexpected argument: %1").arg(args[i]));
        }
    }
    if (file.isEmpty())
        return fail(QStringLiteral("create needs a FILE"));
    if (demo && version != db::SchemaVersion::Current)
        return fail(QStringLiteral("--demo needs the current schema %1")
                        .arg(db::versionText(db::SchemaVersion::Current)));
    if (!db::Database::isRemoteName(file))
        QDir().mkpath(QFileInfo(file).absolutePath());
    db::Database database;
    db::createYearFile(database, file, version);
    if (demo)
        tools::fillDemoData(database, yearOf(file));
    database.close();
    std::printf("created %s (schema %s%s)\n", file.toLocal8Bit().constData(),
                db::versionText(version).toLatin1().constData(), demo ? ", demo data" : "");
    return 0;
}

int importSdp(const QStringList& args)
{
    if (args.size() != 2)
        return fail(QStringLiteral("import-sdp needs FILE and CSV"));
    QFile csv(args[1]);
    if (!csv.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(args[1], csv.errorString()));
    db::Database database;
    database.open(args[0]);
    try {
        const tools::SdpImportResult r = tools::importSdp(database, csv.readAll());
        std::printf("%d codes added, %d updated\n", r.inserted, r.updated);
    } catch (const tools::SdpImportError& e) {
        return fail(QStringLiteral("%1, line %2: %3; nothing was imported")
                        .arg(args[1])
                        .arg(e.line())
                        .arg(e.reason()));
    }
    return 0;
}

int index(const QStringList& args)
{
    if (args.size() != 1)
        return fail(QStringLiteral("index needs FILE"));
    db::Database database;
    database.open(args[0]);
    const QStringList added = db::ensureIndexes(database);
    if (added.isEmpty())
        std::printf("all indexes present, nothing changed\n");
    for (const QString& name : added)
        std::printf("added %s\n", name.toLatin1().constData());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The demo's scanned page is drawn with fonts; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        std::fputs(Usage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    try {
        if (command == QLatin1String("create"))
            return create(args);
        if (command == QLatin1String("import-sdp"))
            return importSdp(args);
        if (command == QLatin1String("index"))
            return index(args);
    } catch (const db::DbError& e) {
        return fail(e.message());
    }
    std::fputs(Usage, stderr);
    return fail(QStringLiteral("unknown command: %1").arg(command));
}
