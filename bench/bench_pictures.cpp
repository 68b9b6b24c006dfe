// "Ekle" with a 20-page PDF as a scanner writes it (one grey A4 picture a
// page): the time until its last page is stored as a picture of the
// document, next to drawing the same pages alone and to drawing and
// compressing them one after the other. Also the size and cost of one
// stored page at the scanning defaults (grey, 200 dpi).

#include "benchfile.h"
#include "db/database.h"
#include "db/query.h"
#include "registers/pictures.h"
#include "scanner/pagepicture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int Pages = 20;

// A grey A4 page at 200 dpi as it comes off the scanner: a letter of 34
// typed lines of 12 pt on paper that is not quite white, as soft as the
// scanner's optics draw it, with the sensor's noise.
QImage scannedPage(int number)
{
    QImage sharp(1654, 2339, QImage::Format_Grayscale8);
    sharp.fill(236);
    {
        QPainter p(&sharp);
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPixelSize(33); // 12 pt at 200 dpi
        p.setFont(font);
        p.setPen(QColor(40, 40, 40));
        p.drawText(QRect(200, 250, 1254, 120), Qt::AlignCenter,
                   QStringLiteral("T.C.\nÖRNEK BELEDİYESİ BAŞKANLIĞI"));
        for (int line = 0; line < 34; ++line)
            p.drawText(QRect(200, 500 + line * 46, 1254, 46), Qt::AlignLeft,
                       QStringLiteral("Belediyemize gelen %1 sayılı yazı ile ilgili olarak "
                                      "müdürlüğünüzün görüşü istenmektedir. %2")
                           .arg(4000 + number)
                           .arg(line + 1));
    }
    QImage page = sharp.scaled(827, 1170, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .scaled(1654, 2339, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_Grayscale8);
    QRandomGenerator noise(number);
    for (int y = 0; y < page.height(); ++y) {
        uchar* row = page.scanLine(y);
        for (int x = 0; x < page.width(); ++x)
            row[x] = uchar(qBound(0, int(row[x]) + int(noise.bounded(5)) - 2, 255));
    }
    page.setDotsPerMeterX(7874);
    page.setDotsPerMeterY(7874);
    return page;
}

QString pdfFile()
{
    const QString path = QDir::tempPath() + QStringLiteral("/dorpak-bench-pictures-20-letters.pdf");
    if (QFile::exists(path))
        return path;
    const QString building = path + QStringLiteral(".building");
    {
        QPdfWriter pdf(building);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF());
        pdf.setResolution(200);
        QPainter painter(&pdf);
        for (int i = 0; i < Pages; ++i) {
            if (i > 0)
                pdf.newPage();
            painter.drawImage(QRect(0, 0, 1654, 2339), scannedPage(i + 1));
        }
    }
    QFile::rename(building, path);
    return path;
}

QString yearFile()
{
    return bench::yearFile(QStringLiteral("dorpak-bench-pictures"), [](db::Database&) {});
}

QSize pageSize(const QPdfDocument& pdf, int i)
{
    return (pdf.pagePointSize(i) * (scanner::PageResolution / 72.0)).toSize();
}

void BM_AddPdf(benchmark::State& state)
{
    db::Database database;
    database.open(yearFile());
    db::Query q(database);
    registers::DocumentPictures pictures(q);
    const QString pdf = pdfFile();
    qint64 bytes = 0;
    for (auto _ : state) {
        pictures.prepareNew(1);
        const QStringList refused = pictures.addFiles({pdf});
        if (!refused.isEmpty() || pictures.count() != Pages)
            state.SkipWithError("the PDF was not added");
        bytes = 0;
        for (const registers::Picture& p : pictures.pictures())
            bytes += p.bytes.size();
        state.PauseTiming();
        database.rollback();
        state.ResumeTiming();
    }
    state.counters["KB_per_page"] = double(bytes) / Pages / 1024;
}

void BM_DrawPagesAlone(benchmark::State& state)
{
    const QString path = pdfFile();
    for (auto _ : state) {
        QPdfDocument pdf;
        pdf.load(path);
        for (int i = 0; i < pdf.pageCount(); ++i)
            benchmark::DoNotOptimize(pdf.render(i, pageSize(pdf, i)));
    }
}

void BM_DrawAndCompressOneAfterTheOther(benchmark::State& state)
{
    const QString path = pdfFile();
    for (auto _ : state) {
        QPdfDocument pdf;
        pdf.load(path);
        for (int i = 0; i < pdf.pageCount(); ++i)
            benchmark::DoNotOptimize(scanner::storedPage(pdf.render(i, pageSize(pdf, i))));
    }
}

void BM_CompressScannedPage(benchmark::State& state)
{
    const QImage page = scannedPage(1);
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = scanner::storedPage(page).size();
    state.counters["KB"] = double(bytes) / 1024;
}

BENCHMARK(BM_AddPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_DrawPagesAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_DrawAndCompressOneAfterTheOther)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_CompressScannedPage)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    yearFile();
    pdfFile();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
