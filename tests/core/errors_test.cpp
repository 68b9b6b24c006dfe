#include "core/clock.h"
#include "core/errorlog.h"
#include "core/errors.h"
#include "support/promptscript.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ibase.h>

using testsupport::PromptScript;

namespace {

using Cause = core::ErrorCause;

// The error handler's message for one thrown error.
core::ErrorReport reportOf(const std::function<void()>& raise)
{
    try {
        raise();
    } catch (...) {
        return core::describeError(std::current_exception());
    }
    ADD_FAILURE() << "nothing was thrown";
    return {};
}

db::DbError engineError(std::vector<long> codes)
{
    return db::DbError(QStringLiteral("motorun kendi metni"), -901, std::move(codes));
}

TEST(ErrorMessage, SaysWhatHappenedUnderItsFirstLineAndTheEnginesTextInTheDetails)
{
    const struct {
        std::function<void()> raise;
        Cause cause;
    } cases[] = {
        {[] { throw engineError({isc_net_read_err}); }, Cause::ServerUnreachable},
        {[] {
             throw engineError({isc_network_error, isc_net_connect_err});
         },
         Cause::ServerUnreachable},
        {[] {
             throw engineError({isc_deadlock, isc_update_conflict, isc_concurrent_transaction});
         },
         Cause::RecordInUse},
        {[] { throw engineError({isc_unique_key_violation}); }, Cause::RecordInUse},
        {[] {
             throw engineError({isc_io_error, isc_io_write_err});
         },
         Cause::WriteFailed},
        {[] {
             throw engineError({isc_db_corrupt, isc_badpage});
         },
         Cause::DatabaseDamaged},
        {[] { throw engineError({isc_bad_db_format}); }, Cause::NotADatabase},
        {[] {
             throw db::DbError(QStringLiteral("motorun kendi metni"), 0, {},
                               db::DbError::Fault::WorkLost);
         },
         Cause::WorkLost},
        {[] { throw core::ActionError(Cause::NotAPicture, "motorun kendi metni"); },
         Cause::NotAPicture},
        {[] { throw core::ActionError(Cause::DateIncomplete, "motorun kendi metni"); },
         Cause::DateIncomplete},
        {[] {
             throw db::DbOpenError(db::DbOpenError::Kind::ServerUnreachable,
                                   QStringLiteral("motorun kendi metni"));
         },
         Cause::ServerUnreachable},
    };
    for (const auto& c : cases) {
        const core::ErrorReport report = reportOf(c.raise);
        EXPECT_EQ(report.text, "BİR HATA OLUŞTU:\n" + core::causeText(c.cause));
        EXPECT_EQ(report.details, "motorun kendi metni");
    }
    // What the clerk cannot act on keeps the first line alone.
    const core::ErrorReport other = reportOf([] { throw std::runtime_error("kayıt yok"); });
    EXPECT_EQ(other.text, "BİR HATA OLUŞTU:");
    EXPECT_EQ(other.details, "kayıt yok");
    EXPECT_EQ(reportOf([] { throw engineError({isc_dsql_error}); }).text, "BİR HATA OLUŞTU:");
}

class ErrorLog : public testing::Test {
protected:
    ErrorLog()
    {
        qputenv("XDG_STATE_HOME", m_state.path().toLocal8Bit());
        core::Clock::install(&m_clock);
        core::setScreenNameSource(
            [] { return QStringLiteral("TFRMGELEN \"GELEN EVRAK BİLGİLERİ\""); });
    }
    ~ErrorLog() override
    {
        core::setScreenNameSource({});
        core::Clock::install(nullptr);
        qputenv("XDG_STATE_HOME", m_previous);
    }
    QString log(const QString& suffix = QString())
    {
        QFile f(core::errorLogPath() + suffix);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QByteArray m_previous = qgetenv("XDG_STATE_HOME");
    QTemporaryDir m_state;
    core::FixedClock m_clock{QDateTime(QDate(2026, 12, 9), QTime(14, 5, 30))};
};

TEST_F(ErrorLog, EveryReportedErrorIsWrittenWithItsTimeScreenAndFullText)
{
    EXPECT_EQ(core::errorLogPath(), m_state.path() + "/DORPAK/dorpak.log");
    PromptScript prompts;
    prompts.expectMessage("BİR HATA OLUŞTU:\n" + core::causeText(Cause::RecordInUse));
    EXPECT_FALSE(core::guarded([] {
        throw engineError({isc_deadlock, isc_update_conflict, isc_concurrent_transaction});
    }));
    prompts.verify();
    EXPECT_EQ(prompts.errorDetails(), QStringList{"motorun kendi metni"});
    EXPECT_EQ(log(), "2026-12-09 14:05:30  TFRMGELEN \"GELEN EVRAK BİLGİLERİ\"\n"
                     "    BİR HATA OLUŞTU:\n"
                     "    " +
                         core::causeText(Cause::RecordInUse) +
                         "\n"
                         "    Ayrıntılar:\n"
                         "      motorun kendi metni\n");
    // The silent abort of a refused close is no error: nothing is shown or
    // written.
    EXPECT_FALSE(core::guarded([] { throw core::SilentAbort{}; }));
    EXPECT_EQ(log().count("BİR HATA OLUŞTU:"), 1);
}

TEST_F(ErrorLog, AFullLogIsRotatedKeepingThreeOlderOnes)
{
    const QString path = core::errorLogPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    for (const QString& name :
         {QString(), QStringLiteral(".1"), QStringLiteral(".2"), QStringLiteral(".3")}) {
        QFile f(path + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(name.isEmpty() ? QByteArray(core::MaxLogBytes, 'x') : name.toLatin1());
    }
    core::logError(QStringLiteral("BİR HATA OLUŞTU:"), QStringLiteral("yeni"));
    EXPECT_TRUE(log().contains("yeni"));
    EXPECT_EQ(log(".1").size(), core::MaxLogBytes);
    EXPECT_EQ(log(".2"), ".1");
    EXPECT_EQ(log(".3"), ".2");
    EXPECT_FALSE(QFile::exists(path + ".4"));
}

TEST_F(ErrorLog, WhileTheProgramEndsErrorsAreLoggedButNotShownAndAfterItNeither)
{
    PromptScript prompts; // expects nothing
    core::setEndPhase(core::EndPhase::Ending);
    core::guarded([] { throw std::runtime_error("kapanırken"); });
    core::setEndPhase(core::EndPhase::Ended);
    core::guarded([] { throw std::runtime_error("kapandıktan sonra"); });
    core::setEndPhase(core::EndPhase::Running);
    EXPECT_TRUE(log().contains("kapanırken"));
    EXPECT_FALSE(log().contains("kapandıktan sonra"));
}

} // namespace
