#include "entryform.h"

#include "documentrecord.h"

#include "db/query.h"
#include "widgets/codewordcombo.h"
#include "widgets/datebox.h"
#include "widgets/textmark.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <algorithm>

namespace registers {
namespace {

int indexOfCode(const QComboBox& box, const QVariant& code)
{
    if (code.isNull())
        return -1;
    for (int i = 0; i < box.count(); ++i)
        if (!box.itemData(i).isNull() && box.itemData(i).toLongLong() == code.toLongLong())
            return i;
    return -1;
}

} // namespace

void EntryForm::notify(const QString& column)
{
    if (!m_writing)
        emit edited(column);
}

void EntryForm::add(Binding binding)
{
    m_bindings.append(std::move(binding));
}

const EntryForm::Binding* EntryForm::find(const QString& column) const
{
    for (const Binding& b : m_bindings)
        if (b.column == column)
            return &b;
    return nullptr;
}

QWidget* EntryForm::widget(const QString& column) const
{
    const Binding* b = find(column);
    return b ? b->widget : nullptr;
}

void EntryForm::bindText(const QString& column, QLineEdit* box)
{
    connect(box, &QLineEdit::textEdited, this, [this, column] { notify(column); });
    add({column,
         box,
         [box] { return QVariant(box->text()); },
         [box](const QVariant& v) { box->setText(v.toString()); },
         {},
         nullptr,
         [box](const db::Column& c) { widgets::markText(*box, c.textLength()); }});
    widgets::markText(*box, 0);
}

void EntryForm::bindNumber(const QString& column, QLineEdit* box)
{
    // Digits only, as many as typed or pasted: a number larger than its
    // column holds is marked and refused at saving, never cut.
    static const QRegularExpression digits(QStringLiteral("[0-9]*"));
    box->setValidator(new QRegularExpressionValidator(digits, box));
    connect(box, &QLineEdit::textEdited, this, [this, column] { notify(column); });
    add({column,
         box,
         [box]() -> QVariant {
             const QString t = box->text().trimmed();
             if (t.isEmpty())
                 return {};
             bool ok = false;
             const qint64 value = t.toLongLong(&ok);
             // Too many digits for any integer: kept as typed for the refusal.
             return ok ? QVariant(value) : QVariant(t);
         },
         [box](const QVariant& v) {
             box->setText(v.isNull() ? QString() : QString::number(v.toLongLong()));
         },
         {},
         nullptr,
         [box](const db::Column& c) { widgets::markNumber(*box, c.integerMaximum()); }});
}

void EntryForm::bindDate(const QString& column, widgets::DateBox* box)
{
    connect(box, &QLineEdit::textEdited, this, [this, column] { notify(column); });
    add({column,
         box,
         [box] { return box->isBlank() ? QVariant() : QVariant(box->value()); },
         [box](const QVariant& v) { box->setValue(v.toString()); },
         {},
         nullptr});
}

void EntryForm::bindPlainText(const QString& column, QPlainTextEdit* box)
{
    box->setTabChangesFocus(true);
    widgets::markText(*box, 0);
    connect(box, &QPlainTextEdit::textChanged, this, [this, column] { notify(column); });
    add({column,
         box,
         [box] { return QVariant(box->toPlainText()); },
         [box](const QVariant& v) { box->setPlainText(v.toString()); },
         {},
         nullptr,
         [box](const db::Column& c) { widgets::markText(*box, c.textLength()); }});
}

void EntryForm::bindCodeWords(const QString& column, widgets::CodeWordCombo* box)
{
    connect(box, &QComboBox::activated, this, [this, column] { notify(column); });
    add({column,
         box,
         [box] { return QVariant(box->letter()); },
         [box](const QVariant& v) { box->setLetter(v.toString()); },
         {},
         nullptr});
}

void EntryForm::bindLookup(const QString& column, QComboBox* box, db::Query& list,
                           const QString& nameColumn, const QString& codeColumn)
{
    box->setEditable(false);
    connect(box, &QComboBox::activated, this, [this, column] { notify(column); });
    add({column, box, [box] { return box->currentIndex() < 0 ? QVariant() : box->currentData(); },
         [box](const QVariant& v) { box->setCurrentIndex(indexOfCode(*box, v)); },
         [box, &list, nameColumn, codeColumn] {
             box->clear();
             const int name = list.columnIndex(nameColumn);
             const int code = list.columnIndex(codeColumn);
             for (int r = 0; r < list.rowCount(); ++r)
                 box->addItem(list.value(r, name).toString(),
                              list.value(r, code).toVariant().toLongLong());
         },
         &list});
}

void EntryForm::bindCodeList(const QString& column, QComboBox* box, db::Query& list,
                             const QString& codeColumn)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Every change of the text counts, the completion of a typed code too,
    // so that what is stored is what the box shows.
    connect(box->lineEdit(), &QLineEdit::textChanged, this, [this, column] { notify(column); });
    add({column, box, [box] { return QVariant(box->currentText().trimmed()); },
         [box](const QVariant& v) {
             const int i = box->findText(v.toString(), Qt::MatchExactly);
             box->setCurrentIndex(i);
             box->setEditText(v.toString());
         },
         [box, &list, codeColumn] {
             box->clear();
             const int code = list.columnIndex(codeColumn);
             QStringList codes;
             codes.reserve(list.rowCount());
             for (int r = 0; r < list.rowCount(); ++r)
                 codes << list.value(r, code).toString();
             box->addItems(codes);
         },
         &list,
         [box](const db::Column& c) { widgets::markText(*box->lineEdit(), c.textLength()); }});
}

void EntryForm::applyLimits(const DocumentRecord& record)
{
    for (const Binding& b : m_bindings)
        if (b.limit)
            if (const db::Column* c = record.description(b.column))
                b.limit(*c);
}

void EntryForm::fillLists()
{
    const QScopedValueRollback writing(m_writing, true);
    for (const Binding& b : m_bindings)
        if (b.fill) {
            const QSignalBlocker block(b.widget);
            b.fill();
        }
}

void EntryForm::fillList(const db::Query& list)
{
    const QScopedValueRollback writing(m_writing, true);
    for (const Binding& b : m_bindings)
        if (b.fill && b.list == &list) {
            const QSignalBlocker block(b.widget);
            b.fill();
        }
}

void EntryForm::show(const DocumentRecord& record)
{
    const QScopedValueRollback writing(m_writing, true);
    for (const Binding& b : m_bindings) {
        const QSignalBlocker block(b.widget);
        b.write(record.value(b.column));
    }
}

void EntryForm::collect(const QString& column, DocumentRecord& record) const
{
    if (const Binding* b = find(column))
        record.setValue(column, b->read());
}

void EntryForm::collectAll(DocumentRecord& record) const
{
    for (const Binding& b : m_bindings)
        record.setValue(b.column, b.read());
}

} // namespace registers
