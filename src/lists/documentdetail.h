#pragma once

#include "core/appcontext.h"
#include "core/codewords.h"
#include "core/tdm.h"
#include "widgets/screen.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace Ui {
class DocumentDetail;
}

namespace lists {

// How a field shows its result column.
enum class FieldShape {
    Line,        // one line of text
    Words,       // a one-letter code shown as its word; any other letter as nothing
    Multi,       // several lines
    Attachments, // the count (column) with the list (listColumn) beside it
    Reply,       // CEVDUR as its word, the reply-state label beside it and the
                 // reply-details label on the line below
};

struct DetailField {
    QString caption{};
    QString column{};
    FieldShape shape = FieldShape::Line;
    const core::CodeWords* words = nullptr; // Words and Reply
    int chars = 0;                          // width in characters; 0: the room there is
    QString listColumn{};                   // Attachments
};

// One thing the related-document strip can show: the columns of its four
// fields ("Evrak No", "Tarihi", "Birimi", "Konusu (Özü)") and its heading,
// used when the row's switch column holds `when` (empty: always).
struct RelatedSource {
    QString when{};
    QString heading{};
    QStringList columns{};
};

// The two texts of the reply-state label.
struct ReplyTexts {
    QString replied{}; // a reply is linked
    QString waiting{}; // none is
};

// The table of differences of the three detail views.
struct DetailTable {
    QString formName{};
    QString title{};
    QString leftHeading{};
    QString rightHeading{};
    QList<DetailField> left{};
    QList<DetailField> right{};
    QStringList sqlLines{}; // one parameter, the key
    ReplyTexts replyTexts;
    // The reply's number, date and place in the details label.
    QString replyNoColumn{};
    QString replyDateColumn{};
    QString replyPlaceColumn{};
    // The strip: none when `related` is empty. With a switch column the
    // first source whose `when` matches the row is shown; when none does,
    // the strip stays empty under the first source's heading.
    QString relatedSwitch{};
    QList<RelatedSource> related{};
};

// The reply-state label and the reply-details label.
struct ReplyState {
    QString state{};
    QString details{};
};

// The rule of CEVAPDURUMU: nothing when no reply is expected ('H'); else
// the linked text with the reply's number, date and place when CEVNO names a
// reply (a deleted one included: the number and date are then empty), and
// the waiting text when it does not.
ReplyState replyState(const ReplyTexts& texts, const QString& cevdur, qint64 cevno,
                      const QString& no, const QString& date, const QString& place);

// A read-only view of everything recorded about one document, its reply
// state and the document it is related to. The ledger writes DetailKayno
// and opens the view modally; the view reads it afresh on every opening.
// Only "ESC-Çıkış" (or Esc) closes it; it hands nothing back.
class DocumentDetail : public widgets::Screen {
    Q_OBJECT
public:
    DocumentDetail(const DetailTable& table, core::TDM& dm, core::AppContext& ctx,
                   QWidget* parent = nullptr);
    ~DocumentDetail() override;

    // KAYNO of the document to show; written by the caller before opening.
    int DetailKayno = 0;
    // The file the next openings read: another year's connection (the
    // year then stands in the title), or nullptr for the program's own.
    void setSource(db::Database* other, const QString& year);

    // Fills the reply-state and reply-details labels from the row shown.
    void CEVAPDURUMU();
    void exit();

protected:
    void activate() override;
    void deactivate() override;

private:
    struct Bound {
        QString column;
        const core::CodeWords* words = nullptr;
        QLineEdit* line = nullptr;
        QPlainTextEdit* multi = nullptr;
    };
    void addFields(QFormLayout& layout, QWidget& block, const QList<DetailField>& fields);
    QLineEdit* lineFor(QWidget& block, const QString& column, int chars);
    QPlainTextEdit* multiFor(QWidget& block, const QString& column, int lines);
    void buildRelatedStrip();
    void showFields();
    void showRelated();
    QString text(const QString& column) const;

    DetailTable m_table;
    db::Database& m_home;
    std::unique_ptr<db::Query> m_row;
    std::unique_ptr<Ui::DocumentDetail> m_ui;
    QList<Bound> m_bound;
    QLabel* m_replyState = nullptr;
    QLabel* m_replyDetails = nullptr;
    QList<QLineEdit*> m_related;
};

} // namespace lists
