#include "documentdetail.h"

#include "ui_documentdetail.h"

#include "core/errors.h"

#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace lists {
namespace {

// "GELNO" -> "edtGelno": the object name of a column's field.
QString fieldName(const QString& column)
{
    return QStringLiteral("edt") + column.left(1).toUpper() + column.mid(1).toLower();
}

const QStringList RelatedCaptions = {QStringLiteral("Evrak No"), QStringLiteral("Tarihi"),
                                     QStringLiteral("Birimi"), QStringLiteral("Konusu (Özü)")};
const QStringList RelatedNames = {QStringLiteral("edtIlgNo"), QStringLiteral("edtIlgTarih"),
                                  QStringLiteral("edtIlgBirim"), QStringLiteral("edtIlgKonu")};

} // namespace

ReplyState replyState(const ReplyTexts& texts, const QString& cevdur, qint64 cevno,
                      const QString& no, const QString& date, const QString& place)
{
    if (cevdur == QLatin1String("H"))
        return {};
    // Only CEVNO is tested: a reply deleted since it was linked still
    // counts as sent, with an empty number and date.
    if (cevno != 0)
        return {texts.replied, QStringLiteral("No:") + no + QStringLiteral("  Tarih:") + date +
                                   QStringLiteral("  G.Yer:") + place};
    return {texts.waiting, QString()};
}

DocumentDetail::DocumentDetail(const DetailTable& table, core::TDM& dm, core::AppContext&,
                               QWidget* parent)
    : widgets::Screen(parent), m_table(table), m_home(dm.IBDATABASE),
      m_row(std::make_unique<db::Query>(dm.IBDATABASE)),
      m_ui(std::make_unique<Ui::DocumentDetail>())
{
    m_ui->setupUi(this);
    setObjectName(m_table.formName);
    setWindowTitle(m_table.title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_ui->grpKayit->setTitle(m_table.leftHeading);
    m_ui->grpEvrak->setTitle(m_table.rightHeading);
    addFields(*m_ui->layKayit, *m_ui->grpKayit, m_table.left);
    addFields(*m_ui->layEvrak, *m_ui->grpEvrak, m_table.right);
    buildRelatedStrip();
    resize(width(), sizeHint().height());

    connect(m_ui->btnCikis, &QPushButton::clicked, this,
            [this] { core::guarded([this] { exit(); }); });
    setEscapeButton(m_ui->btnCikis);
}

DocumentDetail::~DocumentDetail() = default;

QLineEdit* DocumentDetail::lineFor(QWidget& block, const QString& column, int chars)
{
    auto* edit = new QLineEdit(&block);
    edit->setObjectName(fieldName(column));
    edit->setReadOnly(true);
    if (chars > 0)
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 14);
    return edit;
}

QPlainTextEdit* DocumentDetail::multiFor(QWidget& block, const QString& column, int lines)
{
    auto* edit = new QPlainTextEdit(&block);
    edit->setObjectName(fieldName(column));
    edit->setReadOnly(true);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * lines + 12);
    edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return edit;
}

void DocumentDetail::addFields(QFormLayout& layout, QWidget& block,
                               const QList<DetailField>& fields)
{
    for (const DetailField& f : fields) {
        switch (f.shape) {
        case FieldShape::Line:
        case FieldShape::Words: {
            QLineEdit* edit = lineFor(block, f.column, f.chars);
            layout.addRow(f.caption, edit);
            m_bound.append({f.column, f.words, edit, nullptr});
            break;
        }
        case FieldShape::Multi: {
            QPlainTextEdit* edit = multiFor(block, f.column, 3);
            layout.addRow(f.caption, edit);
            m_bound.append({f.column, nullptr, nullptr, edit});
            break;
        }
        case FieldShape::Attachments: {
            auto* row = new QHBoxLayout;
            QLineEdit* count = lineFor(block, f.column, f.chars);
            QPlainTextEdit* list = multiFor(block, f.listColumn, 3);
            row->addWidget(count, 0, Qt::AlignTop);
            row->addWidget(list, 1);
            layout.addRow(f.caption, row);
            m_bound.append({f.column, nullptr, count, nullptr});
            m_bound.append({f.listColumn, nullptr, nullptr, list});
            break;
        }
        case FieldShape::Reply: {
            auto* row = new QHBoxLayout;
            QLineEdit* word = lineFor(block, f.column, f.chars);
            m_replyState = new QLabel(&block);
            m_replyState->setObjectName(QStringLiteral("lblCevapDurumu"));
            QFont bold = m_replyState->font();
            bold.setBold(true);
            m_replyState->setFont(bold);
            row->addWidget(word);
            row->addWidget(m_replyState, 1);
            layout.addRow(f.caption, row);
            m_replyDetails = new QLabel(&block);
            m_replyDetails->setObjectName(QStringLiteral("lblCevapBilgi"));
            // The labels keep their line's height when the block is taller
            // than its rows.
            m_replyState->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
            m_replyDetails->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
            layout.addRow(QString(), m_replyDetails);
            m_bound.append({f.column, f.words, word, nullptr});
            break;
        }
        }
    }
}

void DocumentDetail::buildRelatedStrip()
{
    if (m_table.related.isEmpty()) {
        m_ui->grpIlgili->hide();
        return;
    }
    m_ui->grpIlgili->setTitle(m_table.related.first().heading);
    QGridLayout& grid = *m_ui->layIlgili;
    const int widths[] = {8, 10, 0, 0};
    for (int i = 0; i < RelatedCaptions.size(); ++i) {
        auto* edit = new QLineEdit(m_ui->grpIlgili);
        edit->setObjectName(RelatedNames[i]);
        edit->setReadOnly(true);
        if (widths[i] > 0)
            edit->setFixedWidth(
                edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * widths[i] + 14);
        auto* caption = new QLabel(RelatedCaptions[i], m_ui->grpIlgili);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        caption->setBuddy(edit);
        // "Evrak No", "Tarihi" and "Birimi" on one line, the subject below.
        const int row = i < 3 ? 0 : 1;
        const int col = i < 3 ? i * 2 : 0;
        grid.addWidget(caption, row, col);
        grid.addWidget(edit, row, col + 1, 1, i < 3 ? 1 : 5);
        m_related.append(edit);
    }
    grid.setColumnStretch(5, 1);
}

void DocumentDetail::setSource(db::Database* other, const QString& year)
{
    db::Database& source = other ? *other : m_home;
    if (&m_row->database() != &source)
        m_row = std::make_unique<db::Query>(source);
    setWindowTitle(year.isEmpty() ? m_table.title
                                  : QStringLiteral("%1 (%2)").arg(m_table.title, year));
}

void DocumentDetail::activate()
{
    db::Query& row = *m_row;
    row.close();
    row.clear();
    for (const QString& line : m_table.sqlLines)
        row.add(line);
    row.bind(0, DetailKayno);
    row.open();
    showFields();
    showRelated();
    CEVAPDURUMU();
    m_ui->btnCikis->setFocus();
}

void DocumentDetail::deactivate()
{
    m_row->close();
}

QString DocumentDetail::text(const QString& column) const
{
    return m_row->field(column).toString();
}

void DocumentDetail::showFields()
{
    for (const Bound& b : m_bound) {
        const QString value = text(b.column);
        const QString shown = b.words ? core::wordOf(*b.words, value) : value;
        if (b.line) {
            b.line->setText(shown);
            b.line->home(false);
        } else {
            b.multi->setPlainText(shown);
        }
    }
}

void DocumentDetail::showRelated()
{
    if (m_table.related.isEmpty())
        return;
    const QString switchValue =
        m_table.relatedSwitch.isEmpty() ? QString() : text(m_table.relatedSwitch);
    const RelatedSource* source = nullptr;
    for (const RelatedSource& s : m_table.related)
        if (s.when.isEmpty() || s.when == switchValue) {
            source = &s;
            break;
        }
    m_ui->grpIlgili->setTitle(source ? source->heading : m_table.related.first().heading);
    for (int i = 0; i < m_related.size(); ++i) {
        m_related[i]->setText(source ? text(source->columns.value(i)) : QString());
        m_related[i]->home(false);
    }
}

void DocumentDetail::CEVAPDURUMU()
{
    m_replyState->clear();
    m_replyDetails->clear();
    const ReplyState s =
        replyState(m_table.replyTexts, text(QStringLiteral("CEVDUR")),
                   m_row->field(QStringLiteral("CEVNO")).toInt(), text(m_table.replyNoColumn),
                   text(m_table.replyDateColumn), text(m_table.replyPlaceColumn));
    m_replyState->setText(s.state);
    m_replyDetails->setText(s.details);
}

void DocumentDetail::exit()
{
    finish(QDialog::Rejected);
}

} // namespace lists
