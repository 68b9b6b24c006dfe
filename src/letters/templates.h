#pragma once

#include "core/tdm.h"
#include "widgets/dbkeyrows.h"
#include "widgets/editablegrid.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace letters {

inline const QString TemplateDescriptionMissing =
    QStringLiteral("Şablon için Açıklama Girmelisiniz.");
inline const QString TemplateTextMissing = QStringLiteral("Şablon için Metin Girmelisiniz.");
inline const QString TemplateRemovedElsewhere =
    QStringLiteral("DİKKAT! Bu Şablon Başka Bir İş İstasyonunda Silinmiş. Değişiklikler "
                   "Kaydedilemedi; Metni Kopyalayıp Yeni Bir Şablon Olarak Kaydedebilirsiniz..");

// The template library's statements: the rows of SABLON as the library
// lists them, the numbering of new templates, and what the letter editor
// reads of them. The numbering and the letter editor's look-ups run on the
// data module's scratch query; SABLON has no key, and its rows are read and
// written as rows of such a table (widgets::DbKeyRows), found again by
// their DBKEY together with their KAYNO.
class TemplateLibrary {
public:
    explicit TemplateLibrary(core::TDM& dm);

    // NextTemplateKayno: the KAYNO the next new template receives; read
    // afresh at every opening of the library, advanced at every new
    // template written.
    int nextKayno() const { return m_next; }
    void readNextKayno();

    // Every template with its DBKEY, as the table returns them.
    db::Query& openRows();
    void closeRows();

    // Why a template cannot be written, or nothing when it can. The
    // description comes first.
    static QString refusal(const QString& description, bool textBlank);
    // Writes a new template with the next KAYNO; sets its KAYNO and DBKEY.
    void insert(widgets::RowValues& row);
    // Writes a stored template again; false when its row is gone (another
    // workstation deleted it), and nothing was written.
    bool update(const widgets::RowValues& row);
    void remove(const widgets::RowValues& row);

    // POPUPDOLDUR: every description, as the table returns them.
    QStringList descriptions();
    // POPUPCLICK: the text of the first template with the description;
    // nothing when there is none.
    QByteArray textOf(const QString& description);

private:
    core::TDM& m_dm;
    widgets::DbKeyRows m_rows;
    int m_next = 1;
};

} // namespace letters
