#pragma once

#include "core/appcontext.h"
#include "db/query.h"
#include "widgets/screen.h"

class QAbstractButton;

namespace useraccess {

// The design of the forms that edit one row of USERS or RIGHTS (the user
// form, the rights editor, the password change): "F5-Kayıt" saves when the
// form's checks pass and closes, "F6-İptal" drops what was typed and
// closes; F5 and F6 press them, and a disabled button's key does nothing.
// Nothing is committed here (the password change commits its new password
// at once). The closing permission is the shared CloseAllowed, so the
// screen that opened the form accepts a close request after it until it is
// activated again.
class RecordForm : public widgets::Screen {
    Q_OBJECT
public:
    RecordForm(core::AppContext& ctx, QWidget* parent);

public slots:
    // "F5-Kayıt", only while the button is enabled.
    void save();
    // "F6-İptal".
    void cancel();

protected:
    // Wires the two buttons; called once the form's widgets exist.
    void bindButtons(QAbstractButton* save, QAbstractButton* cancel);
    // Checks and writes the row; false when refused (the form has shown
    // its message and stays open with what was typed).
    virtual bool saveRecord() = 0;
    // Reads the row the form edits onto the query (left open). When it is
    // gone (deleted from another workstation, or never there), says so and
    // closes the form: false.
    bool readRow(db::Query& query, const QStringList& lines, const QVariantList& params);
    // After the update of the row: when it hit none (the row was deleted
    // from another workstation since it was read), says so and closes the
    // form as not saved: false.
    bool rowUpdated(quint64 rows);
    // A refused save: the message, then the field to put right.
    static void refuse(const QString& message, QWidget* focus);

    core::AppContext& m_ctx;

private:
    QAbstractButton* m_saveButton = nullptr;
};

} // namespace useraccess
