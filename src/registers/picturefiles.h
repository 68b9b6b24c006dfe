#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace registers {

// The file dialog of "Ekle" and "Değiş": the picture files the register
// stores (JPEG, PNG, BMP) and what scanners write (TIFF, PDF).
inline const QString PictureFileFilter = QStringLiteral(
    "Resimler ve taramalar (*.jpg *.jpeg *.png *.bmp *.tif *.tiff *.pdf);;Jpeg (*.jpg *.jpeg);;"
    "Bitmaps (*.bmp);;PNG (*.png);;TIFF (*.tif *.tiff);;PDF (*.pdf);;Tüm dosyalar (*)");

// The pages a chosen file holds, as they are stored. A JPEG, PNG or BMP file
// is one page, its bytes exactly as read; each page of a PDF and each frame
// of a TIFF becomes a JPEG picture (scanner::storedPage). The content
// decides, not the name. A file that is none of these, or is damaged, is
// refused whole: no pages and the clerk's message naming it.
struct PictureFile {
    QList<QByteArray> pages;
    QString refusal;
};

PictureFile readPictureFile(const QString& path);

// Pages of a PDF larger than A3 are drawn smaller than the scanning
// resolution, so that no page takes more than this many pixels a side.
inline constexpr int LargestPageSide = 4200;

} // namespace registers
