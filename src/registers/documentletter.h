#pragma once

#include "entryattachment.h"

#include <QByteArray>

namespace db {
class Query;
}

namespace registers {

// The letter of an outgoing document: its row of TEXT with HARNO 1, whose
// METIN holds the letter as an RTF document. The row is there from the
// opening of the entry (empty for a new document, and for a stored one
// that has none), and every change of the text is written into it at once,
// all inside the program's transaction: the entry's saving keeps the letter
// with the document, its cancelling drops both.
class DocumentLetter : public EntryAttachment {
public:
    explicit DocumentLetter(db::Query& scratch) : m_q(scratch) {}

    void setUp(EntryMode mode, int kayno) override;
    void close() override;

    int kayno() const { return m_kayno; }
    // METIN as it stands, saved or not: RTF in 8-bit text.
    QByteArray text() const { return m_text; }
    // The letter editor changed the text: it is written into the row.
    void setText(const QByteArray& rtf);

    static constexpr int LetterHarno = 1;

private:
    void insertEmptyRow();

    db::Query& m_q;
    int m_kayno = 0;
    QByteArray m_text;
};

} // namespace registers
