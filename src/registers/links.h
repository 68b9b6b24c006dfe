#pragma once

#include <QString>

namespace db {
class Query;
}

namespace registers {

// The three registers; a document's links depend on which one it is in.
enum class Register { Gelen, Giden, Dilekce };

// The related-document panel of an entry screen (ILGIGETIR).
struct RelatedDocument {
    QString number;     // "Evrak No"
    QString date;       // "Tarihi"
    QString department; // "Birimi"
    QString subject;    // "Konusu (Özü)"
    QString typeLabel;  // the outgoing entry's "Gelen Evr." / "Dilekçe"
    bool found = false;
};

// ILGIGETIR: the document a record answers. For the incoming entry key is
// a GIDEN key; for the outgoing entry ilgdur says whether it is in GELEN
// ('G') or DILEKCE ('D'). A key that names no document gives empty values.
RelatedDocument ILGIGETIR(db::Query& scratch, Register entry, int key,
                          const QString& ilgdur = QString());

// The reply-state label and details line of an entry (CEVAPGETIR).
struct ReplyState {
    QString label;
    QString details;
};

// CEVAPGETIR: the reply a record with CEVDUR 'E' received, from its CEVNO.
ReplyState CEVAPGETIR(db::Query& scratch, Register entry, int cevno);

// The pending change of an entry's link during one visit: set up from the
// stored record, changed by choosing and cancelling, written at saving.
class LinkEdit {
public:
    // At set-up: the link the stored record holds (0 and "" for a new one).
    void reset(int storedIlgno, const QString& storedIlgdur);

    // A related document was chosen: the record now points at it.
    void choose(int kayno, const QString& ilgdur = QString());
    // "Evrak İlgisini İptal Et": false when the record has no link (the
    // caller shows "DİKKAT! İlgili Evrak Kaydı Bulunamadı").
    bool cancel();

    int ilgno() const { return m_ilgno; }
    QString ilgdur() const { return m_ilgdur; }
    bool linkSet() const { return m_linkSet; }
    bool linkCancelled() const { return m_cancelled; }

    // Writes the other side of the link at saving, before the record is
    // stored: the chosen document gets the record's key as its reply, the
    // document formerly related (cancelled or replaced) gets its reply link
    // reset where it still names this record. Returns the ILGNO the record
    // is stored with.
    int apply(db::Query& scratch, Register entry, int ownKayno);

private:
    int m_storedIlgno = 0;
    QString m_storedIlgdur;
    int m_ilgno = 0;
    QString m_ilgdur;
    bool m_linkSet = false;
    bool m_cancelled = false;
};

// The message of a refused deletion.
inline const QString InUseMessage =
    QStringLiteral("DİKKAT! Bu Kayıt Kullanılmıştır. Silemezsiniz...");

// Before deleting a document from its browse list: false when another
// document answers it (the caller shows InUseMessage); for a petition, an
// outgoing document.
bool mayDelete(db::Query& scratch, Register reg, int kayno);

// After deleting a document: the document it answered waits for a reply
// again, unless another reply has been linked to it since. ilgno/ilgdur
// are the deleted row's.
void resetAfterDelete(db::Query& scratch, Register reg, int deletedKayno, int ilgno,
                      const QString& ilgdur);

} // namespace registers
