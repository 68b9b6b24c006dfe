#include "documentletter.h"

#include "db/query.h"

namespace registers {

void DocumentLetter::setUp(EntryMode mode, int kayno)
{
    m_kayno = kayno;
    m_text.clear();
    if (mode == EntryMode::Edit) {
        m_q.openLines(
            {QStringLiteral("SELECT * FROM TEXT"), QStringLiteral("WHERE KAYNO=:KN AND HARNO=:HN")},
            {kayno, LetterHarno});
        const bool found = !m_q.isEmpty();
        if (found)
            m_text = m_q.field(QStringLiteral("METIN")).toBytes();
        m_q.close();
        if (found)
            return;
    }
    // A document registered without a letter receives one when it is next
    // saved.
    insertEmptyRow();
}

void DocumentLetter::insertEmptyRow()
{
    m_q.execLines({QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN)"),
                   QStringLiteral("VALUES(:HARNO,:KAYNO,:METIN)")},
                  {LetterHarno, m_kayno, QByteArray("")});
}

void DocumentLetter::close()
{
    m_kayno = 0;
    m_text.clear();
}

void DocumentLetter::setText(const QByteArray& rtf)
{
    if (rtf == m_text)
        return;
    m_q.execLines({QStringLiteral("UPDATE TEXT SET METIN=:METIN"),
                   QStringLiteral("WHERE KAYNO=:KAYNO AND HARNO=:HARNO")},
                  {rtf, m_kayno, LetterHarno});
    m_text = rtf;
}

} // namespace registers
