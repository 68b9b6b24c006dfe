#include "tfrmdillst.h"

#include "tfrmdilekce.h"

#include "core/prompter.h"
#include "lists/pickers.h"

namespace registers {

const ListTable& TFRMDILLST::table()
{
    static const ListTable table{
        .reg = &petitionRegister(),
        .formName = QStringLiteral("TFRMDILLST"),
        .title = QStringLiteral("DİLEKÇE  LİSTESİ"),
        .filterHeading = QStringLiteral("Filtre Seçeneekleri"),
        .selectLines = {QStringLiteral("SELECT D.KAYNO,D.DILNO,D.GELTAR,D.ADSOY,D.DILTAR ,D.KONU,"
                                       "B.BIRIM FROM DILEKCE D"),
                        QStringLiteral("LEFT JOIN BIRIM B ON(B.BKOD=D.BKOD)")},
        .orderLine = QStringLiteral("ORDER BY D.DILNO"),
        // A typed text that is no department filters by -1: nothing matches.
        .filters = {departmentFilter(QStringLiteral("Verildiği Birim"), QStringLiteral("D"), true)},
        .columns = {listColumn(QStringLiteral("DILNO"), QStringLiteral("Kay.No"), 60, true),
                    listColumn(QStringLiteral("GELTAR"), QStringLiteral("Kay.Tarihi"), 80),
                    listColumn(QStringLiteral("ADSOY"), QStringLiteral("Adı ve Soyadı"), 200),
                    listColumn(QStringLiteral("DILTAR"), QStringLiteral("Dilekçe Tar."), 80),
                    listColumn(QStringLiteral("KONU"), QStringLiteral("Konusu"), 260),
                    listColumn(QStringLiteral("BIRIM"), QStringLiteral("Verildiği Birim"), 200)},
        .stretchField = QStringLiteral("KONU"),
        .subjectLine = false,
    };
    return table;
}

TFRMDILLST::TFRMDILLST(core::TDM& dm, core::AppContext& ctx, TFRMDILEKCE& entry,
                       lists::TFRMDILBUL& picker, QWidget* parent)
    : BrowseList(table(), dm, ctx, entry, parent), m_picker(picker)
{
}

void TFRMDILLST::search()
{
    core::Prompter::current().runModal(m_picker);
    if (m_picker.result().Chosen)
        moveTo(m_picker.result().ChosenKayno);
}

} // namespace registers
