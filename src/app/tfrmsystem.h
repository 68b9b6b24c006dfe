#pragma once

#include "core/appcontext.h"
#include "core/systemsettings.h"
#include "core/tdm.h"
#include "widgets/screen.h"

#include <memory>

namespace Ui {
class TFRMSYSTEM;
}

// The system settings screen: where the yearly files lie (a folder, or a
// folder on a database server) and which year to open. Opened by the main
// window's activation when the database did not open, and from its context
// menu ("SYSTEM", Ctrl+S). It keeps its own closing permission: only a
// successful "F5-Kayıt" and "F6-Vazgeç" close it. When the file did not
// open, its message area says why as it opens.
class TFRMSYSTEM : public widgets::Screen {
    Q_OBJECT
public:
    TFRMSYSTEM(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMSYSTEM() override;

    core::SystemFields fields() const;

public slots:
    // The button next to the folder: pick a yearly file.
    void browse();
    // "Test Et".
    void testSettings();
    // "Default Değerler".
    void defaultValues();
    // "F5-Kayıt".
    void save();
    // "F6-Vazgeç".
    void cancel();
    // "Yeni Yıl Dosyası Oluştur", offered when the year has no file but the
    // year before has one: makes it from the year before and opens it.
    void createNewYear();

protected:
    void activate() override;

private:
    void showFields(const core::SystemFields& fields);
    // DEGERBUL on the screen: rebuilds the file name and the full text.
    void refreshTexts();
    // Shows "Yeni Yıl Dosyası Oluştur" when there is a year to make. Files
    // on a server are looked for only on "Test Et", together with its test:
    // attaching takes a moment, too long for every key typed or a server
    // that does not answer.
    void refreshNewYearOffer();

    const core::AppContext& m_ctx;
    core::SystemSettings m_settings;
    std::unique_ptr<Ui::TFRMSYSTEM> m_ui;
};
