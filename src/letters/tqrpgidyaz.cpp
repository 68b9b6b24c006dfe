#include "tqrpgidyaz.h"

#include "letterdocument.h"
#include "rtftextdocument.h"

#include "report/canvas.h"

#include <QPagedPaintDevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace letters {

TQRPGIDYAZ::TQRPGIDYAZ(QObject* parent)
    : QObject(parent), report::Layout(QStringLiteral("TQRPGIDYAZ"),
                                      report::Layout::a4(QPageLayout::Portrait, 10))
{
    setObjectName(QStringLiteral("TQRPGIDYAZ"));
}

namespace {

// Indents and paragraph spacing are pixels of a 96 dpi screen; the page's
// device lays text out in its own pixels, which fonts in points follow but
// such lengths do not. They are given in the device's pixels, list indents
// among them.
void scaleLengthsTo(QTextDocument& text, const QPaintDevice& device)
{
    const double factor = device.logicalDpiX() / 96.0;
    const double indentWidth = text.indentWidth();
    QTextCursor cursor(&text);
    for (QTextBlock b = text.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        const int levels = rtf::indentLevels(b);
        f.setIndent(0);
        f.setLeftMargin((f.leftMargin() + levels * indentWidth) * factor);
        f.setRightMargin(f.rightMargin() * factor);
        f.setTopMargin(f.topMargin() * factor);
        f.setBottomMargin(f.bottomMargin() * factor);
        f.setTextIndent(f.textIndent() * factor);
        QTextCursor(b).setBlockFormat(f);
    }
    for (QTextBlock b = text.begin(); b.isValid(); b = b.next())
        if (QTextList* list = b.textList()) {
            QTextListFormat lf = list->format();
            lf.setIndent(0);
            list->setFormat(lf);
        }
}

} // namespace

int TQRPGIDYAZ::render(QPainter& painter, QPagedPaintDevice& device)
{
    report::Canvas canvas(painter, device);
    QTextDocument text;
    text.setDefaultFont(QFont(letterDefaultFontFamily(), 12));
    loadLetter(m_letter, text);
    scaleLengthsTo(text, device);
    canvas.richText(QRectF(0, 0, TextWidth, TextHeight), text.toHtml());
    canvas.image(QRectF(LogoLeft, LogoTop, LogoWidth, LogoHeight), m_logo, true);
    return 1;
}

} // namespace letters
