// The commands that work on a yearly file as a whole: next year's file,
// backup, restore and the engine's validation.

#include "tools/admincommands.h"

#include "db/newyear.h"
#include "db/services.h"

namespace tools {
namespace {

int newYear(const QStringList& args)
{
    exactly(args, 2, "FROM and TO");
    db::createNewYearFile(args[0], args[1]);
    report(QStringLiteral("created %1 from %2").arg(args[1], args[0]));
    return Success;
}

int backup(const QStringList& args)
{
    exactly(args, 2, "FILE and TARGET");
    db::backupDatabase(args[0], args[1]);
    report(QStringLiteral("backed up %1 to %2").arg(args[0], args[1]));
    return Success;
}

int restore(const QStringList& args)
{
    exactly(args, 2, "SOURCE and FILE");
    db::restoreDatabase(args[0], args[1]);
    report(QStringLiteral("restored %1 from %2").arg(args[1], args[0]));
    return Success;
}

int check(const QStringList& args)
{
    exactly(args, 1, "FILE");
    const db::ValidationReport r = db::validateDatabase(args[0]);
    for (const QString& line : r.lines)
        report(line);
    if (r.online)
        report(QStringLiteral("%1: other attachments are working, so only the online validation "
                              "of the tables and indexes ran")
                   .arg(args[0]));
    if (r.errors > 0) {
        fail(QStringLiteral("%1: the validation found %2 error(s)").arg(args[0]).arg(r.errors));
        return DamageFound;
    }
    report(QStringLiteral("%1: no errors found").arg(args[0]));
    return Success;
}

} // namespace

const AdminCommand NewYearCommand = {
    "new-year", "FROM TO",
    "Make next year's file TO from this year's FROM: the code tables, the general\n"
    "definitions with the emblem, the users and rights, and the letter templates;\n"
    "no documents, pictures or letters, every number starting again. TO is never\n"
    "replaced; FROM must be at the current schema version.",
    newYear};

const AdminCommand BackupCommand = {
    "backup", "FILE TARGET.fbk",
    "Take the engine's online backup of FILE into TARGET.fbk on this computer. The\n"
    "backup is the file as it was when the backup started; workstations may go on\n"
    "working meanwhile (give a shared file as localhost:path). TARGET is never\n"
    "replaced.",
    backup};

const AdminCommand RestoreCommand = {
    "restore", "SOURCE.fbk FILE",
    "Make the new database file FILE from the backup SOURCE.fbk on this computer.\n"
    "An existing FILE is refused; when the restore fails nothing is left of FILE.",
    restore};

const AdminCommand CheckCommand = {
    "check", "FILE",
    "Run the engine's validation on FILE and report what it found; nothing is\n"
    "repaired. Exit status 0: no errors; 3: errors found; 1: FILE could not be\n"
    "checked. With other attachments working only the online validation runs.",
    check};

} // namespace tools
