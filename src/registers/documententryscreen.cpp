#include "documententryscreen.h"

#include "core/codewords.h"
#include "core/errors.h"
#include "core/prompter.h"
#include "lists/documentpicker.h"
#include "refdata/tfrmkurbil.h"
#include "refdata/tfrmsdpbul.h"
#include "widgets/codewordcombo.h"
#include "widgets/datebox.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include <stdexcept>

namespace registers {
namespace {

const QString SDP = QStringLiteral("SDP");
const QString BKOD = QStringLiteral("BKOD");
const QString DKOD = QStringLiteral("DKOD");
const QString GIZDER = QStringLiteral("GIZDER");

const core::CodeWords& wordsOf(const QString& column)
{
    if (column == QLatin1String("ZDUR"))
        return core::handOverWords();
    if (column == GIZDER)
        return core::gradeWords();
    return core::yesNoWords();
}

void setText(QLabel* label, const QString& text)
{
    if (label)
        label->setText(text);
}

} // namespace

DocumentEntryScreen::DocumentEntryScreen(const EntryScreenTable& table, core::TDM& dm,
                                         core::AppContext& ctx, EntryHelpers helpers,
                                         QWidget* parent)
    : EntryScreen(parent), m_ctx(ctx), m_table(table), m_helpers(std::move(helpers)),
      m_entry(*table.reg, dm, ctx)
{
    setObjectName(m_table.formName);
}

DocumentEntryScreen::~DocumentEntryScreen() = default;

void DocumentEntryScreen::setUpForm()
{
    setObjectName(m_table.formName);
    setWindowTitle(m_table.title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QList<FieldCaption> captions;
    for (const EntryField& f : m_table.fields)
        captions << FieldCaption{f.column, f.caption.isEmpty() ? f.column : f.caption};
    m_entry.setFieldCaptions(captions);
    bindFields();
    connectActions();
}

void DocumentEntryScreen::bindFields()
{
    for (const EntryField& f : m_table.fields) {
        QWidget* w = findChild<QWidget*>(f.widget);
        if (!w)
            throw std::logic_error("the entry form has no widget " + f.widget.toStdString());
        switch (f.kind) {
        case FieldKind::Text:
            m_form.bindText(f.column, qobject_cast<QLineEdit*>(w));
            break;
        case FieldKind::Number:
            m_form.bindNumber(f.column, qobject_cast<QLineEdit*>(w));
            break;
        case FieldKind::Date:
            m_form.bindDate(f.column, qobject_cast<widgets::DateBox*>(w));
            break;
        case FieldKind::PlainText:
            m_form.bindPlainText(f.column, qobject_cast<QPlainTextEdit*>(w));
            break;
        case FieldKind::CodeWords: {
            auto* box = qobject_cast<widgets::CodeWordCombo*>(w);
            box->setWords(wordsOf(f.column));
            m_form.bindCodeWords(f.column, box);
            break;
        }
        case FieldKind::Department:
            m_form.bindLookup(f.column, qobject_cast<QComboBox*>(w), m_entry.departments(),
                              QStringLiteral("BIRIM"), BKOD);
            break;
        case FieldKind::Institution:
            m_form.bindLookup(f.column, qobject_cast<QComboBox*>(w), m_entry.institutions(),
                              QStringLiteral("DKURUM"), DKOD);
            break;
        case FieldKind::DocumentType:
            m_form.bindLookup(f.column, qobject_cast<QComboBox*>(w), m_entry.documentTypes(),
                              QStringLiteral("ECINS"), QStringLiteral("EKOD"));
            break;
        case FieldKind::FilePlan:
            m_form.bindCodeList(f.column, qobject_cast<QComboBox*>(w), m_entry.planCodes(),
                                QStringLiteral("KOD"));
            break;
        }
    }
    connect(&m_form, &EntryForm::edited, this,
            [this](const QString& column) { core::guarded([this, column] { edited(column); }); });
}

void DocumentEntryScreen::connectActions()
{
    auto on = [this](const char* name, void (DocumentEntryScreen::*action)()) {
        // No key here: the window's KAYIT and İPTAL actions below carry F5
        // and F6 for "F5-Kayıt" and "F6-Vazgeç".
        if (auto* button = widget<QAbstractButton>(name))
            bindButton(button, [this, action] { (this->*action)(); });
    };
    on("btnKayit", &DocumentEntryScreen::save);
    on("btnVazgec", &DocumentEntryScreen::cancel);
    on("btnSdp", &DocumentEntryScreen::chooseFilePlan);
    on("btnKurum", &DocumentEntryScreen::addInstitution);

    // The related-document button: the picker of its register or the menu
    // of its registers; its right-click menu cancels the link.
    if (auto* related = widget<QAbstractButton>("btnIlgili")) {
        on("btnIlgili", &DocumentEntryScreen::chooseRelated);
        if (m_table.related.size() > 1) {
            m_relatedMenu = new QMenu(this);
            for (int i = 0; i < m_table.related.size(); ++i) {
                QAction* a = m_relatedMenu->addAction(m_table.related[i].caption);
                a->setObjectName(m_table.related[i].actionName);
                connect(a, &QAction::triggered, this,
                        [this, i] { core::guarded([this, i] { chooseRelatedFrom(i); }); });
            }
        }
        m_cancelMenu = new QMenu(this);
        QAction* cancelLink = m_cancelMenu->addAction(QStringLiteral("Evrak İlgisini İptal Et"));
        cancelLink->setObjectName(QStringLiteral("actIlgiIptal"));
        connect(cancelLink, &QAction::triggered, this,
                [this] { core::guarded([this] { cancelRelated(); }); });
        related->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(
            related, &QWidget::customContextMenuRequested, this,
            [this, related](const QPoint& pos) { m_cancelMenu->popup(related->mapToGlobal(pos)); });
    }

    // The window's menu: F5 saves and F6 cancels, as the buttons say.
    auto* save = new QAction(QStringLiteral("KAYIT"), this);
    save->setObjectName(QStringLiteral("actKayit"));
    save->setShortcut(Qt::Key_F5);
    auto* cancel = new QAction(QStringLiteral("İPTAL"), this);
    cancel->setObjectName(QStringLiteral("actIptal"));
    cancel->setShortcut(Qt::Key_F6);
    connect(save, &QAction::triggered, widget<QAbstractButton>("btnKayit"),
            &QAbstractButton::click);
    connect(cancel, &QAction::triggered, widget<QAbstractButton>("btnVazgec"),
            &QAbstractButton::click);
    addAction(save);
    addAction(cancel);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    for (const QString& name : m_table.receiverBoxes)
        if (auto* box = findChild<QLineEdit*>(name)) {
            box->installEventFilter(this);
            m_receiverBoxes.append(box);
        }
    if (auto* subject = widget<QPlainTextEdit>("edtKonu"))
        subject->viewport()->installEventFilter(this);
}

bool DocumentEntryScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (m_receiverBoxes.contains(watched)) {
            core::guarded([this] { fillReceiver(); });
            return true;
        }
        auto* subject = widget<QPlainTextEdit>("edtKonu");
        if (subject && watched == subject->viewport()) {
            core::guarded([this] { copyPlanTitle(); });
            return true;
        }
    }
    return EntryScreen::eventFilter(watched, event);
}

void DocumentEntryScreen::activate()
{
    if (!m_entry.setUp(EntryMode, EntryKayno)) {
        // Another workstation deleted the document since the list read it.
        core::Prompter::current().message(MissingDocumentMessage);
        finish(QDialog::Rejected);
        return;
    }
    EntryKayno = m_entry.record().kayno();
    for (EntryAttachment* a : m_attachments)
        a->setUp(EntryMode, EntryKayno);
    m_form.applyLimits(m_entry.record());
    m_form.fillLists();
    showRecord();
    if (auto* sdp = widget<QWidget>("cmbSdp"))
        sdp->setFocus();
    afterSetUp();
}

void DocumentEntryScreen::deactivate()
{
    m_entry.close();
    for (EntryAttachment* a : m_attachments)
        a->close();
}

void DocumentEntryScreen::showRecord()
{
    m_form.show(m_entry.record());
    setText(widget<QLabel>("lblKayno"), QString::number(m_entry.record().kayno()));
    setText(widget<QLabel>("lblSack1"), m_entry.planHeadingTitle());
    setText(widget<QLabel>("lblSack2"), m_entry.planCodeTitle());
    setText(widget<QLabel>("lblCevap"), m_entry.replyState().label);
    setText(widget<QLabel>("lblCevapDetay"), m_entry.replyState().details);
    showRelated();
}

void DocumentEntryScreen::showRelated()
{
    const RelatedDocument d = m_entry.related();
    setText(widget<QLabel>("lblIlgNo"), d.number);
    setText(widget<QLabel>("lblIlgTarih"), d.date);
    setText(widget<QLabel>("lblIlgBirim"), d.department);
    setText(widget<QLabel>("lblIlgKonu"), d.subject);
    setText(widget<QLabel>("lblIlgTur"), d.typeLabel);
}

void DocumentEntryScreen::edited(const QString& column)
{
    DocumentRecord& record = m_entry.record();
    if (column == SDP) {
        m_entry.setFilePlanCode(widget<QComboBox>("cmbSdp")->currentText());
        setText(widget<QLabel>("lblSack1"), m_entry.planHeadingTitle());
        setText(widget<QLabel>("lblSack2"), m_entry.planCodeTitle());
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

void DocumentEntryScreen::save()
{
    // A refusal keeps everything typed; the clerk puts the field right.
    if (const std::optional<EntryRefusal> refused = m_entry.save()) {
        core::Prompter::current().message(refused->message);
        if (QWidget* box = m_form.widget(refused->column))
            box->setFocus();
        return;
    }
    finish(QDialog::Accepted);
}

void DocumentEntryScreen::cancel()
{
    m_entry.cancel();
    finish(QDialog::Rejected);
}

void DocumentEntryScreen::chooseFilePlan()
{
    refdata::TFRMSDPBUL& picker = *m_helpers.filePlanPicker;
    core::Prompter::current().runModal(picker);
    if (!picker.result().Chosen)
        return;
    m_entry.setFilePlanCode(picker.result().ChosenCode);
    showRecord();
}

void DocumentEntryScreen::addInstitution()
{
    if (!m_helpers.quickAdd)
        return;
    refdata::TFRMKURBIL& quickAdd = *m_helpers.quickAdd;
    core::Prompter::current().runModal(quickAdd);
    if (!quickAdd.result().Added)
        return;
    m_entry.reopenInstitutions();
    m_form.fillList(m_entry.institutions());
    m_entry.record().setValue(DKOD, int(quickAdd.result().AddedDkod));
    showRecord();
}

void DocumentEntryScreen::chooseRelated()
{
    if (m_relatedMenu) {
        auto* button = widget<QWidget>("btnIlgili");
        m_relatedMenu->popup(button->mapToGlobal(QPoint(0, button->height())));
        return;
    }
    chooseRelatedFrom(0);
}

void DocumentEntryScreen::chooseRelatedFrom(int choice)
{
    if (choice < 0 || choice >= m_helpers.relatedPickers.size())
        return;
    lists::DocumentPicker& picker = *m_helpers.relatedPickers[choice];
    core::Prompter::current().runModal(picker);
    if (!picker.result().Chosen)
        return;
    m_entry.chooseRelated(picker.result().ChosenKayno, m_table.related.value(choice).ilgdur);
    showRelated();
}

void DocumentEntryScreen::cancelRelated()
{
    if (!m_entry.cancelRelated()) {
        core::Prompter::current().message(QStringLiteral("DİKKAT! İlgili Evrak Kaydı Bulunamadı"));
        return;
    }
    showRelated();
}

void DocumentEntryScreen::fillReceiver()
{
    m_entry.fillReceiverFromDepartment();
    showRecord();
}

void DocumentEntryScreen::copyPlanTitle()
{
    m_entry.copyPlanTitleToSubject();
    showRecord();
}

} // namespace registers
