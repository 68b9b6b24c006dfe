#include "tfrmgelen.h"

#include "ui_tfrmgelen.h"

#include "tfrmresim.h"

#include "core/errors.h"
#include "core/prompter.h"
#include "lists/pickers.h"
#include "refdata/tfrmkurbil.h"
#include "refdata/tfrmsdpbul.h"
#include "report/printrule.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>

namespace registers {
namespace {

const QString SDP = QStringLiteral("SDP");
const QString BKOD = QStringLiteral("BKOD");
const QString GIZDER = QStringLiteral("GIZDER");

constexpr int IntegerMax = 2147483647;
constexpr int SmallIntMax = 32767;

} // namespace

TFRMGELEN::TFRMGELEN(core::TDM& dm, core::AppContext& ctx, refdata::TFRMSDPBUL& filePlanPicker,
                     refdata::TFRMKURBIL& quickAdd, lists::TFRMGIDBUL& outgoingPicker,
                     TFRMRESIM& enlarged, QWidget* parent)
    : EntryScreen(parent), m_ctx(ctx), m_filePlanPicker(filePlanPicker), m_quickAdd(quickAdd),
      m_outgoingPicker(outgoingPicker), m_enlarged(enlarged), m_entry(incomingRegister(), dm, ctx),
      m_pictures(dm.QRSORGU), m_ui(std::make_unique<Ui::IncomingEntryForm>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMGELEN"));
    setWindowTitle(QStringLiteral("GELEN EVRAK BİLGİLERİ"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    m_ui->cmbZdur->setWords(core::handOverWords());
    m_ui->cmbGizder->setWords(core::gradeWords());
    m_ui->cmbCevdur->setWords(core::yesNoWords());
    m_ui->lstResim->setColumnCount(1);
    m_ui->lstResim->setHorizontalHeaderLabels({QStringLiteral("No")});
    m_ui->lstResim->horizontalHeader()->setStretchLastSection(true);
    m_ui->lstResim->verticalHeader()->hide();
    m_ui->lstResim->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ui->lstResim->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ui->lstResim->setEditTriggers(QAbstractItemView::NoEditTriggers);

    bindFields();
    connectActions();
}

TFRMGELEN::~TFRMGELEN() = default;

void TFRMGELEN::bindFields()
{
    Ui::IncomingEntryForm& ui = *m_ui;
    m_form.bindNumber(QStringLiteral("GELNO"), ui.edtGelno, IntegerMax);
    m_form.bindDate(QStringLiteral("GELTAR"), ui.edtGeltar);
    m_form.bindCodeList(SDP, ui.cmbSdp, m_entry.planCodes(), QStringLiteral("KOD"), 15);
    m_form.bindLookup(BKOD, ui.cmbBirim, m_entry.departments(), QStringLiteral("BIRIM"),
                      QStringLiteral("BKOD"));
    m_form.bindNumber(QStringLiteral("BSIRNO"), ui.edtBsirno, IntegerMax);
    m_form.bindCodeWords(QStringLiteral("ZDUR"), ui.cmbZdur);
    m_form.bindNumber(QStringLiteral("ZNO"), ui.edtZno, IntegerMax);
    m_form.bindDate(QStringLiteral("ZTAR"), ui.edtZtar);
    m_form.bindNumber(QStringLiteral("GSIRNO"), ui.edtGsirno, IntegerMax);
    m_form.bindCodeWords(GIZDER, ui.cmbGizder);
    m_form.bindText(QStringLiteral("TESADI"), ui.edtTesadi, ReceiverLength);
    m_form.bindText(QStringLiteral("TESGOR"), ui.edtTesgor, ReceiverLength);
    m_form.bindLookup(QStringLiteral("DKOD"), ui.cmbKurum, m_entry.institutions(),
                      QStringLiteral("DKURUM"), QStringLiteral("DKOD"));
    m_form.bindText(QStringLiteral("EVSAY"), ui.edtEvsay, 15);
    m_form.bindDate(QStringLiteral("EVTAR"), ui.edtEvtar);
    m_form.bindLookup(QStringLiteral("EKOD"), ui.cmbEcins, m_entry.documentTypes(),
                      QStringLiteral("ECINS"), QStringLiteral("EKOD"));
    m_form.bindPlainText(QStringLiteral("KONU"), ui.edtKonu, 200);
    m_form.bindNumber(QStringLiteral("EKSAY"), ui.edtEksay, SmallIntMax);
    m_form.bindPlainText(QStringLiteral("EK"), ui.edtEk, 0);
    m_form.bindCodeWords(QStringLiteral("CEVDUR"), ui.cmbCevdur);
    connect(&m_form, &EntryForm::edited, this,
            [this](const QString& column) { core::guarded([this, column] { edited(column); }); });
}

void TFRMGELEN::connectActions()
{
    Ui::IncomingEntryForm& ui = *m_ui;
    auto on = [this](QAbstractButton* button, void (TFRMGELEN::*action)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, action] { core::guarded([this, action] { (this->*action)(); }); });
    };
    on(ui.btnKayit, &TFRMGELEN::save);
    on(ui.btnVazgec, &TFRMGELEN::cancel);
    on(ui.btnSdp, &TFRMGELEN::chooseFilePlan);
    on(ui.btnKurum, &TFRMGELEN::addInstitution);
    on(ui.btnIlgili, &TFRMGELEN::chooseRelated);
    on(ui.btnEkle, &TFRMGELEN::addPicture);
    on(ui.btnDegis, &TFRMGELEN::replacePicture);
    on(ui.btnSil, &TFRMGELEN::deletePicture);
    on(ui.btnYazdir, &TFRMGELEN::printPicture);
    on(ui.btnBoyut, &TFRMGELEN::togglePictureSize);
    connect(ui.imgResim, &PictureView::doubleClicked, this,
            [this] { core::guarded([this] { enlargePicture(); }); });
    connect(ui.lstResim, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && row != m_pictures.current())
            core::guarded([this, row] { showPicture(row); });
    });

    // The related-document button's own menu.
    m_relatedMenu = new QMenu(this);
    QAction* cancelLink = m_relatedMenu->addAction(QStringLiteral("Evrak İlgisini İptal Et"));
    cancelLink->setObjectName(QStringLiteral("actIlgiIptal"));
    connect(cancelLink, &QAction::triggered, this,
            [this] { core::guarded([this] { cancelRelated(); }); });
    connect(ui.btnIlgili, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_relatedMenu->popup(m_ui->btnIlgili->mapToGlobal(pos)); });

    // The window's menu: F5 saves and F6 cancels, as the buttons say.
    auto* save = new QAction(QStringLiteral("KAYIT"), this);
    save->setObjectName(QStringLiteral("actKayit"));
    save->setShortcut(Qt::Key_F5);
    auto* cancel = new QAction(QStringLiteral("İPTAL"), this);
    cancel->setObjectName(QStringLiteral("actIptal"));
    cancel->setShortcut(Qt::Key_F6);
    connect(save, &QAction::triggered, ui.btnKayit, &QAbstractButton::click);
    connect(cancel, &QAction::triggered, ui.btnVazgec, &QAbstractButton::click);
    addAction(save);
    addAction(cancel);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    ui.edtTesadi->installEventFilter(this);
    ui.edtKonu->viewport()->installEventFilter(this);
}

bool TFRMGELEN::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_ui->edtTesadi) {
            core::guarded([this] { fillReceiver(); });
            return true;
        }
        if (watched == m_ui->edtKonu->viewport()) {
            core::guarded([this] { copyPlanTitle(); });
            return true;
        }
    }
    return EntryScreen::eventFilter(watched, event);
}

void TFRMGELEN::activate()
{
    EntryKayno = m_entry.setUp(EntryMode, EntryKayno);
    m_form.fillLists();
    showRecord();
    if (EntryMode == registers::EntryMode::New)
        m_pictures.prepareNew(EntryKayno);
    else
        m_pictures.load(EntryKayno);
    m_ui->imgResim->clear();
    m_ui->imgResim->setStretched(true);
    showPictureList();
    m_ui->cmbSdp->setFocus();
    // A stored page that cannot be shown is reported; the screen is set up.
    if (!m_pictures.isEmpty())
        core::guarded([this] { showPicture(0); });
}

void TFRMGELEN::deactivate()
{
    m_entry.close();
    // The pages of the document are not kept while the screen is closed.
    m_pictures.prepareNew(0);
    m_ui->imgResim->clear();
    showPictureList();
}

void TFRMGELEN::showRecord()
{
    m_form.show(m_entry.record());
    m_ui->lblKayno->setText(QString::number(m_entry.record().kayno()));
    m_ui->lblSack1->setText(m_entry.planHeadingTitle());
    m_ui->lblSack2->setText(m_entry.planCodeTitle());
    m_ui->lblCevap->setText(m_entry.replyState().label);
    m_ui->lblCevapDetay->setText(m_entry.replyState().details);
    showRelated();
}

void TFRMGELEN::showRelated()
{
    const RelatedDocument d = m_entry.related();
    m_ui->lblIlgNo->setText(d.number);
    m_ui->lblIlgTarih->setText(d.date);
    m_ui->lblIlgBirim->setText(d.department);
    m_ui->lblIlgKonu->setText(d.subject);
}

void TFRMGELEN::edited(const QString& column)
{
    DocumentRecord& record = m_entry.record();
    if (column == SDP) {
        m_entry.setFilePlanCode(m_ui->cmbSdp->currentText());
        m_ui->lblSack1->setText(m_entry.planHeadingTitle());
        m_ui->lblSack2->setText(m_entry.planCodeTitle());
        return;
    }
    m_form.collect(column, record);
    if (column == BKOD) {
        m_entry.chooseDepartment(record.value(BKOD));
        showRecord();
    } else if (column == GIZDER) {
        m_entry.chooseGrade(record.text(GIZDER));
        showRecord();
    }
}

void TFRMGELEN::save()
{
    try {
        m_entry.save();
    } catch (const IncompleteDate& e) {
        if (QWidget* box = m_form.widget(e.column()))
            box->setFocus();
        throw;
    }
    finish(QDialog::Accepted);
}

void TFRMGELEN::cancel()
{
    m_entry.cancel();
    finish(QDialog::Rejected);
}

void TFRMGELEN::chooseFilePlan()
{
    core::Prompter::current().runModal(m_filePlanPicker);
    if (!m_filePlanPicker.result().Chosen)
        return;
    m_entry.setFilePlanCode(m_filePlanPicker.result().ChosenCode);
    showRecord();
}

void TFRMGELEN::addInstitution()
{
    core::Prompter::current().runModal(m_quickAdd);
    if (!m_quickAdd.result().Added)
        return;
    m_entry.reopenInstitutions();
    m_form.fillList(m_entry.institutions());
    m_entry.record().setValue(QStringLiteral("DKOD"), int(m_quickAdd.result().AddedDkod));
    showRecord();
}

void TFRMGELEN::chooseRelated()
{
    core::Prompter::current().runModal(m_outgoingPicker);
    if (!m_outgoingPicker.result().Chosen)
        return;
    m_entry.chooseRelated(m_outgoingPicker.result().ChosenKayno);
    showRelated();
}

void TFRMGELEN::cancelRelated()
{
    if (!m_entry.cancelRelated()) {
        core::Prompter::current().message(QStringLiteral("DİKKAT! İlgili Evrak Kaydı Bulunamadı"));
        return;
    }
    showRelated();
}

void TFRMGELEN::fillReceiver()
{
    m_entry.fillReceiverFromDepartment();
    showRecord();
}

void TFRMGELEN::copyPlanTitle()
{
    m_entry.copyPlanTitleToSubject();
    showRecord();
}

void TFRMGELEN::showPictureList()
{
    QTableWidget& list = *m_ui->lstResim;
    const QSignalBlocker block(&list);
    list.setRowCount(m_pictures.count());
    for (int i = 0; i < m_pictures.count(); ++i)
        list.setItem(i, 0, new QTableWidgetItem(QString::number(m_pictures.pictures()[i].harno)));
    if (m_pictures.current() >= 0)
        list.setCurrentCell(m_pictures.current(), 0);
}

void TFRMGELEN::showPicture(int index)
{
    m_pictures.setCurrent(index);
    showPictureList();
    const Picture* p = m_pictures.currentPicture();
    if (!p || p->bytes.isEmpty())
        return; // the box keeps what it showed
    const QImage image = decodePicture(p->bytes);
    if (image.isNull())
        throw std::runtime_error("the stored picture cannot be decoded");
    m_ui->imgResim->setImage(image);
}

void TFRMGELEN::addPicture()
{
    const QString path = core::Prompter::current().openFileName(QString(), PictureFileFilter);
    if (path.isEmpty())
        return;
    m_pictures.add(path);
    showPicture(m_pictures.current());
}

void TFRMGELEN::replacePicture()
{
    if (m_pictures.isEmpty())
        return;
    const QString path = core::Prompter::current().openFileName(QString(), PictureFileFilter);
    if (path.isEmpty())
        return;
    m_pictures.replace(path);
    showPicture(m_pictures.current());
}

void TFRMGELEN::deletePicture()
{
    if (m_pictures.isEmpty())
        return;
    m_pictures.remove();
    m_ui->imgResim->clear();
    showPictureList();
    if (!m_pictures.isEmpty())
        showPicture(m_pictures.current());
}

void TFRMGELEN::printPicture()
{
    m_layout.setPicture(m_ui->imgResim->image());
    // Always previewed; closing the preview sets nothing up here again.
    report::printLayout(m_layout, m_ctx.PreviewBeforePrint, report::PrintDialogKind::LayoutSetup,
                        report::PreviewChoice::Always, this);
}

void TFRMGELEN::togglePictureSize()
{
    m_ui->imgResim->toggleStretched();
}

void TFRMGELEN::enlargePicture()
{
    m_enlarged.setPicture(m_ui->imgResim->image());
    core::Prompter::current().runModal(m_enlarged);
}

} // namespace registers
