#include "codewordcombo.h"

namespace widgets {

CodeWordCombo::CodeWordCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit letterChanged(letter()); });
}

void CodeWordCombo::setWords(const core::CodeWords& words)
{
    const QSignalBlocker block(this);
    clear();
    for (const core::CodeWord& w : words)
        addItem(w.word, w.letter);
    setCurrentIndex(-1);
}

QString CodeWordCombo::letter() const
{
    return currentIndex() < 0 ? QString() : currentData().toString();
}

void CodeWordCombo::setLetter(const QString& letter)
{
    setCurrentIndex(findData(letter));
}

} // namespace widgets
