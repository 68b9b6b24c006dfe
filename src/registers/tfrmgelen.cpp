#include "tfrmgelen.h"

#include "ui_tfrmgelen.h"

#include "picturefiles.h"
#include "tfrmresim.h"

#include "core/errors.h"
#include "core/prompter.h"
#include "db/database.h"
#include "lists/pickers.h"
#include "report/printrule.h"

#include <QHeaderView>

namespace registers {

const EntryScreenTable& TFRMGELEN::table()
{
    static const EntryScreenTable table{
        .reg = &incomingRegister(),
        .formName = QStringLiteral("TFRMGELEN"),
        .title = QStringLiteral("GELEN EVRAK BİLGİLERİ"),
        .fields = {{QStringLiteral("GELNO"), QStringLiteral("edtGelno"), FieldKind::Number,
                    QStringLiteral("Kayıt No")},
                   {QStringLiteral("GELTAR"), QStringLiteral("edtGeltar"), FieldKind::Date,
                    QStringLiteral("Kayıt Tarihi")},
                   {QStringLiteral("SDP"), QStringLiteral("cmbSdp"), FieldKind::FilePlan,
                    QStringLiteral("Std. Dosya Kodu")},
                   {QStringLiteral("BKOD"), QStringLiteral("cmbBirim"), FieldKind::Department,
                    QStringLiteral("Verildiği Birim")},
                   {QStringLiteral("BSIRNO"), QStringLiteral("edtBsirno"), FieldKind::Number,
                    QStringLiteral("Birim Sıra No")},
                   {QStringLiteral("ZDUR"), QStringLiteral("cmbZdur"), FieldKind::CodeWords,
                    QStringLiteral("Zimmet Durumu")},
                   {QStringLiteral("ZNO"), QStringLiteral("edtZno"), FieldKind::Number,
                    QStringLiteral("Zimmet No")},
                   {QStringLiteral("ZTAR"), QStringLiteral("edtZtar"), FieldKind::Date,
                    QStringLiteral("Zimmet Tarihi")},
                   {QStringLiteral("GSIRNO"), QStringLiteral("edtGsirno"), FieldKind::Number,
                    QStringLiteral("Gizlilik Sıra No")},
                   {QStringLiteral("GIZDER"), QStringLiteral("cmbGizder"), FieldKind::CodeWords,
                    QStringLiteral("Gizlilik Derecesi")},
                   {QStringLiteral("TESADI"), QStringLiteral("edtTesadi"), FieldKind::Text,
                    QStringLiteral("Teslim Alan Adı S.")},
                   {QStringLiteral("TESGOR"), QStringLiteral("edtTesgor"), FieldKind::Text,
                    QStringLiteral("Teslim Alan Görevi")},
                   {QStringLiteral("DKOD"), QStringLiteral("cmbKurum"), FieldKind::Institution,
                    QStringLiteral("Geldiği Yer")},
                   {QStringLiteral("EVSAY"), QStringLiteral("edtEvsay"), FieldKind::Text,
                    QStringLiteral("Evrak No (Sayı)")},
                   {QStringLiteral("EVTAR"), QStringLiteral("edtEvtar"), FieldKind::Date,
                    QStringLiteral("Evrak Tarihi")},
                   {QStringLiteral("EKOD"), QStringLiteral("cmbEcins"), FieldKind::DocumentType,
                    QStringLiteral("Evrak Cinsi")},
                   {QStringLiteral("KONU"), QStringLiteral("edtKonu"), FieldKind::PlainText,
                    QStringLiteral("Konusu (Özü)")},
                   {QStringLiteral("EKSAY"), QStringLiteral("edtEksay"), FieldKind::Number,
                    QStringLiteral("Ek Sayısı")},
                   {QStringLiteral("EK"), QStringLiteral("edtEk"), FieldKind::PlainText,
                    QStringLiteral("Eki")},
                   {QStringLiteral("CEVDUR"), QStringLiteral("cmbCevdur"), FieldKind::CodeWords,
                    QStringLiteral("Cevap Bekleniyor")}},
        .receiverBoxes = {QStringLiteral("edtTesadi")},
        .related = {{}},
    };
    return table;
}

TFRMGELEN::TFRMGELEN(core::TDM& dm, core::AppContext& ctx, refdata::TFRMSDPBUL& filePlanPicker,
                     refdata::TFRMKURBIL& quickAdd, lists::TFRMGIDBUL& outgoingPicker,
                     TFRMRESIM& enlarged, QWidget* parent)
    : DocumentEntryScreen(table(), dm, ctx, {&filePlanPicker, &quickAdd, {&outgoingPicker}},
                          parent),
      m_enlarged(enlarged), m_pictures(dm.QRSORGU), m_scan(this),
      m_ui(std::make_unique<Ui::IncomingEntryForm>())
{
    m_ui->setupUi(this);
    setUpForm();
    addAttachment(m_pictures);

    Ui::IncomingEntryForm& ui = *m_ui;
    ui.lstResim->setColumnCount(1);
    ui.lstResim->setHorizontalHeaderLabels({QStringLiteral("No")});
    ui.lstResim->horizontalHeader()->setStretchLastSection(true);
    ui.lstResim->verticalHeader()->hide();
    ui.lstResim->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.lstResim->setSelectionMode(QAbstractItemView::SingleSelection);
    ui.lstResim->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto on = [this](QAbstractButton* button, void (TFRMGELEN::*action)()) {
        bindButton(button, [this, action] { (this->*action)(); });
    };
    on(ui.btnEkle, &TFRMGELEN::addPicture);
    on(ui.btnTara, &TFRMGELEN::scanPictures);
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
    // Each scanned page is stored as it comes and shown behind the scanner
    // screen, so the clerk sees the pages arrive.
    m_scan.setPageStore([this](const QByteArray& page) {
        m_pictures.add(page);
        showPicture(m_pictures.current());
    });
}

TFRMGELEN::~TFRMGELEN() = default;

void TFRMGELEN::afterSetUp()
{
    m_ui->imgResim->clear();
    m_ui->imgResim->setStretched(true);
    showPictureList();
    // A stored page that cannot be shown is reported; the screen is set up.
    if (!m_pictures.isEmpty())
        core::guarded([this] { showPicture(0); });
}

void TFRMGELEN::deactivate()
{
    DocumentEntryScreen::deactivate();
    m_ui->imgResim->clear();
    showPictureList();
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
        throw core::ActionError(core::ErrorCause::NotAPicture,
                                "the stored picture cannot be decoded");
    m_ui->imgResim->setImage(image);
}

void TFRMGELEN::addPicture()
{
    core::Prompter& prompter = core::Prompter::current();
    const QStringList paths = prompter.openFileNames(QString(), PictureFileFilter);
    if (paths.isEmpty())
        return;
    const int before = m_pictures.count();
    QStringList refusals;
    {
        const db::BusyScope busy; // a long file drawn and stored
        refusals = m_pictures.addFiles(paths);
    }
    if (m_pictures.count() != before)
        showPicture(m_pictures.current());
    for (const QString& refusal : refusals)
        prompter.message(refusal);
}

void TFRMGELEN::scanPictures()
{
    core::Prompter::current().runModal(m_scan);
}

void TFRMGELEN::replacePicture()
{
    if (m_pictures.isEmpty())
        return;
    core::Prompter& prompter = core::Prompter::current();
    const QString path = prompter.openFileName(QString(), PictureFileFilter);
    if (path.isEmpty())
        return;
    QString refusal;
    {
        const db::BusyScope busy; // a long file drawn and stored
        refusal = m_pictures.replace(path);
    }
    if (!refusal.isEmpty()) {
        prompter.message(refusal);
        return;
    }
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
