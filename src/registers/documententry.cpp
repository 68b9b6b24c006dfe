#include "documententry.h"

#include "numbering.h"

#include "core/clock.h"
#include "core/fieldcheck.h"
#include "core/turkish.h"
#include "refdata/fileplan.h"
#include "widgets/filteredlist.h"

#include <algorithm>

namespace registers {
namespace {

const QString ILGNO = QStringLiteral("ILGNO");
const QString ILGDUR = QStringLiteral("ILGDUR");
const QString CEVNO = QStringLiteral("CEVNO");
const QString CEVDUR = QStringLiteral("CEVDUR");
const QString BKOD = QStringLiteral("BKOD");
const QString SDP = QStringLiteral("SDP");
const QString TESADI = QStringLiteral("TESADI");
const QString TESGOR = QStringLiteral("TESGOR");

// Only a detail code of the plan may be stored: one the plan has and no
// other code continues, as the drop-down and the picker offer them.
QString planCodeRefusal(db::Query& q, const QString& field, const QString& code)
{
    q.openLines({QStringLiteral("SELECT COUNT(*) SAY FROM SDP"), QStringLiteral("WHERE KOD=:KN")},
                {code});
    const bool inPlan = q.field(QStringLiteral("SAY")).toInt() > 0;
    q.close();
    if (!inPlan)
        return QStringLiteral("DİKKAT! %1 %2 Standart Dosya Planında Bulunamadı..")
            .arg(field, code);
    if (refdata::hasSubCodes(q, code))
        return QStringLiteral("DİKKAT! %1 %2 Bir Detay Kod Değildir. Detay Kod için İşlem "
                              "Yapmalısınız..")
            .arg(field, code);
    return {};
}

} // namespace

DocumentEntry::DocumentEntry(const RegisterTable& reg, core::TDM& dm, const core::AppContext& ctx)
    : m_reg(reg), m_dm(dm), m_ctx(ctx), m_planCodes(dm.IBDATABASE), m_departments(dm.IBDATABASE),
      m_institutions(dm.IBDATABASE), m_types(dm.IBDATABASE)
{
}

void DocumentEntry::openLists()
{
    refdata::openLeafCodes(m_planCodes);
    reopenInstitutions();
    m_types.openLines({QStringLiteral("SELECT ECINS,EKOD FROM ECINS"),
                       core::turkishOrderBy(QStringLiteral("ECINS"), widgets::CodeNameLength)});
    if (m_reg.departmentTiedToUser && m_ctx.UserDeptCode > 0)
        m_departments.openLines(
            {QStringLiteral("SELECT BIRIM,BKOD,YET,GOR FROM BIRIM WHERE BKOD=:BK")},
            {m_ctx.UserDeptCode});
    else
        m_departments.openLines({QStringLiteral("SELECT BIRIM,BKOD,YET,GOR FROM BIRIM")});
}

void DocumentEntry::reopenInstitutions()
{
    m_institutions.openLines(
        {QStringLiteral("SELECT DKURUM,DKOD FROM DISKUR"),
         core::turkishOrderBy(QStringLiteral("DKURUM"), widgets::CodeNameLength)});
}

int DocumentEntry::drawFromGenerator(const QString& generator)
{
    db::Query& q = m_dm.QRSORGU;
    q.openLines({QStringLiteral("SELECT GEN_ID(%1,1) YENINO FROM RDB$DATABASE").arg(generator)});
    const int value = int(q.field(QStringLiteral("YENINO")).toInt());
    q.close();
    return value;
}

int DocumentEntry::drawKey()
{
    return drawFromGenerator(m_reg.keyGenerator);
}

bool DocumentEntry::setUp(EntryMode mode, int kayno)
{
    m_mode = mode;
    m_link.reset(0, QString());
    m_related = {};
    m_reply = {};
    openLists();
    db::Query& q = m_dm.QRSORGU;
    if (mode == EntryMode::New) {
        kayno = drawKey();
        m_record.startNew(q, m_reg.table, kayno);
        m_record.setValue(m_reg.dateColumn, core::todayText());
        m_record.setValue(QStringLiteral("ZDUR"), QStringLiteral("İ"));
        m_record.setValue(QStringLiteral("GIZDER"), QStringLiteral("Ö"));
        m_record.setValue(CEVDUR, QStringLiteral("H"));
        m_record.setValue(CEVNO, 0);
        if (m_record.hasColumn(ILGNO))
            m_record.setValue(ILGNO, 0);
        // What a new document starts with is numbered as if the clerk had
        // chosen it, so that documents do not differ by how they were typed.
        chooseGrade(m_record.text(QStringLiteral("GIZDER")));
        if (m_reg.departmentTiedToUser && m_ctx.UserDeptCode > 0 && !m_departments.isEmpty())
            chooseDepartment(m_departments.value(0, QStringLiteral("BKOD")).toVariant());
    } else {
        if (!m_record.read(q, m_reg.table, kayno)) {
            close();
            return false;
        }
        if (m_record.hasColumn(ILGNO)) {
            m_link.reset(m_record.number(ILGNO), m_record.text(ILGDUR));
            m_related = ILGIGETIR(q, m_reg.reg, m_record.number(ILGNO), m_record.text(ILGDUR));
        }
        if (m_record.text(CEVDUR) == QLatin1String("E"))
            m_reply = CEVAPGETIR(q, m_reg.reg, m_record.number(CEVNO));
    }
    recalculate();
    return true;
}

void DocumentEntry::close()
{
    m_planCodes.close();
    m_departments.close();
    m_institutions.close();
    m_types.close();
}

void DocumentEntry::recalculate()
{
    const QString code = m_record.text(SDP);
    m_sack1.clear();
    m_sack2.clear();
    if (code.isEmpty())
        return;
    db::Query& q = m_dm.QRSORGU;
    auto title = [&q](const QString& kod) {
        q.openLines({QStringLiteral("SELECT ACIK FROM SDP"), QStringLiteral("WHERE KOD=:KN")},
                    {kod});
        const QString acik = q.isEmpty() ? QString() : q.value(0, 0).toString();
        q.close();
        return acik.left(PlanTitleLength);
    };
    m_sack1 = title(code.left(3));
    m_sack2 = title(code);
}

void DocumentEntry::setFilePlanCode(const QString& code)
{
    const QString before = m_record.text(SDP);
    m_record.setValue(SDP, code.trimmed());
    if (m_record.text(SDP) != before)
        recalculate();
}

int DocumentEntry::departmentRow() const
{
    const QVariant bkod = m_record.value(BKOD);
    if (!bkod.isNull())
        for (int r = 0; r < m_departments.rowCount(); ++r)
            if (m_departments.value(r, QStringLiteral("BKOD")).toInt() == bkod.toLongLong())
                return r;
    return m_departments.rowCount() - 1;
}

QVariant DocumentEntry::departmentValue(const QString& column) const
{
    const int row = departmentRow();
    return row < 0 ? QVariant() : m_departments.value(row, column).toVariant();
}

void DocumentEntry::chooseDepartment(const QVariant& bkod)
{
    m_record.setValue(BKOD, bkod);
    if (m_mode != EntryMode::New || !m_reg.numbersInGroups || bkod.isNull())
        return;
    m_record.setValue(
        QStringLiteral("BSIRNO"),
        nextNumberInGroup(m_dm.QRSORGU, m_reg.table, QStringLiteral("BSIRNO"), BKOD, bkod));
    fillReceiverFromDepartment();
}

void DocumentEntry::chooseGrade(const QString& letter)
{
    m_record.setValue(QStringLiteral("GIZDER"), letter);
    if (m_mode != EntryMode::New || !m_reg.numbersInGroups || letter.isEmpty())
        return;
    m_record.setValue(QStringLiteral("GSIRNO"),
                      nextNumberInGroup(m_dm.QRSORGU, m_reg.table, QStringLiteral("GSIRNO"),
                                        QStringLiteral("GIZDER"), letter));
}

void DocumentEntry::fillReceiverFromDepartment()
{
    if (departmentRow() < 0)
        return;
    auto cut = [this](const QString& column, const QString& value) {
        const db::Column* c = m_record.description(column);
        return c && c->textLength() > 0 ? value.left(c->textLength()) : value;
    };
    m_record.setValue(TESADI, cut(TESADI, departmentValue(QStringLiteral("YET")).toString()));
    m_record.setValue(TESGOR, cut(TESGOR, departmentValue(QStringLiteral("GOR")).toString()));
}

void DocumentEntry::copyPlanTitleToSubject()
{
    m_record.setValue(QStringLiteral("KONU"), m_sack2);
}

void DocumentEntry::chooseRelated(int kayno, const QString& ilgdur)
{
    m_link.choose(kayno, ilgdur);
    m_related = ILGIGETIR(m_dm.QRSORGU, m_reg.reg, kayno, m_link.ilgdur());
    m_record.setValue(ILGNO, kayno);
    if (!ilgdur.isEmpty())
        m_record.setValue(ILGDUR, ilgdur);
}

bool DocumentEntry::cancelRelated()
{
    if (!m_link.cancel())
        return false;
    // The panel empties; the type label of the outgoing entry stays.
    const QString type = m_related.typeLabel;
    m_related = {};
    m_related.typeLabel = type;
    return true;
}

std::optional<EntryRefusal> DocumentEntry::refusal() const
{
    const QStringList changed = m_record.changedColumns();
    QList<FieldCaption> fields;
    for (const FieldCaption& f : m_captions)
        if (changed.contains(f.column))
            fields << f;
    for (const QString& column : changed)
        if (std::none_of(fields.cbegin(), fields.cend(),
                         [&column](const FieldCaption& f) { return f.column == column; }))
            fields << FieldCaption{column, column};

    db::Query& q = m_dm.QRSORGU;
    for (const FieldCaption& f : fields) {
        const QVariant value = m_record.value(f.column);
        if (value.isNull())
            continue;
        const db::Column* column = m_record.description(f.column);
        const qint64 maximum = column ? column->integerMaximum() : 0;
        if (maximum > 0) {
            const QString message = core::numberRefusal(f.caption, value.toString(), maximum);
            if (!message.isEmpty())
                return EntryRefusal{f.column, message};
            continue;
        }
        if (value.typeId() != QMetaType::QString)
            continue;
        const QString text = value.toString();
        QString message;
        if (m_reg.dateColumns.contains(f.column)) {
            message = core::dateRefusal(f.caption, text);
        } else {
            message = core::textRefusal(f.caption, text, column ? column->textLength() : 0);
            if (message.isEmpty() && f.column == SDP)
                message = planCodeRefusal(q, f.caption, text);
        }
        if (!message.isEmpty())
            return EntryRefusal{f.column, message};
    }
    return std::nullopt;
}

std::optional<EntryRefusal> DocumentEntry::save()
{
    if (std::optional<EntryRefusal> refused = refusal())
        return refused;
    db::Query& q = m_dm.QRSORGU;
    const bool numbered = m_mode == EntryMode::New && m_record.number(m_reg.numberColumn) == 0;
    if (m_record.hasColumn(ILGNO))
        m_record.setValue(ILGNO, m_link.apply(q, m_reg.reg, m_record.kayno()));
    if (numbered && !m_reg.numberFromHighest)
        m_record.setValue(m_reg.numberColumn, drawFromGenerator(m_reg.numberGenerator));
    if (m_record.store(q) == 0)
        return EntryRefusal{{}, MissingDocumentMessage};
    // The highest number plus one is taken last, once the row is stored:
    // the lock it takes then lasts only until the commit below.
    if (numbered && m_reg.numberFromHighest)
        m_record.setStoredValue(m_reg.numberColumn,
                                assignRegistryNumber(q, m_reg.number(), m_record.kayno()));
    m_dm.FDTransaction1.commit();
    return std::nullopt;
}

void DocumentEntry::cancel()
{
    m_dm.FDTransaction1.rollback();
}

} // namespace registers
