#pragma once

#include "core/errors.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <stdexcept>

class QPrinter;
class QPrintPreviewWidget;

namespace report {

class Layout;

// The title of every preview window.
inline const QString PreviewTitle = QStringLiteral("Baskı Önizleme");

// The preview of a layout: a window of its own beside the calling screen,
// maximised, zoomed to the page width, printing from its tool bar. It does
// not block the caller; closing it hands the focus back.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    PreviewWindow(Layout& layout, std::unique_ptr<QPrinter> printer, QWidget* caller);
    ~PreviewWindow() override;

    Layout& layout() const { return m_layout; }
    int pageCount() const;
    QPrinter& printer() const { return *m_printer; }
    // Prints what the preview shows, with the copies chosen; its button
    // reports a failure through the application error handler.
    void print();
    // "PDF Olarak Kaydet": what the preview shows, one copy, to a PDF file
    // the clerk names. Returns the path written; empty when the dialog was
    // cancelled.
    QString saveAsPdf();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Layout& m_layout;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_view;
};

// Which dialog comes first: the system print dialog (printer, copies) or
// the layout's printer set-up.
enum class PrintDialogKind { System, LayoutSetup };
// Whether the preview depends on the general definitions or always comes.
enum class PreviewChoice { BySetting, Always };

struct PrintOutcome {
    bool printed = false;            // sent to the printer
    QPointer<PreviewWindow> preview; // opened instead
};

// The one print rule of every layout: the dialog (cancelled: nothing
// happens), the copy count, then the preview when previewSetting is "E" or
// the caller always previews, else straight to the printer. When the preview
// closes, afterPreview runs (a screen counts it as its activation). A
// printer that fails throws PrintError.
PrintOutcome printLayout(Layout& layout, const QString& previewSetting, PrintDialogKind dialog,
                         PreviewChoice preview, QWidget* caller,
                         std::function<void()> afterPreview = {});

// A printer that cannot start, a page it cannot begin or a file that cannot
// be written: thrown to the application error handler, never left silent.
class PrintError : public core::ActionError {
public:
    explicit PrintError(const QString& what, core::ErrorCause cause = core::ErrorCause::None);
};

// Renders every copy of the layout on the printer; returns the pages printed.
int printTo(Layout& layout, QPrinter& printer);

// Writes one copy of the layout to a PDF file; returns its page count.
int exportPdf(Layout& layout, const QString& path);

} // namespace report
