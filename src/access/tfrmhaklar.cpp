#include "tfrmhaklar.h"

#include "ui_tfrmhaklar.h"

#include "access/rights.h"
#include "access/useradmin.h"

#include <QButtonGroup>

using namespace useraccess;

TFRMHAKLAR::TFRMHAKLAR(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : RecordForm(ctx, parent), m_dm(dm), m_ui(std::make_unique<Ui::TFRMHAKLAR>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMHAKLAR"));
    setFixedSize(size());
    m_giris = {m_ui->rbGirisEvet, m_ui->rbGirisHayir};
    m_islem = {m_ui->rbIslemEvet, m_ui->rbIslemHayir};
    // Each pair is a group of its own, so that a stored value that is
    // neither "E" nor "H" can show with neither button set.
    for (const FlagChoice& choice : {m_giris, m_islem}) {
        auto* group = new QButtonGroup(this);
        group->addButton(choice.yes);
        group->addButton(choice.no);
    }
    bindButtons(m_ui->btnKayit, m_ui->btnIptal);
}

TFRMHAKLAR::~TFRMHAKLAR() = default;

void TFRMHAKLAR::showFlag(const FlagChoice& choice, const QString& flag)
{
    auto* group = choice.yes->group();
    group->setExclusive(false);
    choice.yes->setChecked(flag == QLatin1String("E"));
    choice.no->setChecked(flag == QLatin1String("H"));
    group->setExclusive(true);
}

QString TFRMHAKLAR::chosenFlag(const FlagChoice& choice, const QString& stored)
{
    if (choice.yes->isChecked())
        return QStringLiteral("E");
    if (choice.no->isChecked())
        return QStringLiteral("H");
    return stored;
}

void TFRMHAKLAR::activate()
{
    db::Query& q = m_dm.QRSORGU;
    if (!readRow(
            q,
            {QStringLiteral("SELECT * FROM RIGHTS"), QStringLiteral("WHERE HNO=:HN AND KOD=:KD")},
            {EditHno, EditKod}))
        return;
    m_storedG = q.field(QStringLiteral("G")).toString();
    m_storedK = q.field(QStringLiteral("K")).toString();
    q.close();
    m_ui->lblYetki->setText(rightLabel(EditKod));
    showFlag(m_giris, m_storedG);
    showFlag(m_islem, m_storedK);
    (m_storedG == QLatin1String("H") ? m_giris.no : m_giris.yes)->setFocus();
}

bool TFRMHAKLAR::saveRecord()
{
    return rowUpdated(updateRightFlags(m_dm.QRSORGU, EditHno, EditKod,
                                       chosenFlag(m_giris, m_storedG),
                                       chosenFlag(m_islem, m_storedK)));
}
