#include "picturefiles.h"

#include "scanner/pagepicture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPdfDocument>

#include <algorithm>
#include <deque>
#include <functional>
#include <future>

namespace registers {
namespace {

enum class Kind { Unknown, Jpeg, Png, Bmp, Tiff, Pdf };

Kind kindOf(const QByteArray& b)
{
    if (b.startsWith("\xff\xd8\xff"))
        return Kind::Jpeg;
    if (b.startsWith("\x89PNG\r\n\x1a\n"))
        return Kind::Png;
    if (b.startsWith("BM"))
        return Kind::Bmp;
    if (b.startsWith(QByteArray("II*\0", 4)) || b.startsWith(QByteArray("MM\0*", 4)))
        return Kind::Tiff;
    // The header may follow some bytes of rubbish within the first kilobyte.
    if (b.left(1024).contains("%PDF-"))
        return Kind::Pdf;
    return Kind::Unknown;
}

QString refusal(const QString& path, const QString& why)
{
    return QStringLiteral("DİKKAT! \"%1\" dosyası eklenemedi: %2")
        .arg(QFileInfo(path).fileName(), why);
}

QString damaged(const QString& path)
{
    return refusal(path, QStringLiteral("dosya bozuk ya da okunamıyor."));
}

// Compresses the pages while the next ones are drawn: one drawing thread
// (the caller) and up to two compressing beside it. A null page ends it.
QList<QByteArray> compressPages(int count, const std::function<QImage(int)>& draw)
{
    std::deque<std::future<QByteArray>> pending;
    QList<QByteArray> pages;
    auto collect = [&pages, &pending] {
        pages << pending.front().get();
        pending.pop_front();
    };
    for (int i = 0; i < count; ++i) {
        QImage page = draw(i);
        if (page.isNull()) {
            while (!pending.empty())
                collect();
            return {};
        }
        if (pending.size() >= 2)
            collect();
        pending.push_back(std::async(
            std::launch::async, [page = std::move(page)] { return scanner::storedPage(page); }));
    }
    while (!pending.empty())
        collect();
    if (std::any_of(pages.begin(), pages.end(), [](const QByteArray& p) { return p.isEmpty(); }))
        return {};
    return pages;
}

PictureFile readPdf(const QString& path)
{
    QPdfDocument pdf;
    const QPdfDocument::Error error = pdf.load(path);
    if (error == QPdfDocument::Error::IncorrectPassword ||
        error == QPdfDocument::Error::UnsupportedSecurityScheme)
        return {{}, refusal(path, QStringLiteral("PDF dosyası parola ile korunuyor."))};
    if (error != QPdfDocument::Error::None)
        return {{}, damaged(path)};
    if (pdf.pageCount() <= 0)
        return {{}, refusal(path, QStringLiteral("dosyada hiç sayfa yok."))};
    QPdfDocumentRenderOptions options;
    options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
    const QList<QByteArray> pages = compressPages(pdf.pageCount(), [&](int i) {
        const QSizeF points = pdf.pagePointSize(i);
        if (points.isEmpty())
            return QImage();
        QSizeF pixels = points * (scanner::PageResolution / 72.0);
        if (std::max(pixels.width(), pixels.height()) > LargestPageSide)
            pixels.scale(LargestPageSide, LargestPageSide, Qt::KeepAspectRatio);
        QImage page = pdf.render(i, pixels.toSize(), options);
        const double perMetre = pixels.width() / (points.width() / 72.0) / 0.0254;
        page.setDotsPerMeterX(qRound(perMetre));
        page.setDotsPerMeterY(qRound(perMetre));
        return page;
    });
    if (pages.isEmpty())
        return {{}, damaged(path)};
    return {pages, {}};
}

PictureFile readTiff(const QString& path, const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "tiff");
    const int count = std::max(reader.imageCount(), 1);
    const QList<QByteArray> pages = compressPages(count, [&reader](int i) {
        return i == 0 || reader.jumpToImage(i) ? reader.read() : QImage();
    });
    if (pages.isEmpty())
        return {{}, damaged(path)};
    return {pages, {}};
}

} // namespace

PictureFile readPictureFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {
            {},
            QStringLiteral("DİKKAT! \"%1\" dosyası okunamadı.").arg(QFileInfo(path).fileName())};
    const QByteArray bytes = file.readAll();
    switch (kindOf(bytes)) {
    case Kind::Jpeg:
    case Kind::Png:
    case Kind::Bmp:
        if (QImage::fromData(bytes).isNull())
            return {{}, damaged(path)};
        return {{bytes}, {}};
    case Kind::Tiff:
        return readTiff(path, bytes);
    case Kind::Pdf:
        return readPdf(path);
    case Kind::Unknown:
        break;
    }
    return {{}, refusal(path, QStringLiteral("JPEG, PNG, BMP, TIFF ya da PDF dosyası değil."))};
}

} // namespace registers
