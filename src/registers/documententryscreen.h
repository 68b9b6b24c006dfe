#pragma once

#include "documententry.h"
#include "entryattachment.h"
#include "entryform.h"
#include "entryscreen.h"

#include "core/appcontext.h"
#include "core/tdm.h"

#include <QList>
#include <QString>
#include <QStringList>

class QMenu;

namespace lists {
class DocumentPicker;
}
namespace refdata {
class TFRMKURBIL;
class TFRMSDPBUL;
} // namespace refdata

namespace registers {

// How an entry form shows one column of its record.
enum class FieldKind {
    Text,         // a one-line box
    Number,       // digits only, within the column's range
    Date,         // the date mask
    PlainText,    // a multi-line box
    CodeWords,    // a one-letter code shown as its word (ZDUR, GIZDER, CEVDUR)
    Department,   // BIRIM by name, storing BKOD
    Institution,  // DISKUR by name, storing DKOD
    DocumentType, // ECINS by name, storing EKOD
    FilePlan,     // a leaf code of the file plan, chosen or typed (SDP)
};

// One column of the record and the widget of the form that shows it.
struct EntryField {
    QString column;
    QString widget; // its object name in the form
    FieldKind kind = FieldKind::Text;
    QString caption{}; // what the form calls it; a refusal to save names it
};

// A register the related document may be chosen from. An entry relating to
// one register has its button open the picker; one relating to several has
// the button open a menu of them.
struct RelatedChoice {
    QString caption{};    // the menu entry
    QString actionName{}; // its object name
    QString ilgdur{};     // what ILGDUR keeps for it; empty where ILGDUR is unused
};

// The table of differences of the three entry screens.
struct EntryScreenTable {
    const RegisterTable* reg = nullptr;
    QString formName{};
    QString title{};
    QList<EntryField> fields{};
    // A double-click in one of these boxes fills TESADI and TESGOR from the
    // department; the subject box ("edtKonu") takes the plan code's title.
    QStringList receiverBoxes{};
    // Empty: the entry has no related-document panel.
    QList<RelatedChoice> related{};
};

// The windows an entry screen opens besides its own.
struct EntryHelpers {
    refdata::TFRMSDPBUL* filePlanPicker = nullptr;
    refdata::TFRMKURBIL* quickAdd = nullptr;        // none: the form has no institution
    QList<lists::DocumentPicker*> relatedPickers{}; // one for each of table.related
};

// The one design of the entry screens of the three registers: the fields of
// the table bound to the record, the file plan drop-down with its titles,
// the department and grade numbering, the picker and quick-add buttons, the
// double-clicks, the related-document panel and the reply labels, "F5-Kayıt"
// and "F6-Vazgeç" with their keys and the "KAYIT"/"İPTAL" menu. A screen of
// one register adds its form (its own .ui, whose widgets carry the names the
// table gives and the shared names: btnKayit, btnVazgec, btnSdp, cmbSdp,
// lblSack1, lblSack2, btnKurum, lblKayno, lblCevap, lblCevapDetay,
// btnIlgili, lblIlgNo, lblIlgTarih, lblIlgBirim, lblIlgKonu, lblIlgTur,
// edtKonu, each where the register has it) and whatever it keeps beside the
// record (its attachments).
//
// Opened modally by its browse list only; created once and reused. Each
// opening sets the screen up afresh; coming back from a window it opened (a
// picker, the quick-add, an editor, a preview) sets nothing up again. It
// closes only through "F5-Kayıt" and "F6-Vazgeç".
class DocumentEntryScreen : public EntryScreen {
    Q_OBJECT
public:
    DocumentEntryScreen(const EntryScreenTable& table, core::TDM& dm, core::AppContext& ctx,
                        EntryHelpers helpers, QWidget* parent = nullptr);
    ~DocumentEntryScreen() override;

    const EntryScreenTable& entryTable() const { return m_table; }
    DocumentEntry& entry() { return m_entry; }
    const DocumentEntry& entry() const { return m_entry; }
    // The pending link changes of this visit.
    bool LinkSet() const { return m_entry.link().linkSet(); }
    bool LinkCancelled() const { return m_entry.link().linkCancelled(); }

    // "F5-Kayıt" and "F6-Vazgeç".
    void save();
    void cancel();
    // The button beside the file plan code and the one beside the
    // institution.
    void chooseFilePlan();
    void addInstitution();
    // The related-document button: the picker of the one register, or the
    // menu of them; chooseRelatedFrom opens the picker of an entry of it.
    void chooseRelated();
    void chooseRelatedFrom(int choice);
    // "Evrak İlgisini İptal Et".
    void cancelRelated();
    // The double-clicks in the receiver's (sender's) name and in the subject.
    void fillReceiver();
    void copyPlanTitle();

protected:
    // Called by the screen of a register once its form is set up: binds the
    // table's fields and the shared widgets.
    void setUpForm();
    // What the screen keeps beside the record: set up after the record,
    // closed with it.
    void addAttachment(EntryAttachment& attachment) { m_attachments.append(&attachment); }
    // After each opening's set-up, for what the screen of a register shows
    // of its own.
    virtual void afterSetUp() {}
    // Shows the record and the labels that follow it again.
    void showRecord();

    template <class T> T* widget(const char* name) const
    {
        return findChild<T*>(QString::fromLatin1(name));
    }

    core::AppContext& m_ctx;

    void activate() override;
    void deactivate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindFields();
    void connectActions();
    void edited(const QString& column);
    void showRelated();

    const EntryScreenTable& m_table;
    EntryHelpers m_helpers;
    DocumentEntry m_entry;
    EntryForm m_form;
    QList<EntryAttachment*> m_attachments;
    QList<QWidget*> m_receiverBoxes;
    QMenu* m_relatedMenu = nullptr;
    QMenu* m_cancelMenu = nullptr;
};

} // namespace registers
