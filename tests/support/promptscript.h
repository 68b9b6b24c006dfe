#pragma once

#include "core/prompter.h"
#include "support/printers.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace testsupport {

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
    PromptScript& expectOpenFile(const QString& chosenPath);
    // A file-save dialog answered with the path (empty: cancelled).
    PromptScript& expectSaveFile(const QString& chosenPath);
    // Accepting prints into pdfPath (when given) with the copies chosen.
    PromptScript& expectPrintDialog(bool accept, int copies = 1,
                                    const QString& pdfPath = QString());
    // The screen is shown (its activation runs), then the clerk's actions
    // run; they must close it. A screen that closes itself on opening
    // runs none.
    PromptScript& expectModal(const QString& objectName, std::function<void(QDialog&)> clerk);

    // Every message and question text, in order.
    QStringList shown() const { return m_shown; }
    // Titles and filters of the file dialogs, "title|filter" ("title|filter|
    // suggested name" for a save).
    QStringList fileDialogs() const { return m_fileDialogs; }
    // Checks that every expected prompt came; the destructor does it too.
    void verify();

    void message(const QString& text) override;
    bool question(const QString& text) override;
    QString openFileName(const QString& title, const QString& filter,
                         const QString& folder) override;
    QString saveFileName(const QString& title, const QString& filter,
                         const QString& suggested) override;
    bool printDialog(QPrinter& printer, bool setupOnly) override;
    int runModal(QDialog& screen) override;

private:
    enum class Kind { Message, Question, OpenFile, Print, Modal, SaveFile };
    struct Expectation {
        Kind kind;
        QString text;
        bool yes = false;
        int copies = 1;
        std::function<void(QDialog&)> clerk;
    };
    bool take(Kind kind, const QString& what, Expectation& out);

    std::deque<Expectation> m_expected;
    QStringList m_shown;
    QStringList m_fileDialogs;
    core::Prompter* m_previous = nullptr;
    bool m_verified = false;
};

} // namespace testsupport
