#pragma once

#include "documententryscreen.h"
#include "pictures.h"
#include "scanner/tfrmtara.h"
#include "tqrgelres.h"

#include <memory>

namespace Ui {
class IncomingEntryForm;
}
namespace lists {
class TFRMGIDBUL;
}

namespace registers {

class TFRMRESIM;

// "GELEN EVRAK BİLGİLERİ": registers a new incoming document or changes one,
// with its scanned pages and the outgoing document it answers. The entry
// design with the incoming register's table; its own part is the picture
// area.
class TFRMGELEN : public DocumentEntryScreen {
    Q_OBJECT
public:
    TFRMGELEN(core::TDM& dm, core::AppContext& ctx, refdata::TFRMSDPBUL& filePlanPicker,
              refdata::TFRMKURBIL& quickAdd, lists::TFRMGIDBUL& outgoingPicker, TFRMRESIM& enlarged,
              QWidget* parent = nullptr);
    ~TFRMGELEN() override;

    static const EntryScreenTable& table();

    DocumentPictures& pictures() { return m_pictures; }
    TQRGELRES& pictureLayout() { return m_layout; }
    scanner::TFRMTARA& scanScreen() { return m_scan; }
    int NextImageHarno() const { return m_pictures.nextHarno(); }

    // The picture area: "Ekle", "Tara", "Değiş", "Sil", "Yazdır", "[...]",
    // a double-click on the picture, and moving in the list.
    void addPicture();
    void scanPictures();
    void replacePicture();
    void deletePicture();
    void printPicture();
    void togglePictureSize();
    void enlargePicture();
    void showPicture(int index);

protected:
    void afterSetUp() override;
    void deactivate() override;

private:
    void showPictureList();

    TFRMRESIM& m_enlarged;
    DocumentPictures m_pictures;
    TQRGELRES m_layout;
    scanner::TFRMTARA m_scan;
    std::unique_ptr<Ui::IncomingEntryForm> m_ui;
};

} // namespace registers
