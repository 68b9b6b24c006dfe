#include "tfrmkurbil.h"

#include "ui_tfrmkurbil.h"

#include "codetables.h"

#include "core/fieldcheck.h"
#include "core/prompter.h"
#include "db/schema.h"
#include "widgets/textmark.h"

namespace refdata {

TFRMKURBIL::TFRMKURBIL(core::TDM& dm, core::AppContext&, QWidget* parent)
    : widgets::Screen(parent), m_dm(dm), m_ui(std::make_unique<Ui::QuickAddForm>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMKURBIL"));
    setWindowTitle(QStringLiteral("KURUM EKLEME"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    bindButton(
        m_ui->btnKayit, [this] { save(); }, Qt::Key_F5);
    bindButton(
        m_ui->btnVazgec, [this] { cancel(); }, Qt::Key_F6);
}

TFRMKURBIL::~TFRMKURBIL() = default;

void TFRMKURBIL::activate()
{
    m_ui->edtDkurum->clear();
    m_nameLength =
        db::textColumnLength(m_dm.QRSORGU, QStringLiteral("DISKUR"), QStringLiteral("DKURUM"));
    widgets::markText(*m_ui->edtDkurum, m_nameLength);
    m_ui->edtDkurum->setFocus();
}

void TFRMKURBIL::save()
{
    // A name the file cannot hold as typed stays in the box to be put right.
    if (const QString refused =
            core::textRefusal(QStringLiteral("Kurum Adı"), m_ui->edtDkurum->text(), m_nameLength);
        !refused.isEmpty()) {
        core::Prompter::current().message(refused);
        m_ui->edtDkurum->setFocus();
        return;
    }
    const int code = nextCode(m_dm.QRSORGU, QStringLiteral("SELECT MAX(DKOD) KOD FROM DISKUR"));
    db::Query& q = m_dm.QRSORGU;
    q.close();
    q.clear();
    q.add(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(:DKOD,:DKURUM)"));
    q.bindAll({code, m_ui->edtDkurum->text()});
    q.exec();
    m_result.AddedDkod = qint16(code);
    m_result.Added = true;
    finish(QDialog::Accepted);
}

void TFRMKURBIL::cancel()
{
    m_result.Added = false;
    finish(QDialog::Rejected);
}

} // namespace refdata
