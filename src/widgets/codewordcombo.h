#pragma once

#include "core/codewords.h"

#include <QComboBox>

namespace widgets {

// A choice list of code words: it shows the word and stores the letter.
class CodeWordCombo : public QComboBox {
    Q_OBJECT
public:
    explicit CodeWordCombo(QWidget* parent = nullptr);

    void setWords(const core::CodeWords& words);
    // The letter of the word shown; empty when nothing is chosen.
    QString letter() const;
    // Shows the word of the letter; a letter that is no word shows nothing.
    void setLetter(const QString& letter);

signals:
    void letterChanged(const QString& letter);
};

} // namespace widgets
