// dorpak-admin: the administrator's tool for yearly database files.

#include "db/database.h"
#include "db/query.h"
#include "db/schema.h"
#include "tools/admincommands.h"
#include "tools/demodata.h"
#include "tools/rtftext.h"
#include "tools/sdpimport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>

#include <cstdio>

namespace {

using tools::fail;

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
                throw tools::UsageError(QStringLiteral("--schema takes 10.002, 12.002 or 12.003"));
            ++i;
        } else if (file.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            file = args[i];
        } else {
            throw tools::UsageError(QStringLiteral("unexpected argument: %1").arg(args[i]));
        }
    }
    if (file.isEmpty())
        throw tools::UsageError(QStringLiteral("needs a FILE"));
    if (demo && version != db::SchemaVersion::Current)
        throw tools::UsageError(QStringLiteral("--demo needs the current schema %1")
                                    .arg(db::versionText(db::SchemaVersion::Current)));
    if (!db::Database::isRemoteName(file))
        QDir().mkpath(QFileInfo(file).absolutePath());
    db::Database database;
    db::createYearFile(database, file, version);
    if (demo) {
        try {
            tools::fillDemoData(database, yearOf(file));
        } catch (...) {
            db::dropUnfinished(database); // no half-filled demo file
            throw;
        }
    }
    database.close();
    std::printf("created %s (schema %s%s)\n", file.toLocal8Bit().constData(),
                db::versionText(version).toLatin1().constData(), demo ? ", demo data" : "");
    return 0;
}

int importSdp(const QStringList& args)
{
    if (args.size() != 2)
        throw tools::UsageError(QStringLiteral("needs FILE and CSV"));
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

const tools::AdminCommand CreateCommand = {
    "create", "FILE [--schema 10.002|12.002|12.003] [--demo]",
    "Create a new yearly database file (never replaces an existing one).\n"
    "--schema names an older layout the program upgrades (10.002 the oldest);\n"
    "--demo fills it with code tables, a file plan, documents and a template.",
    create};

const tools::AdminCommand ImportSdpCommand = {
    "import-sdp", "FILE CSV",
    "Load a standard file plan: lines \"code;description\" in UTF-8, with or\n"
    "without a header line. Existing codes get the new description. A bad\n"
    "line stops the import and nothing is changed.",
    importSdp};

const tools::AdminCommand IndexCommand = {
    "index", "FILE", "Add the indexes the program relies on where the file lacks them.", index};

// Every command, in the order the usage lists them.
const tools::AdminCommand* const Commands[] = {
    &CreateCommand,
    &ImportSdpCommand,
    &IndexCommand,
    &tools::NewYearCommand,
    &tools::BackupCommand,
    &tools::RestoreCommand,
    &tools::CheckCommand,
    &tools::ResetPasswordCommand,
    &tools::LoginRequiredCommand,
    &tools::RtfTextCommand,
};

const char* const Footer =
    "FILE is a path (embedded engine) or host:path (Firebird server; host/port:path\n"
    "for another port). The user and password are SYSDBA and the built-in password\n"
    "unless ISC_USER and ISC_PASSWORD are set. Exit status: 0 on success, 1 when the\n"
    "work could not be done, 2 for wrong arguments, 3 when check found errors.\n"
    "\"dorpak-admin COMMAND --help\" describes one command.\n";

QString indented(const char* text)
{
    return QStringLiteral("      ") +
           QString::fromUtf8(text).replace(QLatin1Char('\n'), QStringLiteral("\n      "));
}

void printUsage(std::FILE* out)
{
    QString text = QStringLiteral("Usage: dorpak-admin COMMAND ...\n\nCommands:\n");
    for (const tools::AdminCommand* c : Commands)
        text +=
            QStringLiteral("  %1 %2\n%3\n")
                .arg(QLatin1String(c->name), QLatin1String(c->arguments), indented(c->description));
    text += QLatin1Char('\n') + QLatin1String(Footer);
    std::fputs(text.toLocal8Bit().constData(), out);
}

void printCommandUsage(const tools::AdminCommand& c, std::FILE* out)
{
    const QString text = QStringLiteral("Usage: dorpak-admin %1 %2\n\n%3\n\n%4")
                             .arg(QLatin1String(c.name), QLatin1String(c.arguments),
                                  QString::fromUtf8(c.description), QLatin1String(Footer));
    std::fputs(text.toLocal8Bit().constData(), out);
}

bool asksForHelp(const QStringList& args)
{
    return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

// An error whose message names none of the command's files is told with
// the first of them, the file the command works on.
QString messageWithFile(const db::DbError& e, const QStringList& args)
{
    for (const QString& arg : args)
        if (!arg.startsWith(QLatin1Char('-')) && e.message().startsWith(arg))
            return e.message();
    for (const QString& arg : args)
        if (!arg.startsWith(QLatin1Char('-')))
            return e.aboutFile(arg).message();
    return e.message();
}

int run(const tools::AdminCommand& command, const QStringList& args)
{
    if (asksForHelp(args)) {
        printCommandUsage(command, stdout);
        return tools::Success;
    }
    try {
        return command.run(args);
    } catch (const tools::UsageError& e) {
        std::fprintf(stderr, "dorpak-admin: %s %s\n\n", command.name,
                     e.why().toLocal8Bit().constData());
        printCommandUsage(command, stderr);
        return tools::WrongUsage;
    } catch (const db::DbError& e) {
        return fail(messageWithFile(e, args));
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The demo's scanned page is drawn with fonts; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        printUsage(stderr);
        return tools::WrongUsage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        printUsage(stdout);
        return tools::Success;
    }
    for (const tools::AdminCommand* c : Commands)
        if (name == QLatin1String(c->name))
            return run(*c, args);
    printUsage(stderr);
    std::fprintf(stderr, "\n");
    fail(QStringLiteral("unknown command: %1").arg(name));
    return tools::WrongUsage;
}
