#include "rtftext.h"

#include "letters/rtfreader.h"

#include <QFile>

#include <cstdio>

namespace tools {

int rtfText(const QStringList& args)
{
    if (args.size() != 1) {
        std::fputs("dorpak-admin: rtf-text needs FILE.rtf\n", stderr);
        return 1;
    }
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "dorpak-admin: cannot read %s: %s\n",
                     args[0].toLocal8Bit().constData(),
                     file.errorString().toLocal8Bit().constData());
        return 1;
    }
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
    return 0;
}

} // namespace tools
