#include "services.h"

#include "database.h"
#include "fbclient.h"
#include "schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

using namespace Firebird;

namespace db {
namespace {

// The full validation reports what it found as this error: "Summary of
// validation errors", followed by one line per kind of error with its count.
constexpr long ValidationSummary = 335740952;

// Bytes of backup sent with one query: the item's length has two bytes.
constexpr qint64 StdinPiece = 65000;

// Where a database's service manager is and the path it knows the file by.
struct ServiceAddress {
    QString manager;
    QString path;
};

ServiceAddress addressOf(const QString& database)
{
    if (!Database::isRemoteName(database))
        return {QStringLiteral("service_mgr"), QFileInfo(database).absoluteFilePath()};
    const qsizetype colon = database.indexOf(QLatin1Char(':'));
    return {database.left(colon) + QStringLiteral(":service_mgr"), database.mid(colon + 1)};
}

// One item of a service's answer.
struct Item {
    unsigned char tag = isc_info_end;
    QByteArray data;    // a line of the report, or backup bytes
    quint32 number = 0; // isc_info_svc_stdin: bytes the service asks for
};

QList<Item> parseAnswer(const unsigned char* p, const unsigned char* end)
{
    QList<Item> items;
    while (p < end && *p != isc_info_end) {
        Item item;
        item.tag = *p++;
        if (item.tag == isc_info_svc_line || item.tag == isc_info_svc_to_eof) {
            const auto length = quint16(p[0] | (p[1] << 8));
            item.data = QByteArray(reinterpret_cast<const char*>(p + 2), length);
            p += 2 + length;
        } else if (item.tag == isc_info_svc_stdin) {
            item.number = quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) |
                          (quint32(p[3]) << 24);
            p += 4;
        }
        // isc_info_svc_timeout, isc_info_data_not_ready and isc_info_truncated
        // carry nothing.
        items << item;
    }
    return items;
}

// Whether an answer says the service is still at work.
bool stillRunning(const Item& item)
{
    switch (item.tag) {
    case isc_info_svc_line:
    case isc_info_svc_to_eof:
        return !item.data.isEmpty();
    case isc_info_svc_stdin:
        return item.number > 0;
    case isc_info_svc_timeout:
    case isc_info_data_not_ready:
    case isc_info_truncated:
        return true;
    default:
        return false;
    }
}

// A failure of a service, with the codes of the whole status vector at hand.
struct ServiceFailure {
    DbError error;
    bool validationRefused; // others are attached: only the online validation can run
};

// A connection to a service manager that runs one action and hands back
// its output piece by piece.
class Service {
public:
    explicit Service(const QString& manager)
    {
        const Credentials credentials = Credentials::fromEnvironment();
        fb::Status st;
        fb::Handle<IXpbBuilder> spb(
            fb::util()->getXpbBuilder(st.get(), IXpbBuilder::SPB_ATTACH, nullptr, 0));
        st.check();
        spb->insertString(st.get(), isc_spb_user_name, credentials.user.toUtf8().constData());
        spb->insertString(st.get(), isc_spb_password, credentials.password.toUtf8().constData());
        fb::Handle<IProvider> provider(fb::master()->getDispatcher());
        if (!st.failed())
            m_service.reset(provider->attachServiceManager(
                st.get(), manager.toLocal8Bit().constData(), spb->getBufferLength(st.get()),
                spb->getBuffer(st.get())));
        st.check();
    }
    ~Service()
    {
        fb::Status st;
        m_service.finish(st, &IService::detach<fb::Wrapper>);
    }
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    // Starts an action: its tag and its parameters.
    void start(unsigned char action,
               const std::function<void(IXpbBuilder*, CheckStatusWrapper*)>& fill)
    {
        fb::Status st;
        fb::Handle<IXpbBuilder> spb(
            fb::util()->getXpbBuilder(st.get(), IXpbBuilder::SPB_START, nullptr, 0));
        st.check();
        spb->insertTag(st.get(), action);
        if (!st.failed())
            fill(spb.get(), st.get());
        if (!st.failed()) {
            const unsigned length = spb->getBufferLength(st.get());
            const unsigned char* buffer = spb->getBuffer(st.get());
            if (!st.failed())
                m_service->start(st.get(), length, buffer);
        }
        if (st.failed())
            throw ServiceFailure{st.error(), st.holds(isc_cant_validate)};
    }

    // Asks for the receive items, sending the bytes of stdin the service
    // asked for, if any. Waits at most a second for output.
    QList<Item> query(const QByteArray& receive, const QByteArray& stdinBytes = {})
    {
        QByteArray send("\x40\x04\x00\x01\x00\x00\x00", 7); // isc_info_svc_timeout: 1 s
        if (!stdinBytes.isNull()) {
            send += char(isc_info_svc_line);
            send += char(stdinBytes.size() & 0xFF);
            send += char(stdinBytes.size() >> 8);
            send += stdinBytes;
        }
        send += char(isc_info_end);
        fb::Status st;
        m_service->query(
            st.get(), unsigned(send.size()),
            reinterpret_cast<const unsigned char*>(send.constData()), unsigned(receive.size()),
            reinterpret_cast<const unsigned char*>(receive.constData()), sizeof m_buffer, m_buffer);
        if (st.failed())
            throw ServiceFailure{st.error(), st.holds(isc_cant_validate)};
        return parseAnswer(m_buffer, m_buffer + sizeof m_buffer);
    }

private:
    fb::Handle<IService> m_service;
    unsigned char m_buffer[32768];
};

// Runs to its end an action whose output is lines of text; returns them.
QStringList runForLines(Service& service)
{
    QStringList lines;
    for (bool running = true; running;) {
        running = false;
        for (const Item& item : service.query(QByteArray(1, char(isc_info_svc_line)))) {
            running |= stillRunning(item);
            if (item.tag == isc_info_svc_line && !item.data.trimmed().isEmpty())
                lines << QString::fromLocal8Bit(item.data).trimmed();
        }
    }
    return lines;
}

void insertString(IXpbBuilder* spb, CheckStatusWrapper* st, unsigned char tag, const QString& value)
{
    spb->insertString(st, tag, value.toLocal8Bit().constData());
}

// Whether a database exists: a local file is looked at, a file on a server
// is attached to.
bool databaseExists(const QString& database)
{
    if (!Database::isRemoteName(database))
        return QFileInfo::exists(database);
    try {
        Database probe;
        probe.open(database);
        probe.close();
        return true;
    } catch (const DbOpenError& e) {
        if (e.kind() == DbOpenError::Kind::FileMissing)
            return false;
        throw;
    }
}

// Removes what a failed restore left under the database's name.
void removeUnfinished(const QString& database)
{
    if (!Database::isRemoteName(database)) {
        QFile::remove(database);
        return;
    }
    try {
        Database left;
        left.open(database);
        dropUnfinished(left);
    } catch (const DbError&) {
        // Nothing was made, or the server is gone: nothing more can be done.
    }
}

// The online validation's lines that tell of a problem, without their
// time of day, and the number of errors its summaries count.
void takeOnlineReport(const QStringList& lines, ValidationReport& report)
{
    static const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\s*"));
    static const QRegularExpression errors(QStringLiteral("^Relation .*: (\\d+) ERRORS found"));
    int counted = 0;
    for (QString line : lines) {
        line.remove(time);
        if (!line.contains(QLatin1String("rror")) && !line.contains(QLatin1String("ERROR")) &&
            !line.contains(QLatin1String("arning")) && !line.contains(QLatin1String("WARNING")))
            continue;
        report.lines << line;
        const QRegularExpressionMatch m = errors.match(line);
        if (m.hasMatch())
            counted += m.captured(1).toInt();
    }
    report.errors = counted;
}

// The summary the full validation reports as its error, line by line, and
// the sum of the counts on its lines.
void takeFullSummary(const DbError& summary, ValidationReport& report)
{
    static const QRegularExpression count(QStringLiteral(":\\s*(\\d+)\\s*$"));
    int counted = 0;
    for (QString line : summary.message().split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('-')))
            line = line.mid(1).trimmed();
        line.replace(QLatin1Char('\t'), QLatin1Char(' '));
        const QRegularExpressionMatch m = count.match(line);
        if (m.hasMatch())
            counted += m.captured(1).toInt();
        report.lines << line;
    }
    report.errors = std::max(counted, 1);
}

} // namespace

void backupDatabase(const QString& database, const QString& target,
                    const TransferProgress& progress)
{
    if (QFileInfo::exists(target))
        throw DbError(
            QStringLiteral("%1 already exists; a backup is never written over").arg(target));
    const QFileInfo targetInfo(target);
    if (!targetInfo.absoluteDir().exists())
        throw DbError(QStringLiteral("%1: the folder does not exist").arg(target));
    // The backup grows under a temporary name and takes the target's name
    // only when it is whole.
    QTemporaryFile part(targetInfo.absoluteFilePath() + QStringLiteral(".XXXXXX.part"));
    if (!part.open())
        throw DbError(QStringLiteral("%1: %2").arg(target, part.errorString()));

    const ServiceAddress address = addressOf(database);
    try {
        Service service(address.manager);
        service.start(isc_action_svc_backup, [&](IXpbBuilder* spb, CheckStatusWrapper* st) {
            insertString(spb, st, isc_spb_dbname, address.path);
            insertString(spb, st, isc_spb_bkp_file, QStringLiteral("stdout"));
        });
        qint64 written = 0;
        for (bool running = true; running;) {
            running = false;
            for (const Item& item : service.query(QByteArray(1, char(isc_info_svc_to_eof)))) {
                running |= stillRunning(item);
                if (item.tag != isc_info_svc_to_eof || item.data.isEmpty())
                    continue;
                if (part.write(item.data) != item.data.size())
                    throw DbError(QStringLiteral("%1: %2").arg(target, part.errorString()));
                written += item.data.size();
            }
            if (progress)
                progress(written);
        }
    } catch (const ServiceFailure& failure) {
        throw failure.error.aboutFile(database);
    } catch (const DbError& e) {
        throw e.message().startsWith(target) ? e : e.aboutFile(database);
    }
    if (!part.flush() || !part.rename(targetInfo.absoluteFilePath()))
        throw DbError(QStringLiteral("%1: %2").arg(target, part.errorString()));
    part.setAutoRemove(false);
}

void restoreDatabase(const QString& source, const QString& database,
                     const TransferProgress& progress)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("%1: %2").arg(source, in.errorString()));
    const ServiceAddress address = addressOf(database);
    bool started = false;
    try {
        if (databaseExists(database))
            throw DbError(
                QStringLiteral("%1 already exists; a restore never replaces a file").arg(database));
        Service service(address.manager);
        service.start(isc_action_svc_restore, [&](IXpbBuilder* spb, CheckStatusWrapper* st) {
            insertString(spb, st, isc_spb_bkp_file, QStringLiteral("stdin"));
            insertString(spb, st, isc_spb_dbname, address.path);
            spb->insertInt(st, isc_spb_options, isc_spb_res_create);
        });
        started = true;
        const QByteArray receive =
            QByteArray(1, char(isc_info_svc_line)) + char(isc_info_svc_stdin);
        // The service asks for the backup's bytes; each answer sends what it
        // asked for, up to what one query can carry. An empty piece is the end.
        QByteArray piece;
        qint64 sent = 0;
        for (bool running = true; running;) {
            running = false;
            quint32 asked = 0;
            for (const Item& item : service.query(receive, piece)) {
                running |= stillRunning(item);
                if (item.tag == isc_info_svc_stdin)
                    asked = item.number;
            }
            piece = QByteArray();
            if (asked > 0) {
                piece = in.read(std::min<qint64>(asked, StdinPiece));
                if (piece.isNull())
                    piece = QByteArray("");
                sent += piece.size();
            }
            if (progress)
                progress(sent);
        }
    } catch (const ServiceFailure& failure) {
        if (started)
            removeUnfinished(database);
        throw failure.error.aboutFile(database);
    } catch (const DbError& e) {
        if (started)
            removeUnfinished(database);
        throw e.aboutFile(database);
    }
}

ValidationReport validateDatabase(const QString& database)
{
    const ServiceAddress address = addressOf(database);
    ValidationReport report;
    try {
        // The online validation reads every table and index while others may
        // be at work, and names what it finds.
        QStringList online;
        {
            Service service(address.manager);
            service.start(isc_action_svc_validate, [&](IXpbBuilder* spb, CheckStatusWrapper* st) {
                insertString(spb, st, isc_spb_dbname, address.path);
            });
            online = runForLines(service);
        }
        takeOnlineReport(online, report);

        // The full validation also walks the pages of the file, but only
        // when no one else has it open; it only looks (no repair).
        Service service(address.manager);
        try {
            service.start(isc_action_svc_repair, [&](IXpbBuilder* spb, CheckStatusWrapper* st) {
                insertString(spb, st, isc_spb_dbname, address.path);
                spb->insertInt(st, isc_spb_options,
                               isc_spb_rpr_validate_db | isc_spb_rpr_full | isc_spb_rpr_check_db);
            });
            runForLines(service);
        } catch (const ServiceFailure& failure) {
            if (failure.validationRefused) {
                report.online = true;
                return report;
            }
            if (failure.error.gdsCode() == ValidationSummary) {
                takeFullSummary(failure.error, report);
                return report;
            }
            throw;
        }
    } catch (const ServiceFailure& failure) {
        throw failure.error.aboutFile(database);
    } catch (const DbError& e) {
        throw e.aboutFile(database);
    }
    return report;
}

} // namespace db
