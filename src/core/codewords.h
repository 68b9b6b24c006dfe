#pragma once

#include <QList>
#include <QString>

namespace core {

// A one-letter column edited through a choice of words: the column keeps
// the first letter of the word chosen.
struct CodeWord {
    QString letter;
    QString word;
};
using CodeWords = QList<CodeWord>;

// ZDUR: hand-over kind.
const CodeWords& handOverWords();
// GIZDER: confidentiality grade.
const CodeWords& gradeWords();
// CEVDUR and the other E/H flags.
const CodeWords& yesNoWords();

// The word of a letter, or empty when the letter is none of them.
QString wordOf(const CodeWords& words, const QString& letter);
// The letter of a word, or empty.
QString letterOf(const CodeWords& words, const QString& word);

// How ledgers and printed lists show CEVDUR: "Cevap Bekleniyor" for 'E',
// nothing otherwise.
QString replyExpectedText(const QString& cevdur);

} // namespace core
