#pragma once

#include "documentsearch.h"

#include "core/appcontext.h"
#include "core/tdm.h"
#include "widgets/screen.h"

#include <QAbstractTableModel>
#include <QList>

#include <functional>
#include <memory>

class QTableView;

namespace Ui {
class TFRMARA;
}

namespace lists {

class DocumentDetail;

// The documents a search found, one row each: "Yıl", "Defter", "Kay.No",
// "Kay.Tarihi", "Kurum / Dilekçe Veren", "Konusu", "Bulunan".
class SearchResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setHits(QList<SearchHit> hits);
    const QList<SearchHit>& hits() const { return m_hits; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<SearchHit> m_hits;
};

// What the search hands back to a browse list that opened it for its
// register: the document chosen ("F5-Seç", Enter or a double-click).
struct SearchChoice {
    bool Chosen = false;
    int ChosenKayno = 0;
};

// "EVRAK ARA": one box of words, found without regard to Turkish case in
// every register the clerk may see, in the working year's file or in every
// yearly file of the data folder ("Tüm Yıllar"), newest year first. "F2-Detay"
// (Enter, a double-click) opens the document's detail view, on another
// year's file read-only. A long search shows its progress and "Durdur"
// stops it. Opened for one register by a browse list ("F3-Ara"), it searches
// that register of the working year, and choosing a document moves the list
// to it.
class TFRMARA : public widgets::Screen {
    Q_OBJECT
public:
    TFRMARA(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMARA() override;

    // The views "F2-Detay" opens, made elsewhere in the program's order.
    void setDetailViews(DocumentDetail* incoming, DocumentDetail* outgoing,
                        DocumentDetail* petition);
    // Whether the clerk may see a register (the access flag of its right);
    // every register when none is given.
    void setRegisterRule(std::function<bool(SearchRegister)> mayOpen);
    // The next opening searches this register of the working year alone,
    // and chooses; the opening after it is the whole search again.
    void limitTo(SearchRegister reg);

    SearchChoice& result() { return m_choice; }
    const SearchOutcome& outcome() const { return m_outcome; }
    SearchResultModel& results() { return m_results; }
    QTableView& grid() const;
    bool searching() const { return m_searching; }

    // "Ara" and Enter in the box.
    void search();
    // "Durdur": the search ends after the step it is in.
    void stop();
    // "F2-Detay" on the current row.
    void detail();
    // "F5-Seç" on the current row, when opened for a register.
    void choose();
    void exit();

protected:
    void activate() override;
    void deactivate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<SearchRegister> chosenRegisters() const;
    int currentRow() const;
    void rowActivated();

    core::TDM& m_dm;
    core::AppContext& m_ctx;
    DocumentSearch m_search;
    std::unique_ptr<Ui::TFRMARA> m_ui;
    SearchResultModel m_results;
    SearchOutcome m_outcome;
    SearchChoice m_choice;
    std::function<bool(SearchRegister)> m_mayOpen;
    DocumentDetail* m_views[3] = {nullptr, nullptr, nullptr};
    bool m_limitNext = false;
    bool m_limited = false;
    SearchRegister m_limitedTo = SearchRegister::Incoming;
    bool m_searching = false;
    bool m_stop = false;
};

} // namespace lists
