#pragma once

#include "access/recordform.h"
#include "core/tdm.h"

#include <memory>

class QRadioButton;

namespace Ui {
class TFRMHAKLAR;
}

// The rights editor: changes the access flag G ("Giriş Yetkisi") and the
// add flag K ("İşlem Yapma Yetkisi") of one RIGHTS row, the row (EditHno,
// EditKod) that the user administration list hands over. D and S are not
// changed anywhere in the program.
class TFRMHAKLAR : public useraccess::RecordForm {
    Q_OBJECT
public:
    TFRMHAKLAR(core::TDM& dm, core::AppContext& ctx, QWidget* parent = nullptr);
    ~TFRMHAKLAR() override;

    int EditHno = 0;
    int EditKod = 0;

protected:
    void activate() override;
    bool saveRecord() override;

private:
    struct FlagChoice {
        QRadioButton* yes;
        QRadioButton* no;
    };
    static void showFlag(const FlagChoice& choice, const QString& flag);
    // The flag chosen; the stored one when neither is chosen.
    static QString chosenFlag(const FlagChoice& choice, const QString& stored);

    core::TDM& m_dm;
    std::unique_ptr<Ui::TFRMHAKLAR> m_ui;
    FlagChoice m_giris{};
    FlagChoice m_islem{};
    QString m_storedG, m_storedK;
};
