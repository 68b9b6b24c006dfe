#pragma once

#include "core/codewords.h"
#include "db/query.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace refdata {

// The columns of the single TANIM row that the general definitions screen
// edits. The other columns are neither read nor written here.
struct Definitions {
    QString institution; // KURUM, "Kurum Adı"
    QString unit;        // SUBE, "Birim Adı"
    QString theme;       // RNK, "Form Rengi": Y, T or M
    QString preview;     // ONIZ, "Yazıcı Önizleme": E or H
    QByteArray emblem;   // LOGO: the picture file's bytes; empty for none
    QString heading;     // BASLIK, "Giden Evrak Başlık Açıklaması"

    bool operator==(const Definitions&) const = default;
};

// RNK: the colour themes of the screens.
const core::CodeWords& themeWords();

Definitions readDefinitions(db::Query& query);
// Writes the row (a file that lacks it gets one).
void writeDefinitions(db::Query& query, const Definitions& definitions);
// Writes only LOGO: an emblem is stored as soon as it is loaded.
void writeEmblem(db::Query& query, const QByteArray& emblem);

// TANIM.LOGO, for the main window and the printed letter; empty when none.
QByteArray readEmblem(db::Query& scratch);
// The emblem decoded by its content (BMP, ICO, PNG, JPEG); null when empty
// or unreadable.
QImage emblemImage(const QByteArray& emblem);

// The file dialog of "Ekle": the system's entries and PNG and JPEG.
inline const QString EmblemFilter =
    QStringLiteral("All (*.bmp *.ico *.png *.jpg *.jpeg);;Bitmaps (*.bmp);;Icons (*.ico);;PNG "
                   "(*.png);;JPEG (*.jpg *.jpeg)");
// The bytes of a picture file; throws when the file cannot be read or holds
// no picture.
QByteArray readEmblemFile(const QString& path);

// "Çalışma Yılı" must be four digits.
bool isWorkingYear(const QString& text);
inline const QString WorkingYearRefused =
    QStringLiteral("DİKKAT! Çalışma Yılı Dört Haneli Olmalıdır..");

} // namespace refdata
