#pragma once

#include <QLineEdit>

namespace widgets {

// The date box of the system: the mask "!99/99/0000;1;_" with the date
// separator ".", so a date is typed as dd.mm.yyyy and stored as the ten
// characters shown. An empty box reads "  .  .    ". The mask checks only
// digits; an impossible date such as 05.13.2024 goes through as typed.
class DateBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

    static const QString EmptyText;

    // The ten characters as stored, blanks as spaces.
    QString value() const;
    void setValue(const QString& stored);
    bool isBlank() const { return value() == EmptyText; }
};

} // namespace widgets
