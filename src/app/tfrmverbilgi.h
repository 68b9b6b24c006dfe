#pragma once

#include "core/versioninfo.h"
#include "widgets/screen.h"

#include <QTimer>

#include <functional>
#include <memory>

namespace Ui {
class TFRMVERBILGI;
}

// The version information screen: asks the vendor's information server for
// the news about the running version and lists the lines it sends, and
// offers the program update. Unlike most screens it may be closed by its
// title-bar button.
class TFRMVERBILGI : public widgets::Screen {
    Q_OBJECT
public:
    // The connection belongs to the main window; the update is its
    // PRGGUNCELLE.
    TFRMVERBILGI(core::InfoServerConnection& server, std::function<void()> update,
                 QWidget* parent = nullptr);
    ~TFRMVERBILGI() override;

    // The version the screen shows and asks about (LBLVER).
    void setVersion(const QString& version);

    // The lines shown.
    QStringList lines() const;

    // The exchange with the server is under way.
    bool fetching() const { return m_server.isOpen(); }

public slots:
    // Fetches the news and appends each line as it comes.
    void VERGETIR();
    // "Güncelle".
    void updateProgram();
    // "ESC-Çıkış".
    void exit();

protected:
    void activate() override;
    // A server still answering is left: the screen is gone.
    void deactivate() override;
    void closeEvent(QCloseEvent* event) override;

private:
    core::InfoServerConnection& m_server;
    std::function<void()> m_update;
    std::unique_ptr<Ui::TFRMVERBILGI> m_ui;
    QTimer m_fetch;
};
