#include "textmark.h"

#include "core/fieldcheck.h"

#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>

#include <functional>

namespace widgets {
namespace {

const char* const Limit = "dorpakTextLimit";
const char* const Marked = "dorpakTextMarked";
const char* const Base = "dorpakTextBase"; // the background before any mark

const QColor MarkColor(0xff, 0xd6, 0xd6);

void showMark(QWidget& box, const QString& problem)
{
    const bool marked = !problem.isEmpty();
    if (box.property(Marked).toBool() == marked && box.toolTip() == problem)
        return;
    box.setProperty(Marked, marked);
    box.setToolTip(problem);
    QPalette p = box.palette();
    p.setColor(QPalette::Base, marked ? MarkColor : box.property(Base).value<QColor>());
    box.setPalette(p);
}

// Watches the box once; the limit lives in a property so that a later
// call changes only it.
template <class Box, class Signal>
void watch(Box& box, qint64 limit, Signal changed,
           std::function<QString(const Box&, qint64 limit)> problem)
{
    const bool watched = box.property(Limit).isValid();
    if (!watched)
        box.setProperty(Base, box.palette().color(QPalette::Base));
    box.setProperty(Limit, limit);
    auto update = [&box, problem] {
        showMark(box, problem(box, box.property(Limit).toLongLong()));
    };
    if (!watched)
        QObject::connect(&box, changed, &box, update);
    update();
}

} // namespace

void markText(QLineEdit& box, int maxLength)
{
    // The box itself stops nothing: a paste longer than the column stays
    // whole, to be shortened by the clerk.
    box.setMaxLength(32767);
    watch<QLineEdit>(box, maxLength, &QLineEdit::textChanged, [](const QLineEdit& b, qint64 limit) {
        return core::textProblem(b.text(), int(limit));
    });
}

void markNumber(QLineEdit& box, qint64 maximum)
{
    // As with text: the box cuts no digit of a paste.
    box.setMaxLength(32767);
    watch<QLineEdit>(box, maximum, &QLineEdit::textChanged, [](const QLineEdit& b, qint64 limit) {
        return core::numberProblem(b.text().trimmed(), limit);
    });
}

void markText(QPlainTextEdit& box, int maxLength)
{
    watch<QPlainTextEdit>(box, maxLength, &QPlainTextEdit::textChanged,
                          [](const QPlainTextEdit& b, qint64 limit) {
                              return core::textProblem(b.toPlainText(), int(limit));
                          });
}

bool isMarked(const QWidget& box)
{
    return box.property(Marked).toBool();
}

int textLimit(const QWidget& box)
{
    return int(box.property(Limit).toLongLong());
}

} // namespace widgets
