#pragma once

#include "core/errors.h"
#include "core/prompter.h"
#include "support/printers.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace testsupport {

// The error message's text for a cause: "BİR HATA OLUŞTU:" and, under it,
// what happened.
inline QString errorText(core::ErrorCause cause)
{
    return core::ErrorHeading + QLatin1Char('\n') + core::causeText(cause);
}

// The test's stand-in for every dialog: it takes the prompts the test
// expects, in order, with their answers, records every text shown, and fails
// the test on a prompt it was not told to expect instead of waiting for a
// click. Installed while it lives.
class PromptScript : public core::Prompter {
public:
    PromptScript();
    ~PromptScript() override;

    PromptScript& expectMessage(const QString& text);
    PromptScript& expectQuestion(const QString& text, bool yes);
    // A file dialog; an empty path is a cancelled one. It answers both the
    // single-file dialog and the one that may choose several.
    PromptScript& expectOpenFile(const QString& chosenPath);
    // The dialog that may choose several files; none is a cancelled one.
    PromptScript& expectOpenFiles(const QStringList& chosenPaths);
    // A file-save dialog answered with the path (empty: cancelled).
    PromptScript& expectSaveFile(const QString& chosenPath);
    // Accepting prints into pdfPath (when given) with the copies chosen.
    PromptScript& expectPrintDialog(bool accept, int copies = 1,
                                    const QString& pdfPath = QString());
    // The screen is shown (its activation runs), then the clerk's actions
    // run; they must close it. A screen that closes itself on opening
    // runs none.
    PromptScript& expectModal(const QString& objectName, std::function<void(QDialog&)> clerk);

    // Every message and question text, in order (an error's text without
    // its details).
    QStringList shown() const { return m_shown; }
    // The details of every error shown, in order.
    QStringList errorDetails() const { return m_details; }
    // Titles and filters of the file dialogs, "title|filter" ("title|filter|
    // suggested name" for a save).
    QStringList fileDialogs() const { return m_fileDialogs; }
    // Checks that every expected prompt came; the destructor does it too.
    void verify();

    void message(const QString& text) override;
    // An error counts as a message with its text.
    void error(const QString& text, const QString& details) override;
    bool question(const QString& text) override;
    QString openFileName(const QString& title, const QString& filter,
                         const QString& folder) override;
    QStringList openFileNames(const QString& title, const QString& filter,
                              const QString& folder) override;
    QString saveFileName(const QString& title, const QString& filter,
                         const QString& suggested) override;
    bool printDialog(QPrinter& printer, bool setupOnly) override;
    int runModal(QDialog& screen) override;

private:
    enum class Kind { Message, Question, OpenFile, Print, Modal, OpenFiles, SaveFile };
    struct Expectation {
        Kind kind;
        QString text;
        bool yes = false;
        int copies = 1;
        std::function<void(QDialog&)> clerk;
        QStringList files;
    };
    bool take(Kind kind, const QString& what, Expectation& out);

    std::deque<Expectation> m_expected;
    QStringList m_shown;
    QStringList m_fileDialogs;
    QStringList m_details;
    core::Prompter* m_previous = nullptr;
    bool m_verified = false;
};

} // namespace testsupport
