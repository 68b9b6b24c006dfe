#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace db {
class Query;
struct Column;
} // namespace db
namespace widgets {
class CodeWordCombo;
class DateBox;
} // namespace widgets

namespace registers {

class DocumentRecord;

// The widgets of an entry screen tied to the columns of its record: shows
// the record in them and reads back what the clerk typed or chose. Every
// box is limited to its column as the file describes it (applyLimits), so
// nothing is cut by the database and a wider column needs no new program.
class EntryForm : public QObject {
    Q_OBJECT
public:
    explicit EntryForm(QObject* parent = nullptr) : QObject(parent) {}

    // A text column.
    void bindText(const QString& column, QLineEdit* box);
    // An integer column: digits only, within the column's range.
    void bindNumber(const QString& column, QLineEdit* box);
    // A date column through the date mask; an empty box stores nothing.
    void bindDate(const QString& column, widgets::DateBox* box);
    // A multi-line text column, a text blob included.
    void bindPlainText(const QString& column, QPlainTextEdit* box);
    // A one-letter code column shown as its word.
    void bindCodeWords(const QString& column, widgets::CodeWordCombo* box);
    // A code column chosen by name from a list (the name and the code
    // columns of its query), as the department and institution lists.
    void bindLookup(const QString& column, QComboBox* box, db::Query& list,
                    const QString& nameColumn, const QString& codeColumn);
    // A code column chosen from a list of codes or typed, as the file plan.
    void bindCodeList(const QString& column, QComboBox* box, db::Query& list,
                      const QString& codeColumn);

    // Gives each box its column's limits as the record's table describes
    // them.
    void applyLimits(const DocumentRecord& record);
    // Refills the drop-downs from their queries.
    void fillLists();
    // Refills the one drop-down of the query.
    void fillList(const db::Query& list);
    // Shows every value of the record.
    void show(const DocumentRecord& record);
    // Takes what a box shows into the record.
    void collect(const QString& column, DocumentRecord& record) const;
    void collectAll(DocumentRecord& record) const;

    QWidget* widget(const QString& column) const;

signals:
    // The clerk changed a value: typed, chose or pasted.
    void edited(const QString& column);

private:
    struct Binding {
        QString column;
        QWidget* widget = nullptr;
        std::function<QVariant()> read;
        std::function<void(const QVariant&)> write;
        std::function<void()> fill;
        const db::Query* list = nullptr;
        std::function<void(const db::Column&)> limit;
    };
    void add(Binding binding);
    const Binding* find(const QString& column) const;
    // A change the clerk made; the form's own writing is none.
    void notify(const QString& column);

    QList<Binding> m_bindings;
    bool m_writing = false;
};

} // namespace registers
