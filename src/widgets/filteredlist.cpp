#include "filteredlist.h"

#include "datebox.h"

#include "core/errors.h"
#include "core/turkish.h"

#include <QCompleter>
#include <QEvent>
#include <QHBoxLayout>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace widgets {

namespace {

constexpr int FoldedRole = Qt::UserRole + 7;

// The entries of a list with their folded text beside them.
class FoldedNames : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == FoldedRole)
            return core::turkishUpper(QIdentityProxyModel::data(index, Qt::DisplayRole).toString());
        return QIdentityProxyModel::data(index, role);
    }
};

// Compares what is typed, folded, with the folded entries, and completes
// with the entry as stored.
class TurkishCompleter : public QCompleter {
public:
    using QCompleter::QCompleter;
    QStringList splitPath(const QString& path) const override { return {core::turkishUpper(path)}; }
    QString pathFromIndex(const QModelIndex& index) const override
    {
        return index.data(Qt::DisplayRole).toString();
    }
};

} // namespace

void completeInTurkish(QComboBox& box)
{
    auto* names = new FoldedNames(&box);
    names->setSourceModel(box.model());
    auto* completer = new TurkishCompleter(names, &box);
    completer->setCompletionRole(FoldedRole);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    box.setCompleter(completer);
    // The box keeps what was typed in front of the completion; the entry is
    // shown as stored instead, the completed part still selected.
    QObject::connect(completer, qOverload<const QString&>(&QCompleter::highlighted), &box,
                     [&box](const QString& entry) {
                         QLineEdit* edit = box.lineEdit();
                         if (!edit || edit->text() == entry)
                             return;
                         const int typed = edit->hasSelectedText() ? edit->selectionStart()
                                                                   : edit->cursorPosition();
                         edit->setText(entry);
                         edit->setSelection(int(entry.size()), typed - int(entry.size()));
                     });
}

QString namesInOrder(const QString& table, const QString& nameColumn, int length)
{
    return QStringLiteral("SELECT %1 FROM %2 ").arg(nameColumn, table) +
           core::turkishOrderBy(nameColumn, length);
}

Filter withCondition(Filter f, const QString& test)
{
    f.firstForm = QStringLiteral("WHERE ") + test;
    f.laterForm = QStringLiteral(" AND ") + test;
    return f;
}

Filter codeListFilter(const QString& objectName, const QString& caption, const QString& table,
                      const QString& nameColumn, const QString& codeColumn,
                      const QString& lookupParameter, const QString& test)
{
    return withCondition(
        {.kind = Filter::Kind::CodeList,
         .objectName = objectName,
         .caption = caption,
         .fillSql = namesInOrder(table, nameColumn),
         .lookupLines = {QStringLiteral("SELECT %1 FROM %2").arg(codeColumn, table),
                         QStringLiteral("WHERE %1=:%2").arg(nameColumn, lookupParameter)}},
        test);
}

Filter institutionFilter(const QString& caption, const QString& alias)
{
    return codeListFilter(QStringLiteral("cmbKurum"), caption, QStringLiteral("DISKUR"),
                          QStringLiteral("DKURUM"), QStringLiteral("DKOD"), QStringLiteral("D"),
                          QStringLiteral("D.DKOD=:DK AND %1.DKOD=:DK").arg(alias));
}

Filter departmentFilter(const QString& caption, const QString& alias)
{
    return codeListFilter(QStringLiteral("cmbBirim"), caption, QStringLiteral("BIRIM"),
                          QStringLiteral("BIRIM"), QStringLiteral("BKOD"), QStringLiteral("B"),
                          QStringLiteral("B.BKOD=:BK AND %1.BKOD=:BK").arg(alias));
}

void fillChoiceList(QComboBox& box, db::Query& scratch, const QString& sql, const QString& allEntry,
                    const QVariantList& params)
{
    scratch.close();
    scratch.clear();
    scratch.add(sql);
    scratch.bindAll(params);
    scratch.open();
    QStringList names{allEntry};
    for (int r = 0; r < scratch.rowCount(); ++r)
        names << scratch.value(r, 0).toString();
    scratch.close();
    const QSignalBlocker block(&box);
    box.clear();
    box.addItems(names);
    box.setCurrentIndex(0);
}

int lookupCode(db::Query& scratch, const QStringList& sqlLines, const QString& name, int noRowValue)
{
    scratch.close();
    scratch.clear();
    for (const QString& line : sqlLines)
        scratch.add(line);
    scratch.bind(0, name);
    scratch.open();
    const int code = scratch.isEmpty() ? noRowValue : int(scratch.value(0, 0).toInt());
    scratch.close();
    return code;
}

bool showsAllEntry(const QComboBox& box)
{
    const QString shown = box.currentText();
    return box.findText(shown, Qt::MatchExactly) <= 0;
}

void ConditionLine::add(const QString& firstForm, const QString& laterForm,
                        const QVariantList& params)
{
    m_line += m_line.isEmpty() ? firstForm : laterForm;
    m_params += params;
}

void ConditionLine::append(const QString& text, const QVariantList& params)
{
    m_line += text;
    m_params += params;
}

void runFilteredQuery(db::Query& query, const QStringList& fixedLines,
                      const ConditionLine& conditions, const QString& orderLine)
{
    query.close();
    query.clear();
    for (const QString& line : fixedLines)
        query.add(line);
    if (!conditions.isEmpty())
        query.add(conditions.line());
    if (!orderLine.isEmpty())
        query.add(orderLine);
    query.bindAll(conditions.params());
    query.open();
}

namespace {

using Kind = Filter::Kind;

// A condition with every one of its parameters taking the filter's value.
void addCondition(ConditionLine& line, const QString& firstForm, const QString& laterForm,
                  const QVariant& value)
{
    const qsizetype count = db::parseParameters(firstForm).names.size();
    line.add(firstForm, laterForm, QVariantList(count, value));
}

const FilterChoice* choiceShown(const Filter& f, const QString& shown)
{
    for (const FilterChoice& c : f.choices)
        if (c.text == shown)
            return &c;
    return nullptr;
}

} // namespace

ConditionLine filterConditions(const QList<Filter>& filters, const QList<FilterValue>& values,
                               const QString& baseCondition)
{
    ConditionLine line;
    if (!baseCondition.isEmpty())
        line.append(baseCondition);
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const Filter& f = filters[i];
        const FilterValue v = values.value(i);
        switch (f.kind) {
        case Kind::CodeList:
            if (v.fixed || v.shown != f.allEntry)
                addCondition(line, f.firstForm, f.laterForm, v.value);
            break;
        case Kind::Choice: {
            const FilterChoice* c = choiceShown(f, v.shown);
            if (c && !c->firstForm.isEmpty())
                addCondition(line, c->firstForm, c->laterForm, c->param);
            else if (!f.firstForm.isEmpty() && v.shown != f.firstEntry())
                addCondition(line, f.firstForm, f.laterForm, v.value);
            break;
        }
        case Kind::Letter:
            if (!v.shown.isEmpty() && v.shown != f.firstEntry())
                addCondition(line, f.firstForm, f.laterForm, v.shown.left(1));
            break;
        case Kind::Position:
            if (v.shown != f.firstEntry()) {
                const FilterChoice* c = choiceShown(f, v.shown);
                addCondition(line, f.firstForm, f.laterForm,
                             c ? int(c - f.choices.constData()) : -1);
            }
            break;
        case Kind::Text:
            if (!v.shown.isEmpty())
                addCondition(line, f.firstForm, f.laterForm,
                             QLatin1Char('%') + v.shown + QLatin1Char('%'));
            break;
        case Kind::Date:
            if (v.shown != DateBox::EmptyText)
                addCondition(line, f.firstForm, f.laterForm, v.shown);
            break;
        }
    }
    return line;
}

FilterStrip::FilterStrip(QList<Filter> filters, db::Query& scratch, StripLook look, QWidget* parent)
    : QWidget(parent), m_filters(std::move(filters)), m_scratch(scratch), m_look(look)
{
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < m_filters.size(); ++i) {
        QWidget* w = makeWidget(i);
        w->setObjectName(m_filters[i].objectName);
        m_widgets.append(w);
        m_values.append(QVariant());
        m_fixed.append(false);
        reset(i);
        place(i, w);
    }
    if (rows->count() == 0)
        rows->addLayout(new QHBoxLayout);
}

QWidget* FilterStrip::makeWidget(int i)
{
    const Filter& f = m_filters[i];
    auto changedHere = [this, i] { core::guarded([this, i] { filterChanged(i); }); };
    switch (f.kind) {
    case Kind::Text: {
        auto* edit = new QLineEdit(this);
        if (f.maxLength > 0)
            edit->setMaxLength(f.maxLength);
        connect(edit, &QLineEdit::textChanged, this, changedHere);
        return edit;
    }
    case Kind::Date: {
        auto* box = new DateBox(this);
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) +
                             16);
        // Enter and the double-click are caught before the box: a partly
        // typed date does not fill the mask, and the box would not report
        // its Enter.
        box->installEventFilter(this);
        return box;
    }
    default: {
        auto* combo = new QComboBox(this);
        combo->setEditable(f.editable);
        combo->setInsertPolicy(QComboBox::NoInsert);
        if (f.editable)
            completeInTurkish(*combo);
        combo->setMinimumContentsLength(f.width > 0 ? f.width : f.kind == Kind::CodeList ? 20 : 12);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        for (const FilterChoice& c : f.choices)
            combo->addItem(c.text);
        connect(combo, &QComboBox::currentTextChanged, this, changedHere);
        return combo;
    }
    }
}

void FilterStrip::place(int i, QWidget* widget)
{
    auto* rows = static_cast<QVBoxLayout*>(layout());
    const int row = m_look.perRow > 0 ? i / m_look.perRow : 0;
    while (rows->count() <= row)
        rows->addLayout(new QHBoxLayout);
    auto* line = static_cast<QHBoxLayout*>(rows->itemAt(row)->layout());
    const Filter& f = m_filters[i];
    auto* caption = new QLabel(f.caption, this);
    caption->setBuddy(widget);
    const bool wide = f.kind == Kind::CodeList || f.kind == Kind::Text;
    if (m_look.captionsAbove) {
        auto* column = new QVBoxLayout;
        column->addWidget(caption);
        column->addWidget(widget);
        line->addLayout(column, f.kind == Kind::Date ? 0 : wide ? 2 : 1);
    } else {
        line->addWidget(caption);
        line->addWidget(widget, wide ? 1 : 0);
    }
}

void FilterStrip::addTrailing(QWidget* widget)
{
    auto* rows = static_cast<QVBoxLayout*>(layout());
    auto* line = static_cast<QHBoxLayout*>(rows->itemAt(rows->count() - 1)->layout());
    line->addWidget(widget, 0, m_look.captionsAbove ? Qt::AlignBottom : Qt::Alignment());
}

QComboBox* FilterStrip::list(int filter) const
{
    return qobject_cast<QComboBox*>(widget(filter));
}

DateBox* FilterStrip::dateBox() const
{
    for (QWidget* w : m_widgets)
        if (auto* box = qobject_cast<DateBox*>(w))
            return box;
    return nullptr;
}

void FilterStrip::reset(int i)
{
    const Filter& f = m_filters[i];
    m_fixed[i] = false;
    switch (f.kind) {
    case Kind::CodeList:
        m_values[i] = -1;
        break;
    case Kind::Text: {
        auto* edit = static_cast<QLineEdit*>(m_widgets[i]);
        const QSignalBlocker block(edit);
        edit->clear();
        break;
    }
    case Kind::Date:
        emptyDate();
        break;
    default: {
        auto* combo = static_cast<QComboBox*>(m_widgets[i]);
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(0);
        m_values[i] = f.choices.isEmpty() ? QVariant() : f.choices.first().param;
        break;
    }
    }
}

void FilterStrip::fill(int clerkDepartment)
{
    for (int i = 0; i < m_filters.size(); ++i) {
        const Filter& f = m_filters[i];
        if (f.kind != Kind::CodeList) {
            if (!f.kept)
                reset(i);
            continue;
        }
        QComboBox& box = *list(i);
        reset(i);
        box.setEnabled(true);
        if (f.departmentOfClerk && clerkDepartment != 0) {
            fillChoiceList(box, m_scratch, QStringLiteral("SELECT BIRIM FROM BIRIM WHERE BKOD=:BK"),
                           f.allEntry, {clerkDepartment});
            const QSignalBlocker block(&box);
            box.setCurrentIndex(box.count() - 1);
            box.setEnabled(false);
            m_values[i] = clerkDepartment;
            m_fixed[i] = true;
            continue;
        }
        fillChoiceList(box, m_scratch, f.fillSql, f.allEntry);
    }
}

void FilterStrip::emptyDate()
{
    if (DateBox* box = dateBox()) {
        const QSignalBlocker block(box);
        box->setValue(QString());
    }
}

void FilterStrip::filterChanged(int filter)
{
    const Filter& f = m_filters[filter];
    if (QComboBox* box = list(filter)) {
        const QString shown = box->currentText();
        if (f.kind == Kind::CodeList) {
            m_values[filter] =
                showsAllEntry(*box) ? -1 : lookupCode(m_scratch, f.lookupLines, shown, 0);
        } else if (const FilterChoice* c = choiceShown(f, shown)) {
            // A typed text that is no entry keeps the value chosen last.
            m_values[filter] = c->param;
        }
        if (f.emptiesDate && shown != f.firstEntry())
            emptyDate();
    }
    emit changed(filter);
}

QList<FilterValue> FilterStrip::values() const
{
    QList<FilterValue> values;
    for (int i = 0; i < m_filters.size(); ++i) {
        QString shown;
        if (auto* box = qobject_cast<DateBox*>(m_widgets[i]))
            shown = box->value();
        else if (auto* edit = qobject_cast<QLineEdit*>(m_widgets[i]))
            shown = edit->text();
        else
            shown = list(i)->currentText();
        values.append({shown, m_values[i], m_fixed[i]});
    }
    return values;
}

bool FilterStrip::eventFilter(QObject* watched, QEvent* event)
{
    const int i = int(m_widgets.indexOf(static_cast<QWidget*>(watched)));
    if (i < 0 || m_filters[i].kind != Kind::Date)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonDblClick) {
        emptyDate();
        core::guarded([this, i] { filterChanged(i); });
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            core::guarded([this, i] { filterChanged(i); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace widgets
