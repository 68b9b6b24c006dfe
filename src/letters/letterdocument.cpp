#include "letterdocument.h"

#include "rtfreader.h"
#include "rtftextdocument.h"
#include "rtfwriter.h"

#include <QTextDocument>

namespace letters {

QString letterDefaultFontFamily()
{
    return rtf::DefaultFontFamily;
}

bool loadLetter(const QByteArray& stored, QTextDocument& document)
{
    const rtf::ReadResult r = rtf::read(stored);
    switch (r.status) {
    case rtf::ReadStatus::Ok:
        rtf::toTextDocument(r.document, document);
        return true;
    case rtf::ReadStatus::Empty:
        document.clear();
        return true;
    case rtf::ReadStatus::NotRtf:
    case rtf::ReadStatus::Damaged:
        break;
    }
    document.setPlainText(rtf::decodePlainText(stored));
    return false;
}

QByteArray storedText(const QTextDocument& document)
{
    // A letter without a single character is stored as no text at all.
    if (document.isEmpty())
        return QByteArray();
    return rtf::write(rtf::fromTextDocument(document));
}

} // namespace letters
