#include "rtftext.h"

#include "letters/rtfreader.h"

#include <QFile>

#include <cstdio>

namespace tools {

namespace {

int rtfText(const QStringList& arguments)
{
    const QStringList& args = exactly(arguments, 1, "FILE.rtf");
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(args[0], file.errorString()));
    const QByteArray bytes = file.readAll();
    switch (rtf::read(bytes).status) {
    case rtf::ReadStatus::NotRtf:
        std::fprintf(stderr, "dorpak-admin: %s is no RTF document; its text as stored follows\n",
                     args[0].toLocal8Bit().constData());
        break;
    case rtf::ReadStatus::Damaged:
        std::fprintf(stderr, "dorpak-admin: %s is damaged RTF; its text as stored follows\n",
                     args[0].toLocal8Bit().constData());
        break;
    default:
        break;
    }
    QByteArray text = rtf::plainTextOf(bytes).toUtf8();
    if (!text.isEmpty())
        text += '\n';
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return Success;
}

} // namespace

const AdminCommand RtfTextCommand = {
    "rtf-text", "FILE.rtf",
    "Print the plain text of an RTF letter or template in UTF-8: one line per\n"
    "paragraph, tabs as tabs, bullets and numbers as their text.",
    rtfText};

} // namespace tools
