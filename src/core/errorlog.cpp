#include "errorlog.h"

#include "clock.h"
#include "errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace core {
namespace {

std::function<QString()>& screenSource()
{
    static std::function<QString()> source;
    return source;
}

// dorpak.log -> dorpak.log.1 -> ... -> dorpak.log.<KeptLogs>, the last one
// dropped.
void rotate(const QString& path)
{
    QFile::remove(path + QLatin1Char('.') + QString::number(KeptLogs));
    for (int n = KeptLogs - 1; n >= 1; --n)
        QFile::rename(path + QLatin1Char('.') + QString::number(n),
                      path + QLatin1Char('.') + QString::number(n + 1));
    QFile::rename(path, path + QStringLiteral(".1"));
}

QString indented(const QString& text, int by)
{
    const QString margin(by, QLatin1Char(' '));
    QString out = text;
    out.replace(QLatin1Char('\n'), QLatin1Char('\n') + margin);
    return margin + out;
}

} // namespace

QString errorLogPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/DORPAK/dorpak.log");
}

void logError(const ErrorReport& report)
{
    logError(report.text, report.details);
}

void logError(const QString& text, const QString& details)
{
    const QString path = errorLogPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (QFileInfo(path).size() >= MaxLogBytes)
        rotate(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    const QString screen = screenSource() ? screenSource()() : QString();
    QString entry = Clock::current().now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    entry += QStringLiteral("  ") + (screen.isEmpty() ? QStringLiteral("-") : screen) +
             QLatin1Char('\n');
    entry += indented(text, 4) + QLatin1Char('\n');
    if (!details.isEmpty())
        entry += QStringLiteral("    Ayrıntılar:\n") + indented(details, 6) + QLatin1Char('\n');
    file.write(entry.toUtf8());
}

void setScreenNameSource(std::function<QString()> source)
{
    screenSource() = std::move(source);
}

} // namespace core
