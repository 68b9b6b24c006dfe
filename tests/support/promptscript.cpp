#include "promptscript.h"

#include <QApplication>
#include <QDialog>
#include <QPrinter>

#include <gtest/gtest.h>

namespace testsupport {
namespace {

const char* kindName(int k)
{
    static const char* names[] = {"message",      "question", "file dialog",
                                  "print dialog", "screen",   "file dialog of several files",
                                  "save dialog"};
    return names[k];
}

core::Prompter* installedBefore()
{
    try {
        return &core::Prompter::current();
    } catch (...) {
        return nullptr;
    }
}

} // namespace

PromptScript::PromptScript() : m_previous(installedBefore())
{
    core::Prompter::install(this);
}

PromptScript::~PromptScript()
{
    if (!m_verified)
        verify();
    core::Prompter::install(m_previous);
}

PromptScript& PromptScript::expectMessage(const QString& text)
{
    m_expected.push_back({Kind::Message, text, false, 1, {}});
    return *this;
}

PromptScript& PromptScript::expectQuestion(const QString& text, bool yes)
{
    m_expected.push_back({Kind::Question, text, yes, 1, {}});
    return *this;
}

PromptScript& PromptScript::expectOpenFile(const QString& chosenPath)
{
    m_expected.push_back({Kind::OpenFile, chosenPath, false, 1, {}});
    return *this;
}

PromptScript& PromptScript::expectOpenFiles(const QStringList& chosenPaths)
{
    m_expected.push_back(
        {Kind::OpenFiles, chosenPaths.join(QLatin1Char(',')), false, 1, {}, chosenPaths});
    return *this;
}

PromptScript& PromptScript::expectSaveFile(const QString& chosenPath)
{
    m_expected.push_back({Kind::SaveFile, chosenPath, false, 1, {}});
    return *this;
}

PromptScript& PromptScript::expectPrintDialog(bool accept, int copies, const QString& pdfPath)
{
    m_expected.push_back({Kind::Print, pdfPath, accept, copies, {}});
    return *this;
}

PromptScript& PromptScript::expectModal(const QString& objectName,
                                        std::function<void(QDialog&)> clerk)
{
    m_expected.push_back({Kind::Modal, objectName, false, 1, std::move(clerk)});
    return *this;
}

void PromptScript::verify()
{
    m_verified = true;
    for (const Expectation& e : m_expected)
        ADD_FAILURE() << "expected " << kindName(int(e.kind))
                      << " did not come: " << e.text.toStdString();
    m_expected.clear();
}

bool PromptScript::take(Kind kind, const QString& what, Expectation& out)
{
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(int(kind)) << ": " << what.toStdString();
        return false;
    }
    out = m_expected.front();
    if (out.kind != kind) {
        ADD_FAILURE() << "expected " << kindName(int(out.kind)) << " \"" << out.text.toStdString()
                      << "\" but got " << kindName(int(kind)) << ": " << what.toStdString();
        return false;
    }
    m_expected.pop_front();
    return true;
}

void PromptScript::message(const QString& text)
{
    m_shown << text;
    Expectation e;
    if (take(Kind::Message, text, e)) {
        EXPECT_EQ(text.toStdString(), e.text.toStdString());
    }
}

void PromptScript::error(const QString& text, const QString& details)
{
    m_details << details;
    message(text);
}

bool PromptScript::question(const QString& text)
{
    m_shown << text;
    Expectation e;
    if (!take(Kind::Question, text, e))
        return false;
    EXPECT_EQ(text.toStdString(), e.text.toStdString());
    return e.yes;
}

QString PromptScript::openFileName(const QString& title, const QString& filter, const QString&)
{
    m_fileDialogs << title + QLatin1Char('|') + filter;
    Expectation e;
    return take(Kind::OpenFile, title, e) ? e.text : QString();
}

QStringList PromptScript::openFileNames(const QString& title, const QString& filter, const QString&)
{
    m_fileDialogs << title + QLatin1Char('|') + filter;
    // A single file chosen in it is scripted as the single-file dialog.
    const Kind kind = !m_expected.empty() && m_expected.front().kind == Kind::OpenFile
                          ? Kind::OpenFile
                          : Kind::OpenFiles;
    Expectation e;
    if (!take(kind, title, e))
        return {};
    if (kind == Kind::OpenFiles)
        return e.files;
    return e.text.isEmpty() ? QStringList() : QStringList{e.text};
}

QString PromptScript::saveFileName(const QString& title, const QString& filter,
                                   const QString& suggested)
{
    m_fileDialogs << title + QLatin1Char('|') + filter + QLatin1Char('|') + suggested;
    Expectation e;
    return take(Kind::SaveFile, title, e) ? e.text : QString();
}

bool PromptScript::printDialog(QPrinter& printer, bool setupOnly)
{
    Expectation e;
    if (!take(Kind::Print,
              setupOnly ? QStringLiteral("printer set-up") : QStringLiteral("print dialog"), e))
        return false;
    if (!e.yes)
        return false;
    printer.setCopyCount(e.copies);
    if (!e.text.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(e.text);
    }
    return true;
}

int PromptScript::runModal(QDialog& screen)
{
    Expectation e;
    if (!take(Kind::Modal, screen.objectName(), e))
        return QDialog::Rejected;
    EXPECT_EQ(screen.objectName().toStdString(), e.text.toStdString());
    screen.setResult(0);
    screen.show();
    // A screen that found nothing to show closes once the loop runs.
    QCoreApplication::sendPostedEvents(&screen, QEvent::MetaCall);
    if (!screen.isVisible())
        return screen.result();
    // The clerk works in the screen: its function keys reach it.
    QApplication::setActiveWindow(&screen);
    if (e.clerk)
        e.clerk(screen);
    if (screen.isVisible()) {
        ADD_FAILURE() << "screen " << screen.objectName().toStdString() << " was left open";
        screen.hide();
    }
    return screen.result();
}

} // namespace testsupport
