#pragma once

#include "documentrecord.h"
#include "links.h"
#include "registertable.h"

#include "core/appcontext.h"
#include "core/errors.h"
#include "core/tdm.h"

#include <QList>

#include <optional>

namespace registers {

// Why saving did not go ahead: the message naming the field the clerk has
// to put right, and its column (empty when no field is at fault). Nothing
// was committed.
struct EntryRefusal {
    QString column;
    QString message;
};

// Another workstation deleted the document: at the opening of an entry, or
// at the saving of one opened before the deletion.
inline const QString MissingDocumentMessage =
    QStringLiteral("DİKKAT! Evrak Kaydı Bulunamadı. Başka Bir Kullanıcı Tarafından "
                   "Silinmiş Olabilir..");

// A field of the entry as the clerk knows it: its column and the caption
// the refusals name it by.
struct FieldCaption {
    QString column;
    QString caption;
};

// The at most 50 characters of a file plan title shown under the code.
inline constexpr int PlanTitleLength = 50;

// What an entry screen does with its document, below its widgets: the
// set-up in either mode with the defaults, the choice lists, the file plan
// titles, the numbering of the department and grade sequences, the related
// document, saving and cancelling. All of it runs on the data module's
// connection and its one transaction; nothing here asks the clerk anything.
class DocumentEntry {
public:
    DocumentEntry(const RegisterTable& reg, core::TDM& dm, const core::AppContext& ctx);

    const RegisterTable& registerTable() const { return m_reg; }
    EntryMode mode() const { return m_mode; }
    DocumentRecord& record() { return m_record; }
    const DocumentRecord& record() const { return m_record; }

    // The choice lists: leaf codes of the file plan (KOD, ACIK), the
    // departments (BIRIM, BKOD, YET, GOR; only the clerk's own for a clerk
    // tied to one), the institutions (DKURUM, DKOD) and the document types
    // (ECINS, EKOD).
    db::Query& planCodes() { return m_planCodes; }
    db::Query& departments() { return m_departments; }
    db::Query& institutions() { return m_institutions; }
    db::Query& documentTypes() { return m_types; }
    void reopenInstitutions();

    // The set-up of an opening: the lists, then a new document with its key
    // drawn and its defaults, or the stored document of the key with its
    // related document and reply state. The key (EntryKayno) is then
    // record().kayno(). False when the document to change is no longer in
    // the file (another workstation deleted it): nothing is set up.
    bool setUp(EntryMode mode, int kayno);
    // Closing: the record and the lists.
    void close();

    // SACK1 and SACK2: the titles of the file plan heading and of the code.
    QString planHeadingTitle() const { return m_sack1; }
    QString planCodeTitle() const { return m_sack2; }

    // The file plan code typed, chosen in the drop-down or in the picker.
    void setFilePlanCode(const QString& code);
    // The clerk chose a department or a grade: on a new document the
    // department's and the grade's sequences give their next number, and
    // the department's signatory becomes the receiver (or the sender). The
    // department and the grade a new document starts with are numbered the
    // same way at the set-up.
    void chooseDepartment(const QVariant& bkod);
    void chooseGrade(const QString& letter);
    // Double-click in the receiver's (sender's) name: the signatory and
    // title of the department the list stands on, cut to their columns.
    void fillReceiverFromDepartment();
    // Double-click in the subject: the file plan code's title.
    void copyPlanTitleToSubject();

    // The related-document panel and the reply-state labels.
    LinkEdit& link() { return m_link; }
    const LinkEdit& link() const { return m_link; }
    RelatedDocument related() const { return m_related; }
    ReplyState replyState() const { return m_reply; }
    // A document chosen in the picker becomes the related one.
    void chooseRelated(int kayno, const QString& ilgdur = QString());
    // "Evrak İlgisini İptal Et": false when there is no link to cancel.
    bool cancelRelated();

    // The fields in the order of the form, for the refusals; a column not
    // among them is named by its column name.
    void setFieldCaptions(QList<FieldCaption> captions) { m_captions = std::move(captions); }

    // What the clerk typed or chose on this visit that cannot be stored as
    // it is, the first field of the form first: a date that is no day of
    // the calendar, a text longer than its column or holding characters
    // the file cannot hold, a file plan code that is not a detail code of
    // the plan. Values read from the file and left alone are not judged:
    // a document holding an old plan code or a date the mask let through
    // is saved with them.
    std::optional<EntryRefusal> refusal() const;

    // "F5-Kayıt": the link changes, the record, a new document's registry
    // number, the commit. A refusal is returned before anything is
    // written, but for an edited document another workstation deleted
    // meanwhile: that one is refused once its update finds no row, before
    // the commit, so nothing of it (pictures, letter, reply link) is
    // committed. A database error is thrown as it comes. Either way the
    // document can then be saved again.
    std::optional<EntryRefusal> save();
    // "F6-Vazgeç": everything since the last commit is undone.
    void cancel();

private:
    void openLists();
    void recalculate();
    int departmentRow() const;
    QVariant departmentValue(const QString& column) const;
    int drawKey();
    int drawFromGenerator(const QString& generator);

    const RegisterTable& m_reg;
    core::TDM& m_dm;
    const core::AppContext& m_ctx;
    EntryMode m_mode = EntryMode::New;
    DocumentRecord m_record;
    db::Query m_planCodes;
    db::Query m_departments;
    db::Query m_institutions;
    db::Query m_types;
    LinkEdit m_link;
    RelatedDocument m_related;
    ReplyState m_reply;
    QString m_sack1;
    QString m_sack2;
    QList<FieldCaption> m_captions;
};

} // namespace registers
