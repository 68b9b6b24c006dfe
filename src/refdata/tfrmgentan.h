#pragma once

#include "generaldefinitions.h"

#include "core/appcontext.h"
#include "core/tdm.h"
#include "widgets/screen.h"

#include <QList>

#include <memory>

class QLineEdit;

namespace Ui {
class GeneralDefinitionsForm;
}

namespace refdata {

// "GENEL TANIMLAR": the institution's name and unit, the colour theme, the
// print preview, the emblem and the heading of outgoing documents (the
// TANIM row), and the working year (AppContext::WorkingYear, kept in memory
// and written to the per-user settings when the program ends).
//
// "F5-Kayıt" writes the row, commits and takes the working year; a name
// longer than its column or holding characters the file cannot hold is
// refused by name, everything typed kept. "F6-İptal" drops what was typed. An emblem loaded with
// "Ekle" is written at once (not committed), so "F6-İptal" keeps it; "Sil" only clears it on screen
// until "F5-Kayıt". Keeps its own closing permission.
//
// After it closes, whichever button closed it, the main window reads the
// definitions again (TANIMOKU), shows WorkingYear in LBLYIL, takes
// ThemeFormColor as its background and reloads the emblem (readEmblem,
// emblemImage).
class TFRMGENTAN : public widgets::Screen {
    Q_OBJECT
public:
    TFRMGENTAN(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMGENTAN() override;

    // "F5-Kayıt".
    void save();
    // "F6-İptal".
    void cancel();
    // "Ekle": loads a picture file as the emblem and writes it.
    void addEmblem();
    // "Sil": clears the emblem on screen.
    void removeEmblem();

    // What the widgets hold now.
    Definitions shown() const;

protected:
    void activate() override;
    void deactivate() override;

private:
    // The one-line boxes of TANIM's text columns, with their captions.
    struct TypedField {
        QLineEdit* box;
        QString column;
        QString caption;
    };
    QList<TypedField> typedFields() const;
    void showEmblem();

    core::TDM& m_dm;
    core::AppContext& m_ctx;
    db::Query m_row;
    Definitions m_stored;         // the row as read, with an emblem written since
    QByteArray m_emblem;          // the emblem shown
    bool m_emblemWritten = false; // "Ekle" wrote the row on this visit
    std::unique_ptr<Ui::GeneralDefinitionsForm> m_ui;
};

} // namespace refdata
