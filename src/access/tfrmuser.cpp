#include "tfrmuser.h"

#include "ui_tfrmuser.h"

#include "access/fields.h"
#include "access/sifrele.h"
#include "access/useradmin.h"
#include "core/fieldcheck.h"
#include "db/schema.h"
#include "widgets/textmark.h"

using namespace useraccess;

namespace {

const QString AllDepartments = QStringLiteral("TÜMÜ");

} // namespace

TFRMUSER::TFRMUSER(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : RecordForm(ctx, parent), m_dm(dm), m_ui(std::make_unique<Ui::TFRMUSER>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMUSER"));
    setFixedSize(size());
    m_textFields = {{{QStringLiteral("USR"), QStringLiteral("Kullanıcı Adı"), m_ui->edtUsr},
                     {QStringLiteral("ACIK"), QStringLiteral("Adı Soyadı"), m_ui->edtAcik},
                     {QStringLiteral("ACIK1"), QStringLiteral("Görev Ünvanı"), m_ui->edtAcik1}}};
    m_ui->edtPsswd->setMaxLength(PasswordLength);
    makePasswordField(m_ui->edtPsswd);
    makePasswordField(m_ui->edtTekrar);
    bindButtons(m_ui->btnKayit, m_ui->btnIptal);
    connect(m_ui->cmbBirim, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling)
            departmentChosen(index);
    });
}

TFRMUSER::~TFRMUSER() = default;

void TFRMUSER::activate()
{
    EditUserDept = 0;
    SavedUserNo = 0;
    for (QLineEdit* field :
         {m_ui->edtUsr, m_ui->edtPsswd, m_ui->edtTekrar, m_ui->edtAcik, m_ui->edtAcik1})
        field->clear();

    db::Query& q = m_dm.QRSORGU;
    // The limits are the file's own; a text it cannot hold as typed (too
    // long, or a letter its code page lacks) is marked and refused at saving.
    for (TextField& f : m_textFields) {
        f.length = db::textColumnLength(q, QStringLiteral("USERS"), f.column);
        widgets::markText(*f.box, f.length);
    }
    if (Mode == NewUser) {
        m_hno = nextUserNo(q);
        m_ui->edtAcik->setFocus();
    } else {
        m_hno = EditUserNo;
        if (!readRow(q, {QStringLiteral("SELECT * FROM USERS"), QStringLiteral("WHERE HNO=:H")},
                     {EditUserNo}))
            return;
        m_ui->edtUsr->setText(q.field(QStringLiteral("USR")).toString());
        m_ui->edtPsswd->setText(q.field(QStringLiteral("PSSWD")).toString());
        m_ui->edtAcik->setText(q.field(QStringLiteral("ACIK")).toString());
        m_ui->edtAcik1->setText(q.field(QStringLiteral("ACIK1")).toString());
        EditUserDept = int(q.field(QStringLiteral("OZEL")).toInt());
        q.close();
        m_ui->edtUsr->setFocus();
    }
    COMBODOLDUR();
    m_ui->edtUsr->setEnabled(m_ui->edtUsr->text() != VendorAccount);
}

void TFRMUSER::deactivate()
{
    m_ui->cmbBirim->clear();
}

void TFRMUSER::COMBODOLDUR()
{
    m_filling = true;
    QComboBox& box = *m_ui->cmbBirim;
    box.clear();
    box.addItem(AllDepartments, 0);
    db::Query& q = m_dm.QRSORGU;
    q.openLines({QStringLiteral("SELECT BIRIM,BKOD FROM BIRIM")});
    int chosen = 0;
    for (int r = 0; r < q.rowCount(); ++r) {
        const int code = int(q.value(r, QStringLiteral("BKOD")).toInt());
        box.addItem(q.value(r, QStringLiteral("BIRIM")).toString(), code);
        if (code == EditUserDept && EditUserDept != 0)
            chosen = box.count() - 1; // the last department with the code
    }
    q.close();
    box.setCurrentIndex(chosen);
    m_filling = false;
}

void TFRMUSER::departmentChosen(int index)
{
    // Each entry keeps the code of its own row, so two departments of the
    // same name stay apart.
    EditUserDept = index <= 0 ? 0 : m_ui->cmbBirim->itemData(index).toInt();
}

bool TFRMUSER::saveRecord()
{
    const QString name = m_ui->edtUsr->text();
    const QString password = m_ui->edtPsswd->text();
    if (name.trimmed().isEmpty()) {
        refuse(UserNameRefused, m_ui->edtUsr);
        return false;
    }
    for (const TextField& f : m_textFields)
        if (const QString refused = core::textRefusal(f.caption, f.box->text(), f.length);
            !refused.isEmpty()) {
            refuse(refused, f.box);
            return false;
        }
    if (password != m_ui->edtTekrar->text()) {
        refuse(PasswordsDiffer, m_ui->edtPsswd);
        return false;
    }
    if (!passwordSurvivesEncoding(password)) {
        refuse(PasswordNotStorable, m_ui->edtPsswd);
        return false;
    }
    db::Query& q = m_dm.QRSORGU;
    if (userNameTaken(q, name, Mode == NewUser ? std::nullopt : std::optional<int>(m_hno))) {
        refuse(UserNameTaken, m_ui->edtUsr);
        return false;
    }

    const UserRow row{m_hno,
                      name,
                      SIFRELE(QStringLiteral("1"), password),
                      m_ui->edtAcik->text(),
                      m_ui->edtAcik1->text(),
                      EditUserDept};
    if (Mode == NewUser) {
        insertUser(q, row);
        giveDefaultRights(m_dm, m_hno);
    } else if (!rowUpdated(updateUser(q, row))) {
        return false;
    }
    SavedUserNo = m_hno;
    return true;
}
