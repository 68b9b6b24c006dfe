#include "printrule.h"

#include "layout.h"

#include "core/errors.h"
#include "core/prompter.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace report {

PreviewWindow::PreviewWindow(Layout& layout, std::unique_ptr<QPrinter> printer, QWidget* caller)
    : QWidget(caller, Qt::Window), m_layout(layout), m_printer(std::move(printer))
{
    setObjectName(QStringLiteral("PREVIEW"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(PreviewTitle);
    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    m_view->setObjectName(QStringLiteral("previewPages"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* p) {
        core::guarded([this, p] {
            QPainter painter(p);
            m_layout.render(painter, *p);
        });
    });
    auto* btnYazdir = new QPushButton(QStringLiteral("Yazdır"), this);
    btnYazdir->setObjectName(QStringLiteral("btnYazdir"));
    auto* btnPdf = new QPushButton(QStringLiteral("PDF Olarak Kaydet"), this);
    btnPdf->setObjectName(QStringLiteral("btnPdf"));
    auto* btnKapat = new QPushButton(QStringLiteral("Kapat"), this);
    btnKapat->setObjectName(QStringLiteral("btnKapat"));
    connect(btnYazdir, &QPushButton::clicked, this, [this] { core::guarded([this] { print(); }); });
    connect(btnPdf, &QPushButton::clicked, this,
            [this] { core::guarded([this] { saveAsPdf(); }); });
    connect(btnKapat, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnYazdir);
    buttons->addWidget(btnPdf);
    buttons->addWidget(btnKapat);
    buttons->addStretch();
    auto* box = new QVBoxLayout(this);
    box->addLayout(buttons);
    box->addWidget(m_view, 1);
    m_view->fitToWidth();
    m_view->updatePreview();
}

PreviewWindow::~PreviewWindow() = default;

int PreviewWindow::pageCount() const
{
    return m_view->pageCount();
}

void PreviewWindow::print()
{
    printTo(m_layout, *m_printer);
}

QString PreviewWindow::saveAsPdf()
{
    QString path = core::Prompter::current().saveFileName(
        QStringLiteral("PDF Olarak Kaydet"), QStringLiteral("PDF Dosyası (*.pdf)"),
        m_layout.name().simplified() + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return {};
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    exportPdf(m_layout, path);
    return path;
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

PrintError::PrintError(const QString& what, core::ErrorCause cause)
    : core::ActionError(cause, what.toStdString())
{
}

namespace {

// Every copy of the layout on a device that has begun; a page the device
// cannot start stops the printing, for the cause a failure of the device has.
int renderCopies(Layout& layout, QPainter& painter, QPagedPaintDevice& device, int copies,
                 core::ErrorCause cause)
{
    int pages = 0;
    for (int c = 0; c < copies; ++c) {
        if (c > 0 && !device.newPage())
            throw PrintError(QStringLiteral("the device refused a new page"), cause);
        pages += layout.render(painter, device);
    }
    if (!painter.end())
        throw PrintError(QStringLiteral("the pages could not be finished"), cause);
    return pages;
}

} // namespace

int printTo(Layout& layout, QPrinter& printer)
{
    printer.setPageLayout(layout.pageLayout());
    // Where the printer cannot make copies itself (a PDF file), each copy
    // is rendered in turn.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    // Printed into a file (a PDF chosen in the print dialog) it is the file
    // that cannot be written.
    const bool toFile = !printer.outputFileName().isEmpty();
    const core::ErrorCause cause =
        toFile ? core::ErrorCause::WriteFailed : core::ErrorCause::PrinterFailed;
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintError(QStringLiteral("the printer %1 could not start")
                             .arg(toFile ? printer.outputFileName() : printer.printerName()),
                         cause);
    return renderCopies(layout, painter, printer, copies, cause);
}

int exportPdf(Layout& layout, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageLayout(layout.pageLayout());
    QPainter painter;
    if (!painter.begin(&writer))
        throw PrintError(QStringLiteral("the PDF file %1 could not be written").arg(path),
                         core::ErrorCause::WriteFailed);
    return renderCopies(layout, painter, writer, 1, core::ErrorCause::WriteFailed);
}

PrintOutcome printLayout(Layout& layout, const QString& previewSetting, PrintDialogKind dialog,
                         PreviewChoice preview, QWidget* caller, std::function<void()> afterPreview)
{
    PrintOutcome outcome;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(layout.pageLayout());
    printer->setCopyCount(layout.copyCount());
    if (!core::Prompter::current().printDialog(*printer, dialog == PrintDialogKind::LayoutSetup))
        return outcome;
    layout.setCopyCount(printer->copyCount());
    if (preview == PreviewChoice::Always || previewSetting == QLatin1String("E")) {
        auto* window = new PreviewWindow(layout, std::move(printer), caller);
        if (afterPreview)
            QObject::connect(window, &PreviewWindow::closed, window, afterPreview);
        window->showMaximized();
        outcome.preview = window;
        return outcome;
    }
    printTo(layout, *printer);
    outcome.printed = true;
    return outcome;
}

} // namespace report
