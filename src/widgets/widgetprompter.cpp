#include "widgetprompter.h"

#include "errorbox.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace widgets {

void WidgetPrompter::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void WidgetPrompter::error(const QString& text, const QString& details)
{
    ErrorBox box(text, details, QApplication::activeWindow());
    box.exec();
}

bool WidgetPrompter::question(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString WidgetPrompter::openFileName(const QString& title, const QString& filter,
                                     const QString& folder)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
}

QStringList WidgetPrompter::openFileNames(const QString& title, const QString& filter,
                                          const QString& folder)
{
    return QFileDialog::getOpenFileNames(QApplication::activeWindow(), title, folder, filter);
}

QString WidgetPrompter::saveFileName(const QString& title, const QString& filter,
                                     const QString& suggested)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggested, filter);
}

bool WidgetPrompter::printDialog(QPrinter& printer, bool setupOnly)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (setupOnly)
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

int WidgetPrompter::runModal(QDialog& screen)
{
    return screen.exec();
}

} // namespace widgets
