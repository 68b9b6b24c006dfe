#pragma once

#include "core/prompter.h"

namespace widgets {

// Shows the real dialogs.
class WidgetPrompter : public core::Prompter {
public:
    void message(const QString& text) override;
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
};

} // namespace widgets
