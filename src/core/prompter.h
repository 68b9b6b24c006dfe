#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QPrinter;

namespace core {

// Every message box, question, file dialog, print dialog and modal opening
// of another screen goes through here, so that a test can answer them and
// see every text shown. The program installs the one that shows real
// dialogs; tests install a script.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A modal message box with the system's text.
    virtual void message(const QString& text) = 0;
    // The error message: its text, and the error's own text the clerk can
    // open under "Ayrıntılar". By default a message with the text alone.
    virtual void error(const QString& text, const QString& details);
    // A Yes/No question with an empty title, No preselected; true on Yes.
    virtual bool question(const QString& text) = 0;
    // A file-open dialog; the chosen path, or empty when cancelled.
    // filter uses Qt's form: "Resim Dosyası (*.jpg *.bmp)".
    virtual QString openFileName(const QString& title, const QString& filter,
                                 const QString& folder = QString()) = 0;
    // The same dialog choosing one file or several; the chosen paths in the
    // order chosen, none when cancelled. A prompter without a dialog of its
    // own for this offers the single-file one.
    virtual QStringList openFileNames(const QString& title, const QString& filter,
                                      const QString& folder = QString());
    // A file-save dialog suggesting a file name; the chosen path, or empty
    // when cancelled. A prompter that shows no file dialogs cancels.
    virtual QString saveFileName(const QString& title, const QString& filter,
                                 const QString& suggested = QString());
    // The system print dialog (printer and copies) or, with setupOnly, the
    // layout's printer set-up; false when cancelled.
    virtual bool printDialog(QPrinter& printer, bool setupOnly = false) = 0;
    // Shows a screen modally and returns when it has closed.
    virtual int runModal(QDialog& screen) = 0;

    static Prompter& current();
    // Not owned: whoever installs one keeps it alive while it is installed.
    static void install(Prompter* prompter);
};

} // namespace core
