#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QString>

namespace testsupport {

// The number of pages of a PDF file the program wrote; -1 when it cannot
// be read.
inline int pdfPageCount(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll())
                   .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

} // namespace testsupport
