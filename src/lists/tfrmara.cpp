#include "tfrmara.h"

#include "ui_tfrmara.h"

#include "documentdetail.h"

#include "core/errors.h"
#include "core/prompter.h"
#include "widgets/datebox.h"
#include "widgets/gridexport.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScopeGuard>

namespace lists {
namespace {

enum Column { Year, Register, Number, Date, Party, Subject, Found, ColumnCount };

const char* const Headings[] = {"Yıl",    "Defter", "Kay.No", "Kay.Tarihi", "Kurum / Dilekçe Veren",
                                "Konusu", "Bulunan"};

const QString AllRegisters = QStringLiteral("Tümü");

// A date box as a date; an empty or partly typed box leaves its end open.
QDate dateOf(const widgets::DateBox& box)
{
    return QDate::fromString(box.value(), QStringLiteral("dd.MM.yyyy"));
}

} // namespace

void SearchResultModel::setHits(QList<SearchHit> hits)
{
    beginResetModel();
    m_hits = std::move(hits);
    endResetModel();
}

int SearchResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
}

int SearchResultModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_hits.size())
        return {};
    const SearchHit& h = m_hits[index.row()];
    if (role == widgets::NumberRole) {
        if (index.column() == Year)
            return h.year.toInt();
        if (index.column() == Number)
            return h.number;
        return {};
    }
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == Number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Year:
        return h.year;
    case Register:
        return registerName(h.reg);
    case Number:
        return QString::number(h.number);
    case Date:
        return h.date;
    case Party:
        return h.party;
    case Subject:
        return h.subject;
    case Found:
        return h.matches;
    default:
        return {};
    }
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 &&
        section < ColumnCount)
        return QString::fromUtf8(Headings[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

TFRMARA::TFRMARA(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : widgets::Screen(parent), m_dm(dm), m_ctx(ctx), m_search(dm, ctx),
      m_ui(std::make_unique<Ui::TFRMARA>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMARA"));
    setWindowTitle(QStringLiteral("EVRAK ARA"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    QTableView& view = *m_ui->grdSonuc;
    view.setModel(&m_results);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.verticalHeader()->hide();
    view.verticalHeader()->setDefaultSectionSize(view.fontMetrics().height() + 6);
    const int widths[] = {44, 60, 60, 80, 190, 260};
    for (int c = 0; c < Found; ++c)
        view.setColumnWidth(c, widths[c]);
    view.horizontalHeader()->setStretchLastSection(true);
    view.installEventFilter(this);
    widgets::offerExport(view, QStringLiteral("EVRAK ARAMA SONUCU"));
    connect(&view, &QAbstractItemView::doubleClicked, this,
            [this] { core::guarded([this] { rowActivated(); }); });

    for (widgets::DateBox* box : {m_ui->edtBaslangic, m_ui->edtBitis})
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) +
                             16);
    m_ui->prgArama->setVisible(false);
    m_ui->btnDurdur->setVisible(false);
    connect(m_ui->edtAra, &QLineEdit::returnPressed, this,
            [this] { core::guarded([this] { search(); }); });
    bindButton(m_ui->btnAra, [this] { search(); });
    bindButton(m_ui->btnDurdur, [this] { stop(); });
    bindButton(
        m_ui->btnDetay, [this] { detail(); }, Qt::Key_F2);
    bindButton(
        m_ui->btnSec, [this] { choose(); }, Qt::Key_F5);
    bindButton(m_ui->btnCikis, [this] { exit(); });
    setEscapeButton(m_ui->btnCikis);
}

TFRMARA::~TFRMARA() = default;

QTableView& TFRMARA::grid() const
{
    return *m_ui->grdSonuc;
}

void TFRMARA::setDetailViews(DocumentDetail* incoming, DocumentDetail* outgoing,
                             DocumentDetail* petition)
{
    m_views[0] = incoming;
    m_views[1] = outgoing;
    m_views[2] = petition;
}

void TFRMARA::setRegisterRule(std::function<bool(SearchRegister)> mayOpen)
{
    m_mayOpen = std::move(mayOpen);
}

void TFRMARA::limitTo(SearchRegister reg)
{
    m_limitNext = true;
    m_limitedTo = reg;
}

void TFRMARA::activate()
{
    m_limited = m_limitNext;
    m_limitNext = false;
    m_choice.Chosen = false;
    m_results.setHits({});
    m_outcome = {};
    m_ui->lblDurum->clear();

    QComboBox& registers = *m_ui->cmbDefter;
    registers.clear();
    if (m_limited) {
        registers.addItem(registerName(m_limitedTo), int(m_limitedTo));
    } else {
        registers.addItem(AllRegisters, 0);
        for (SearchRegister r :
             {SearchRegister::Incoming, SearchRegister::Outgoing, SearchRegister::Petition})
            if (!m_mayOpen || m_mayOpen(r))
                registers.addItem(registerName(r), int(r));
    }
    registers.setEnabled(!m_limited);
    m_ui->chkTumYillar->setEnabled(!m_limited);
    if (m_limited)
        m_ui->chkTumYillar->setChecked(false);
    m_ui->btnSec->setVisible(m_limited);
    setWindowTitle(
        m_limited
            ? QStringLiteral("EVRAK ARA - %1 %2").arg(registerName(m_limitedTo), m_ctx.WorkingYear)
            : QStringLiteral("EVRAK ARA"));
    m_ui->edtAra->setFocus();
    m_ui->edtAra->selectAll();
}

void TFRMARA::deactivate()
{
    m_stop = true;
    m_results.setHits({});
    m_search.closeFiles();
}

QList<SearchRegister> TFRMARA::chosenRegisters() const
{
    const int chosen = m_ui->cmbDefter->currentData().toInt();
    if (chosen != 0)
        return {SearchRegister(chosen)};
    QList<SearchRegister> all;
    for (int i = 1; i < m_ui->cmbDefter->count(); ++i)
        all << SearchRegister(m_ui->cmbDefter->itemData(i).toInt());
    return all;
}

void TFRMARA::search()
{
    if (m_searching)
        return;
    SearchRequest request{.text = m_ui->edtAra->text(),
                          .registers = chosenRegisters(),
                          .from = dateOf(*m_ui->edtBaslangic),
                          .to = dateOf(*m_ui->edtBitis),
                          .allYears = m_ui->chkTumYillar->isChecked()};
    if (searchWords(request.text).isEmpty()) {
        m_ui->lblDurum->setText(QStringLiteral("DİKKAT! Aranacak Sözcükleri Yazınız.."));
        return;
    }
    m_searching = true;
    m_stop = false;
    m_results.setHits({});
    m_ui->btnAra->setEnabled(false);
    m_ui->prgArama->setVisible(true);
    m_ui->prgArama->setValue(0);
    m_ui->btnDurdur->setVisible(true);
    m_ui->lblDurum->setText(QStringLiteral("Aranıyor..."));
    // A search the engine broke off (the server lost) leaves no
    // "Aranıyor..." behind.
    bool completed = false;
    auto finished = qScopeGuard([this, &completed] {
        if (!completed)
            m_ui->lblDurum->setText(QStringLiteral("DİKKAT! Arama Tamamlanamadı.."));
        m_searching = false;
        m_ui->btnAra->setEnabled(true);
        m_ui->prgArama->setVisible(false);
        m_ui->btnDurdur->setVisible(false);
    });
    m_outcome = m_search.run(request, [this](int done, int total) {
        m_ui->prgArama->setMaximum(std::max(total, 1));
        m_ui->prgArama->setValue(done);
        // The clerk can press "Durdur" between the steps.
        QCoreApplication::processEvents();
        return !m_stop;
    });
    m_results.setHits(m_outcome.hits);
    QStringList lines;
    lines << (m_outcome.stopped ? QStringLiteral("Arama durduruldu: %1 evrak bulundu.")
                                : QStringLiteral("%1 evrak bulundu (%2 yıl dosyası tarandı)."))
                 .arg(m_outcome.hits.size())
                 .arg(m_outcome.filesSearched);
    lines << m_outcome.notes;
    m_ui->lblDurum->setText(lines.join(QLatin1Char('\n')));
    completed = true;
    if (!m_outcome.hits.isEmpty()) {
        m_ui->grdSonuc->selectRow(0);
        m_ui->grdSonuc->setFocus();
    }
}

void TFRMARA::stop()
{
    m_stop = true;
}

int TFRMARA::currentRow() const
{
    const QModelIndex current = m_ui->grdSonuc->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TFRMARA::detail()
{
    const int row = currentRow();
    if (row < 0 || m_searching)
        return;
    const SearchHit& hit = m_results.hits()[row];
    DocumentDetail* view = m_views[int(hit.reg) - 1];
    db::Database* database = m_search.database(hit.year);
    if (!view || !database)
        return;
    // Another year's document is read on that year's own connection, which
    // only reads.
    const bool otherYear = database != &m_dm.IBDATABASE;
    view->setSource(otherYear ? database : nullptr, otherYear ? hit.year : QString());
    view->DetailKayno = hit.kayno;
    auto back = qScopeGuard([view] { view->setSource(nullptr, QString()); });
    core::Prompter::current().runModal(*view);
}

void TFRMARA::choose()
{
    if (!m_limited || m_searching)
        return;
    const int row = currentRow();
    if (row < 0)
        return;
    m_choice.Chosen = true;
    m_choice.ChosenKayno = m_results.hits()[row].kayno;
    finish(QDialog::Accepted);
}

void TFRMARA::rowActivated()
{
    if (m_limited)
        choose();
    else
        detail();
}

void TFRMARA::exit()
{
    if (m_searching) {
        stop();
        return;
    }
    m_choice.Chosen = false;
    finish(QDialog::Rejected);
}

bool TFRMARA::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->grdSonuc && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            core::guarded([this] { rowActivated(); });
            return true;
        }
    }
    return widgets::Screen::eventFilter(watched, event);
}

} // namespace lists
