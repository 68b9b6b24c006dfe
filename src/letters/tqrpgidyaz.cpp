#include "tqrpgidyaz.h"

#include "letterdocument.h"

#include "report/canvas.h"

#include <QTextDocument>

namespace letters {

TQRPGIDYAZ::TQRPGIDYAZ(QObject* parent)
    : QObject(parent), report::Layout(QStringLiteral("TQRPGIDYAZ"),
                                      report::Layout::a4(QPageLayout::Portrait, 10))
{
    setObjectName(QStringLiteral("TQRPGIDYAZ"));
}

int TQRPGIDYAZ::render(QPainter& painter, QPagedPaintDevice& device)
{
    report::Canvas canvas(painter, device);
    QTextDocument text;
    text.setDefaultFont(QFont(letterDefaultFontFamily(), 12));
    loadLetter(m_letter, text);
    canvas.richText(QRectF(0, 0, TextWidth, TextHeight), text.toHtml());
    canvas.image(QRectF(LogoLeft, LogoTop, LogoWidth, LogoHeight), m_logo, true);
    return 1;
}

} // namespace letters
