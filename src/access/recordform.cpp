#include "recordform.h"

#include "access/useradmin.h"
#include "core/prompter.h"

#include <QAbstractButton>

namespace useraccess {

RecordForm::RecordForm(core::AppContext& ctx, QWidget* parent)
    : widgets::Screen(parent, &ctx.CloseAllowed), m_ctx(ctx)
{
}

void RecordForm::bindButtons(QAbstractButton* save, QAbstractButton* cancel)
{
    // A title, but no buttons in it: the form is left through its own.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_saveButton = save;
    bindButton(
        save, [this] { this->save(); }, Qt::Key_F5);
    bindButton(
        cancel, [this] { this->cancel(); }, Qt::Key_F6);
}

bool RecordForm::readRow(db::Query& query, const QStringList& lines, const QVariantList& params)
{
    query.openLines(lines, params);
    if (!query.isEmpty())
        return true;
    query.close();
    return rowUpdated(0);
}

bool RecordForm::rowUpdated(quint64 rows)
{
    if (rows > 0)
        return true;
    core::Prompter::current().message(UserRowMissing);
    finish(QDialog::Rejected);
    return false;
}

void RecordForm::refuse(const QString& message, QWidget* focus)
{
    core::Prompter::current().message(message);
    focus->setFocus();
}

void RecordForm::save()
{
    if (m_saveButton && !m_saveButton->isEnabled())
        return;
    if (saveRecord())
        finish(QDialog::Accepted);
}

void RecordForm::cancel()
{
    // The row was never written: there is nothing to undo in the database.
    finish(QDialog::Rejected);
}

} // namespace useraccess
