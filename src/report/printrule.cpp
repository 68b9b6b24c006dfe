#include "printrule.h"

#include "layout.h"

#include "core/prompter.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QHBoxLayout>
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
        QPainter painter(p);
        m_layout.render(painter, *p);
    });
    auto* btnYazdir = new QPushButton(QStringLiteral("Yazdır"), this);
    btnYazdir->setObjectName(QStringLiteral("btnYazdir"));
    auto* btnKapat = new QPushButton(QStringLiteral("Kapat"), this);
    btnKapat->setObjectName(QStringLiteral("btnKapat"));
    connect(btnYazdir, &QPushButton::clicked, this, &PreviewWindow::print);
    connect(btnKapat, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnYazdir);
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

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

int printTo(Layout& layout, QPrinter& printer)
{
    printer.setPageLayout(layout.pageLayout());
    // Where the printer cannot make copies itself (a PDF file), each copy
    // is rendered in turn.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    QPainter painter(&printer);
    int pages = 0;
    for (int c = 0; c < copies; ++c) {
        if (c > 0)
            printer.newPage();
        pages += layout.render(painter, printer);
    }
    return pages;
}

int exportPdf(Layout& layout, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageLayout(layout.pageLayout());
    QPainter painter(&writer);
    return layout.render(painter, writer);
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
