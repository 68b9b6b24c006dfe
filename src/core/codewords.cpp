#include "codewords.h"

namespace core {

const CodeWords& handOverWords()
{
    static const CodeWords words = {{QStringLiteral("İ"), QStringLiteral("İç")},
                                    {QStringLiteral("D"), QStringLiteral("Dış")}};
    return words;
}

const CodeWords& gradeWords()
{
    static const CodeWords words = {{QStringLiteral("Ö"), QStringLiteral("Özel")},
                                    {QStringLiteral("K"), QStringLiteral("Kişiye Özel")},
                                    {QStringLiteral("G"), QStringLiteral("Gizli")},
                                    {QStringLiteral("Ç"), QStringLiteral("Çok Gizli")}};
    return words;
}

const CodeWords& yesNoWords()
{
    static const CodeWords words = {{QStringLiteral("E"), QStringLiteral("Evet")},
                                    {QStringLiteral("H"), QStringLiteral("Hayır")}};
    return words;
}

QString wordOf(const CodeWords& words, const QString& letter)
{
    for (const CodeWord& w : words)
        if (w.letter == letter)
            return w.word;
    return {};
}

QString letterOf(const CodeWords& words, const QString& word)
{
    for (const CodeWord& w : words)
        if (w.word == word)
            return w.letter;
    return {};
}

QString replyExpectedText(const QString& cevdur)
{
    return cevdur == QLatin1String("E") ? QStringLiteral("Cevap Bekleniyor") : QString();
}

} // namespace core
