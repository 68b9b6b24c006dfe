#pragma once

#include "lettersource.h"
#include "templates.h"

#include "core/appcontext.h"
#include "widgets/screen.h"

#include <QImage>

#include <functional>

class QMenu;
class QPushButton;

namespace letters {

class RichEditor;
class TQRPGIDYAZ;

// "GİDEN YAZI": the letter of an outgoing document, written in the editor
// or started from a template. The text area's menu lists the templates
// (POPUPDOLDUR, at every opening); choosing one loads it with its merge
// fields filled from the document (POPUPCLICK). The editor works on the
// source the entry screen hands it before each opening; what the clerk
// typed goes back to the source when the editor closes, and is saved or
// dropped only with the entry. "F7-Yazdır" prints the letter.
class TFRMTEXT1 : public widgets::Screen {
    Q_OBJECT
public:
    // emblem gives the institution's emblem the main window holds (a null
    // picture when it holds none).
    TFRMTEXT1(core::TDM& dm, core::AppContext& ctx, TQRPGIDYAZ& layout,
              std::function<QImage()> emblem, QWidget* parent = nullptr);
    ~TFRMTEXT1() override;

    // The letter to edit; set before the editor is shown. Not owned.
    void setSource(LetterSource* source) { m_source = source; }
    LetterSource* source() const { return m_source; }

    RichEditor& editor() const { return *m_editor; }
    QMenu& templateMenu() const { return *m_templates; }
    TQRPGIDYAZ& layout() const { return m_layout; }

    void POPUPDOLDUR();
    void POPUPCLICK(const QString& description);
    // "F7-Yazdır" and "Çıkış".
    void print();
    void exit();

    inline static const QString ReplaceQuestion =
        QStringLiteral("DİKKAT Bu Evrak İçeriği Silinip Belirtilen Şablon bilgisi "
                       "yüklenecektir. ONAYLIYORMUSUNUZ");

protected:
    void activate() override;
    void deactivate() override;

private:
    // What the clerk typed, into the source.
    void writeBack();

    core::AppContext& m_ctx;
    TemplateLibrary m_library;
    TQRPGIDYAZ& m_layout;
    std::function<QImage()> m_emblem;
    LetterSource* m_source = nullptr;
    RichEditor* m_editor = nullptr;
    QMenu* m_templates = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_exit = nullptr;
};

} // namespace letters
