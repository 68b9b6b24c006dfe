#pragma once

#include <QByteArray>
#include <QString>

namespace letters {

// The document values of the merge, as they stand on the entry screen.
struct MergeValues {
    QString evsay;
    QString konu;
    QString evtar;
};

// What the letter editor edits: the entry screen's letter row, saved or
// not. The editor reads and writes the text only through this.
class LetterSource {
public:
    virtual ~LetterSource() = default;
    virtual QByteArray letterText() const = 0; // METIN as stored: RTF, 8-bit
    virtual void setLetterText(const QByteArray& rtf) = 0;
    virtual MergeValues mergeValues() const = 0;
};

} // namespace letters
