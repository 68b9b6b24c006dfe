#pragma once

#include "documententry.h"
#include "entryform.h"
#include "entryscreen.h"
#include "pictures.h"
#include "tqrgelres.h"

#include "core/appcontext.h"
#include "core/tdm.h"

#include <memory>

class QAction;
class QMenu;

namespace Ui {
class IncomingEntryForm;
}
namespace lists {
class TFRMGIDBUL;
}
namespace refdata {
class TFRMKURBIL;
class TFRMSDPBUL;
} // namespace refdata

namespace registers {

class TFRMRESIM;

// "GELEN EVRAK BİLGİLERİ": registers a new incoming document or changes one,
// with its scanned pages and the outgoing document it answers. Opened
// modally by the incoming browse list only; created once and reused. Each
// opening sets the screen up afresh; coming back from a window it opened
// (a picker, the quick-add, the enlarged picture, the print preview) sets
// nothing up again. It closes only through "F5-Kayıt" and "F6-Vazgeç".
class TFRMGELEN : public EntryScreen {
    Q_OBJECT
public:
    TFRMGELEN(core::TDM& dm, core::AppContext& ctx, refdata::TFRMSDPBUL& filePlanPicker,
              refdata::TFRMKURBIL& quickAdd, lists::TFRMGIDBUL& outgoingPicker, TFRMRESIM& enlarged,
              QWidget* parent = nullptr);
    ~TFRMGELEN() override;

    DocumentEntry& entry() { return m_entry; }
    DocumentPictures& pictures() { return m_pictures; }
    TQRGELRES& pictureLayout() { return m_layout; }
    // The pending link changes of this visit.
    bool LinkSet() const { return m_entry.link().linkSet(); }
    bool LinkCancelled() const { return m_entry.link().linkCancelled(); }
    int NextImageHarno() const { return m_pictures.nextHarno(); }

    // "F5-Kayıt" and "F6-Vazgeç".
    void save();
    void cancel();
    // The button beside the file plan code, the one beside the institution,
    // and the related-document button with its "Evrak İlgisini İptal Et".
    void chooseFilePlan();
    void addInstitution();
    void chooseRelated();
    void cancelRelated();
    // Double-clicks in the receiver's name and in the subject.
    void fillReceiver();
    void copyPlanTitle();
    // The picture area: "Ekle", "Değiş", "Sil", "Yazdır", "[...]", a
    // double-click on the picture, and moving in the list.
    void addPicture();
    void replacePicture();
    void deletePicture();
    void printPicture();
    void togglePictureSize();
    void enlargePicture();
    void showPicture(int index);

protected:
    void activate() override;
    void deactivate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindFields();
    void connectActions();
    void edited(const QString& column);
    void showRecord();
    void showRelated();
    void showPictureList();

    core::AppContext& m_ctx;
    refdata::TFRMSDPBUL& m_filePlanPicker;
    refdata::TFRMKURBIL& m_quickAdd;
    lists::TFRMGIDBUL& m_outgoingPicker;
    TFRMRESIM& m_enlarged;
    DocumentEntry m_entry;
    DocumentPictures m_pictures;
    TQRGELRES m_layout;
    EntryForm m_form;
    std::unique_ptr<Ui::IncomingEntryForm> m_ui;
    QMenu* m_relatedMenu = nullptr;
};

} // namespace registers
