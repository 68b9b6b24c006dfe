#include "admincommand.h"

#include <cstdio>

namespace tools {

const QStringList& exactly(const QStringList& args, int count, const char* names)
{
    if (args.size() != count)
        throw UsageError(QStringLiteral("needs %1").arg(QLatin1String(names)));
    return args;
}

int fail(const QString& message)
{
    std::fprintf(stderr, "dorpak-admin: %s\n", message.toLocal8Bit().constData());
    return Failure;
}

void report(const QString& line)
{
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

} // namespace tools
