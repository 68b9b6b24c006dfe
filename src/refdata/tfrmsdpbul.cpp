#include "tfrmsdpbul.h"

#include "ui_tfrmsdpbul.h"

#include "core/errors.h"
#include "core/prompter.h"
#include "widgets/filteredlist.h"

#include <QFocusEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace refdata {
namespace {

const QString ChoiceRefused = QStringLiteral("DİKKAT! Detay Kod için İşlem Yapmalısınız..");

// Cells the colour rule gives a colour to: filled with the background the
// grid chose (the selection colour on the selected row), the text drawn in
// the rule's colour 2 pixels in from the left and top edges. Other cells
// keep the grid's normal drawing.
class PlanCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QVariant color = index.data(Qt::ForegroundRole);
        if (!color.canConvert<QColor>()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (opt.state & QStyle::State_Active)
                                               ? QPalette::Active
                                               : QPalette::Inactive;
        painter->save();
        if (opt.state & QStyle::State_Selected)
            painter->fillRect(opt.rect, opt.palette.brush(group, QPalette::Highlight));
        else
            painter->fillRect(opt.rect, opt.palette.brush(group, QPalette::Base));
        painter->setPen(color.value<QColor>());
        painter->setFont(opt.font);
        const QRect text = opt.rect.adjusted(2, 2, -2, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignTop,
                          opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, text.width()));
        painter->restore();
    }
};

// Entering a box is a focus the clerk moved there, not the window getting
// the focus back (after a message box, for instance).
bool entered(QEvent* event)
{
    if (event->type() != QEvent::FocusIn)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

} // namespace

TFRMSDPBUL::TFRMSDPBUL(core::TDM& dm, core::AppContext& ctx, QWidget* parent)
    : widgets::Screen(parent, &ctx.CloseAllowed), m_dm(dm), m_list(dm.IBDATABASE),
      m_main(dm.IBDATABASE), m_ui(std::make_unique<Ui::FilePlanPickerForm>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("TFRMSDPBUL"));
    setWindowTitle(QStringLiteral("STANDART DOSYA PLANI LİSTESİ"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    const QList<widgets::GridColumn> columns = {
        {QStringLiteral("KOD"),
         QStringLiteral("H.Kodu"),
         120,
         Qt::AlignLeft | Qt::AlignVCenter,
         {}},
        {QStringLiteral("ACIK"),
         QStringLiteral("Hesap Adı"),
         0,
         Qt::AlignLeft | Qt::AlignVCenter,
         {}},
    };
    m_ui->grdListe->bind(m_list, columns);
    m_ui->grdListe->setItemDelegate(new PlanCellDelegate(m_ui->grdListe));
    m_ui->grdListe->queryModel()->setRowColors([this](int row) {
        const QString code = m_list.value(row, QStringLiteral("KOD")).toString();
        return widgets::RowColors{
            {}, planCodeColor(code, m_list.value(row, SubCodeColumn).toInt() > 0)};
    });
    m_ui->grdAnaKod->bind(m_main, columns);
    m_ui->grdAnaKod->setColumnWidth(0, 60);

    connect(m_ui->edtKod, &QLineEdit::textChanged, this,
            [this] { core::guarded([this] { SORGULA(); }); });
    connect(m_ui->edtAcik, &QLineEdit::textChanged, this,
            [this] { core::guarded([this] { SORGULA(); }); });
    connect(m_ui->edtKod, &QLineEdit::returnPressed, this,
            [this] { core::guarded([this] { choose(); }); });
    connect(m_ui->edtAcik, &QLineEdit::returnPressed, this,
            [this] { core::guarded([this] { choose(); }); });
    m_ui->edtKod->installEventFilter(this);
    m_ui->edtAcik->installEventFilter(this);
    connect(m_ui->grdListe, &widgets::DataGrid::rowActivated, this,
            [this] { core::guarded([this] { choose(); }); });
    connect(&m_main, &db::Query::currentRowChanged, this,
            [this](int row) { core::guarded([this, row] { mainCodeMoved(row); }); });
    connect(m_ui->btnCikis, &QPushButton::clicked, this,
            [this] { core::guarded([this] { exit(); }); });
    setEscapeButton(m_ui->btnCikis);
}

TFRMSDPBUL::~TFRMSDPBUL() = default;

void TFRMSDPBUL::activate()
{
    SORGULA();
    if (!m_main.isActive()) {
        m_main.clear();
        for (const QString& line : mainCodeLines())
            m_main.add(line);
        m_main.open(); // the first row becomes current: the code box follows it
    }
    const int before = m_main.currentRow();
    if (m_main.locate(QStringLiteral("KOD"), QStringLiteral("806")) &&
        m_main.currentRow() == before)
        mainCodeMoved(before); // already there: the code box is written again all the same
    m_ui->grdListe->setFocus();
}

void TFRMSDPBUL::deactivate()
{
    m_list.close();
    m_dm.QRSORGU.close();
}

bool TFRMSDPBUL::eventFilter(QObject* watched, QEvent* event)
{
    if (entered(event)) {
        if (watched == m_ui->edtKod)
            core::guarded([this] { enterCodeBox(); });
        else if (watched == m_ui->edtAcik)
            core::guarded([this] { enterDescriptionBox(); });
    }
    return widgets::Screen::eventFilter(watched, event);
}

void TFRMSDPBUL::enterCodeBox()
{
    {
        const QSignalBlocker quiet(m_ui->edtAcik);
        m_ui->edtAcik->clear();
    }
    m_mode = SearchMode::Code;
    SORGULA();
}

void TFRMSDPBUL::enterDescriptionBox()
{
    {
        const QSignalBlocker quiet(m_ui->edtKod);
        m_ui->edtKod->clear();
    }
    m_mode = SearchMode::Description;
    SORGULA();
}

void TFRMSDPBUL::mainCodeMoved(int row)
{
    if (row < 0)
        return;
    {
        const QSignalBlocker quiet(m_ui->edtKod);
        m_ui->edtKod->setText(m_main.value(row, QStringLiteral("KOD")).toString());
    }
    SORGULA();
}

void TFRMSDPBUL::SORGULA()
{
    runPlanQuery(m_list, m_mode,
                 m_mode == SearchMode::Description ? m_ui->edtAcik->text() : m_ui->edtKod->text());
}

void TFRMSDPBUL::choose()
{
    const QString code =
        m_list.currentRow() >= 0 ? m_list.field(QStringLiteral("KOD")).toString() : QString();
    if (hasSubCodes(m_dm.QRSORGU, code)) {
        core::Prompter::current().message(ChoiceRefused);
        return;
    }
    m_result.Chosen = true;
    m_result.ChosenCode = code;
    finish(QDialog::Accepted);
}

void TFRMSDPBUL::exit()
{
    m_result.Chosen = false;
    finish(QDialog::Rejected);
}

} // namespace refdata
