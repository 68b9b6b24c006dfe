#include "browselist.h"

#include "ui_browselist.h"

#include "core/errors.h"
#include "core/prompter.h"
#include "links.h"

#include "lists/tfrmara.h"

namespace registers {

ListFilter departmentFilter(const QString& caption, const QString& alias, bool editable)
{
    ListFilter f = widgets::departmentFilter(caption, alias);
    f.editable = editable;
    f.departmentOfClerk = true;
    return f;
}

ListFilter replyFilter(bool editable)
{
    return {.kind = ListFilter::Kind::Choice,
            .objectName = QStringLiteral("cmbCevap"),
            .caption = QStringLiteral("Cevap Durumu"),
            .editable = editable,
            .choices = {{QStringLiteral("Tümü")},
                        {QStringLiteral("Cevap Bekleyen"),
                         QStringLiteral("WHERE CEVDUR='E' AND ILGNO=0"),
                         QStringLiteral(" AND CEVDUR='E' AND ILGNO=0")},
                        {QStringLiteral("Cevap Verilen"),
                         QStringLiteral("WHERE CEVDUR='E' AND ILGNO>0"),
                         QStringLiteral(" AND CEVDUR='E' AND ILGNO>0")}},
            .allEntry = QStringLiteral("Tümü")};
}

ListFilter gradeFilter(bool editable)
{
    return {.kind = ListFilter::Kind::Letter,
            .objectName = QStringLiteral("cmbGizlilik"),
            .caption = QStringLiteral("Gizlilik Derecesi"),
            .editable = editable,
            .firstForm = QStringLiteral("WHERE GIZDER=:GD"),
            .laterForm = QStringLiteral(" AND G1.GIZDER=:GD"),
            .choices = {{QStringLiteral("Tümü")},
                        {QStringLiteral("Çok Gizli")},
                        {QStringLiteral("Gizli")},
                        {QStringLiteral("Kişiye Özel")},
                        {QStringLiteral("Özel")}},
            .allEntry = QStringLiteral("Tümü")};
}

widgets::GridColumn listColumn(const QString& field, const QString& heading, int width, bool number)
{
    return {
        field, heading, width, (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, {}};
}

bool deleteDocument(core::TDM& dm, const RegisterTable& reg, int kayno, int ilgno,
                    const QString& ilgdur)
{
    db::Query& q = dm.QRSORGU;
    if (!mayDelete(q, reg.reg, kayno))
        return false;
    q.execLines({QStringLiteral("DELETE FROM %1 WHERE KAYNO=:KK").arg(reg.table)}, {kayno});
    if (reg.ownsTextRows)
        q.execLines({QStringLiteral("DELETE FROM TEXT WHERE KAYNO=:KK")}, {kayno});
    resetAfterDelete(q, reg.reg, kayno, ilgno, ilgdur);
    q.openLines({QStringLiteral("SELECT MAX(%1) YNO FROM %2").arg(reg.numberColumn, reg.table)},
                {});
    const qint64 highest = q.field(QStringLiteral("YNO")).toInt();
    q.close();
    q.execLines({QStringLiteral("SET GENERATOR %1 TO ").arg(reg.numberGenerator) +
                 QString::number(highest)},
                {});
    dm.FDTransaction1.commit();
    return true;
}

QString deleteQuestion(core::TDM& dm, const ListTable& table, int kayno)
{
    if (!table.reg->ownsTextRows || table.deleteWithTextQuestion.isEmpty())
        return DeleteQuestion;
    db::Query& q = dm.QRSORGU;
    q.openLines({QStringLiteral("SELECT COUNT(*) SAY FROM TEXT WHERE KAYNO=:KK")}, {kayno});
    const bool withText = q.field(QStringLiteral("SAY")).toInt() > 0;
    q.close();
    return withText ? table.deleteWithTextQuestion : DeleteQuestion;
}

BrowseList::BrowseList(const ListTable& table, core::TDM& dm, core::AppContext& ctx,
                       EntryScreen& entry, QWidget* parent)
    : widgets::FilteredListScreen(dm.IBDATABASE, parent), m_table(table), m_dm(dm), m_ctx(ctx),
      m_entry(entry), m_ui(std::make_unique<Ui::BrowseListForm>())
{
    m_ui->setupUi(this);
    widgets::FilteredListDesign design = widgets::listDesign(m_table);
    design.sizeGrip = true;
    setUpList(design, dm.QRSORGU);

    auto on = [this](QAbstractButton* button, void (BrowseList::*action)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, action] { core::guarded([this, action] { (this->*action)(); }); });
    };
    on(m_ui->btnYeni, &BrowseList::newDocument);
    on(m_ui->btnDegis, &BrowseList::editDocument);
    on(m_ui->btnSil, &BrowseList::deleteCurrent);
    on(m_ui->btnAra, &BrowseList::search);
    on(m_ui->btnCikis, &BrowseList::exit);
    connect(&grid(), &widgets::DataGrid::rowActivated, this,
            [this] { core::guarded([this] { editDocument(); }); });
    bindKey(Qt::Key_F2, m_ui->btnYeni);
    bindKey(Qt::Key_F4, m_ui->btnDegis);
    bindKey(Qt::Key_F10, m_ui->btnSil);
    bindKey(Qt::Key_F3, m_ui->btnAra);
    setEscapeButton(m_ui->btnCikis);
}

BrowseList::~BrowseList() = default;

int BrowseList::clerkDepartment() const
{
    return m_table.reg->departmentTiedToUser ? m_ctx.UserDeptCode : 0;
}

void BrowseList::newDocument()
{
    m_entry.EntryMode = EntryMode::New;
    core::Prompter::current().runModal(m_entry);
    if (m_entry.activationFailed())
        return; // nothing was entered, and the error has been told
    // The list as last built, on the newest document.
    m_list.close();
    m_list.open();
    m_list.last();
}

void BrowseList::editDocument()
{
    if (m_list.currentRow() < 0)
        return;
    m_entry.EntryMode = EntryMode::Edit;
    m_entry.EntryKayno = int(m_list.field(QStringLiteral("KAYNO")).toInt());
    core::Prompter::current().runModal(m_entry);
    if (m_entry.activationFailed())
        return;
    m_list.close();
    m_list.open();
    if (!m_list.locate(QStringLiteral("KAYNO"), m_entry.EntryKayno))
        m_list.first();
}

void BrowseList::deleteCurrent()
{
    if (m_list.currentRow() < 0)
        return;
    const int kayno = int(m_list.field(QStringLiteral("KAYNO")).toInt());
    if (!core::Prompter::current().question(deleteQuestion(m_dm, m_table, kayno)))
        return;
    // A petition has no related document: its list reads no ILGNO.
    auto column = [this](const QString& name) {
        return m_list.columnIndex(name) >= 0 ? m_list.field(name) : db::Field();
    };
    const int ilgno = int(column(QStringLiteral("ILGNO")).toInt());
    const QString ilgdur = column(QStringLiteral("ILGDUR")).toString();
    if (!deleteDocument(m_dm, *m_table.reg, kayno, ilgno, ilgdur)) {
        core::Prompter::current().message(InUseMessage);
        return;
    }
    SORGULA();
}

void BrowseList::search()
{
    if (!m_search)
        return;
    const auto reg = m_table.reg->reg == Register::Gelen   ? lists::SearchRegister::Incoming
                     : m_table.reg->reg == Register::Giden ? lists::SearchRegister::Outgoing
                                                           : lists::SearchRegister::Petition;
    m_search->limitTo(reg);
    core::Prompter::current().runModal(*m_search);
    if (m_search->result().Chosen)
        moveTo(m_search->result().ChosenKayno);
}

bool BrowseList::moveTo(int kayno)
{
    return m_list.locate(QStringLiteral("KAYNO"), kayno);
}

void BrowseList::exit()
{
    finish(QDialog::Rejected);
}

} // namespace registers
