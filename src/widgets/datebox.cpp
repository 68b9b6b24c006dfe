#include "datebox.h"

namespace widgets {

const QString DateBox::EmptyText = QStringLiteral("  .  .    ");

DateBox::DateBox(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(QStringLiteral("99.99.0000;_"));
    setValue(QString());
}

QString DateBox::value() const
{
    // The display holds every position, with "_" for a blank one.
    QString shown = displayText();
    shown.replace(QLatin1Char('_'), QLatin1Char(' '));
    return shown.leftJustified(10, QLatin1Char(' '), true);
}

void DateBox::setValue(const QString& stored)
{
    // The mask places the digits; spaces stay blanks.
    QString digits = stored.left(10).leftJustified(10, QLatin1Char(' '));
    digits[2] = QLatin1Char('.');
    digits[5] = QLatin1Char('.');
    setText(digits);
}

} // namespace widgets
