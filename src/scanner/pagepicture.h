#pragma once

#include <QByteArray>
#include <QImage>

namespace scanner {

// How a page that did not come as a picture file is stored: a scanned page,
// a page of a PDF, a frame of a TIFF. JPEG, which every workstation shows,
// grey when the page has no colour, at a quality that keeps typed text of
// 10 pt and up readable at 200 dpi while a grey A4 letter full of text stays
// near 240 KB (at 75 it would take over 300 KB).
inline constexpr int PageQuality = 50;
// Pages of PDF files are drawn at the resolution pages are scanned at.
inline constexpr int PageResolution = 200;

// The JPEG bytes of a page; empty for a null image. The page keeps its
// resolution when it has one.
QByteArray storedPage(const QImage& page);

} // namespace scanner
