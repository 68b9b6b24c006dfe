#include "lists/pickers.h"
#include "registry.h"
#include "support/clerk.h"
#include "support/promptscript.h"
#include "support/testdb.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using lists::DocumentPicker;
using liststest::Document;
using liststest::Petition;
using liststest::Register;
using liststest::Registry;
using testsupport::child;
using testsupport::PromptScript;
using testsupport::showActive;
using testsupport::TempDatabase;

namespace {

widgets::DataGrid& grid(QWidget& picker)
{
    return child<widgets::DataGrid>(picker, "grdListe");
}

// The texts of one shown column, top to bottom.
QStringList shownColumn(QWidget& picker, int column = 0)
{
    QStringList texts;
    const widgets::QueryModel& m = *grid(picker).queryModel();
    for (int r = 0; r < m.rowCount(); ++r)
        texts << m.text(r, column);
    return texts;
}

// Typing as the keyboard does, Turkish letters included, one key at a time.
void type(QWidget& widget, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The clerk types into a filter list (replacing what it shows) or picks a
// fixed entry.
void pick(QWidget& picker, const char* list, const QString& text)
{
    auto& box = child<QComboBox>(picker, list);
    if (!box.isEditable()) {
        box.setCurrentIndex(box.findText(text));
        return;
    }
    box.lineEdit()->selectAll();
    type(*box.lineEdit(), text);
}

void typeName(QWidget& picker, const QString& text)
{
    auto& edit = child<QLineEdit>(picker, "edtAdsoy");
    edit.selectAll();
    if (text.isEmpty())
        QTest::keyClick(&edit, Qt::Key_Delete);
    else
        type(edit, text);
}

using MakePicker = std::function<std::unique_ptr<DocumentPicker>(core::TDM&, core::AppContext&)>;

struct RegisterPicker {
    const char* name;
    Register reg;
    MakePicker make;
};

const RegisterPicker WaitingPickers[] = {
    {"TFRMGELBUL", Register::Incoming,
     [](core::TDM& dm, core::AppContext& ctx) {
         return std::make_unique<lists::TFRMGELBUL>(dm, ctx);
     }},
    {"TFRMGIDBUL", Register::Outgoing,
     [](core::TDM& dm, core::AppContext& ctx) {
         return std::make_unique<lists::TFRMGIDBUL>(dm, ctx);
     }},
};

// Documents of one register in every reply state, by number: 1, 5, 6 and 8
// wait for a reply; the others expect none or have one already.
void fillEveryReplyState(Registry& reg, Register r)
{
    const int valilik = reg.institution(QStringLiteral("Valilik"));
    const int kaymakamlik = reg.institution(QStringLiteral("Kaymakamlık"));
    const int fen = reg.department(QStringLiteral("Fen İşleri"));
    const int zabita = reg.department(QStringLiteral("Zabıta"));
    const QVariant none;
    struct Row {
        int no;
        QVariant cevdur, cevno;
        int dkod, bkod;
    };
    // Written out of order: the list sorts by number.
    const Row rows[] = {
        {8, QStringLiteral("E"), 0, kaymakamlik, zabita},
        {1, QStringLiteral("E"), 0, valilik, fen},
        {2, QStringLiteral("E"), 900, valilik, fen},      // answered
        {3, QStringLiteral("H"), 0, valilik, fen},        // no reply expected
        {4, QStringLiteral("H"), 901, valilik, fen},      // none expected, linked anyway
        {7, none, 0, valilik, fen},                       // CEVDUR empty
        {9, QStringLiteral("E"), none, kaymakamlik, fen}, // CEVNO empty
        {5, QStringLiteral("E"), 0, kaymakamlik, fen},
        {6, QStringLiteral("E"), 0, valilik, zabita},
    };
    for (const Row& row : rows)
        reg.add(r, {.no = row.no,
                    .date = QStringLiteral("%1.01.2026").arg(row.no, 2, 10, QLatin1Char('0')),
                    .dkod = row.dkod,
                    .bkod = row.bkod,
                    .konu = QStringLiteral("Konu %1").arg(row.no),
                    .cevdur = row.cevdur,
                    .cevno = row.cevno});
}

TEST(WaitingPickers, OfferOnlyWaitingDocumentsWhateverTheFilters)
{
    struct Case {
        QString institution, department;
        QStringList numbers;
    };
    const QString all = QStringLiteral("TÜMÜ");
    const Case cases[] = {
        {all, all, {"1", "5", "6", "8"}},
        {QStringLiteral("Valilik"), all, {"1", "6"}},
        {all, QStringLiteral("Zabıta"), {"6", "8"}},
        {QStringLiteral("Kaymakamlık"), QStringLiteral("Zabıta"), {"8"}},
        {QStringLiteral("Valilik"), QStringLiteral("Fen İşleri"), {"1"}},
        // A typed text that is no entry filters with the code -1.
        {QStringLiteral("Yok Böyle"), all, {}},
        {all, QStringLiteral("Yok"), {}},
        {all, all, {"1", "5", "6", "8"}},
    };
    for (const RegisterPicker& p : WaitingPickers) {
        SCOPED_TRACE(p.name);
        TempDatabase t;
        Registry reg(t);
        fillEveryReplyState(reg, p.reg);
        core::AppContext ctx;
        PromptScript prompts; // no message may come
        auto picker = p.make(t.dm(), ctx);
        showActive(*picker);
        for (const Case& c : cases) {
            pick(*picker, "cmbKurum", c.institution);
            pick(*picker, "cmbBirim", c.department);
            EXPECT_EQ(shownColumn(*picker), c.numbers)
                << c.institution.toStdString() << " / " << c.department.toStdString();
        }
        picker->cancel();
    }
}

TEST(WaitingPickers, BuildTheirQueryFromTheFixedLinesAndTheFilters)
{
    TempDatabase t;
    Registry reg(t);
    fillEveryReplyState(reg, Register::Incoming);
    core::AppContext ctx;
    lists::TFRMGELBUL picker(t.dm(), ctx);
    showActive(picker);
    EXPECT_EQ(picker.list().sql(),
              QStringLiteral("SELECT G1.KAYNO,G1.GELNO,G1.GELTAR,D.DKURUM,G1.EVTAR||'/'||"
                             "G1.EVSAY TARNO,G1.KONU,B.BIRIM FROM GELEN G1\n"
                             "LEFT JOIN DISKUR D ON(D.DKOD=G1.DKOD)\n"
                             "LEFT JOIN BIRIM B ON(B.BKOD=G1.BKOD)\n"
                             "WHERE (G1.CEVDUR='E' AND G1.CEVNO=0)\n"
                             "ORDER BY G1.GELNO"));
    pick(picker, "cmbBirim", QStringLiteral("Zabıta"));
    pick(picker, "cmbKurum", QStringLiteral("Kaymakamlık"));
    EXPECT_EQ(picker.list().sql().section(QLatin1Char('\n'), 3, 3),
              QStringLiteral("WHERE (G1.CEVDUR='E' AND G1.CEVNO=0) AND D.DKOD=:DK AND G1.DKOD=:DK"
                             " AND B.BKOD=:BK AND G1.BKOD=:BK"));
    EXPECT_EQ(shownColumn(picker), QStringList({"8"}));
    picker.cancel();
}

TEST(WaitingPickers, ShowTheirTitlesHeadingsAndColumns)
{
    struct Case {
        const RegisterPicker& picker;
        QString title, filterHeading, listHeading;
    };
    const Case cases[] = {
        {WaitingPickers[0], QStringLiteral("GELEN EVRAK LİSTESİ"),
         QStringLiteral("Filtre Seçeneekleri"),
         QStringLiteral("GELEN EVRAK LİSTESİ (CEVAP BEKLEYEN)")},
        {WaitingPickers[1], QStringLiteral("GİDEN EVRAK LİSTESİ"), QString(),
         QStringLiteral("GİDEN EVRAK LİSTESİ (CEVAP BEKLEYEN)")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picker.name);
        TempDatabase t;
        Registry reg(t);
        const int valilik = reg.institution(QStringLiteral("Valilik"));
        const int fen = reg.department(QStringLiteral("Fen İşleri"));
        reg.add(c.picker.reg, {.no = 4,
                               .date = QStringLiteral("05.01.2026"),
                               .dkod = valilik,
                               .bkod = fen,
                               .konu = QStringLiteral("Yol yapımı"),
                               .evsay = QStringLiteral("B.12"),
                               .evtar = QStringLiteral("02.01.2026")});
        // Without its own date the document's date and number read nothing.
        reg.add(c.picker.reg,
                {.no = 5, .date = QStringLiteral("06.01.2026"), .evsay = QStringLiteral("B.13")});
        core::AppContext ctx;
        auto picker = c.picker.make(t.dm(), ctx);
        showActive(*picker);
        EXPECT_EQ(picker->objectName(), QString::fromLatin1(c.picker.name));
        EXPECT_EQ(picker->windowTitle(), c.title);
        EXPECT_EQ(child<QGroupBox>(*picker, "grpFiltre").title(), c.filterHeading);
        EXPECT_EQ(child<QGroupBox>(*picker, "grpListe").title(), c.listHeading);
        const widgets::QueryModel& m = *grid(*picker).queryModel();
        QStringList headings, first, second;
        for (int col = 0; col < m.columnCount(); ++col) {
            headings << m.headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
            first << m.text(0, col);
            second << m.text(1, col);
        }
        EXPECT_EQ(headings, QStringList({"Kay.No", "Kay.Tarihi", "Gittiği Yer", "Evrak Tar./No",
                                         "Konusu", "Gönderen Birim"}));
        EXPECT_EQ(first, QStringList({"4", "05.01.2026", "Valilik", "02.01.2026/B.12", "Yol yapımı",
                                      "Fen İşleri"}));
        EXPECT_EQ(second, QStringList({"5", "06.01.2026", "", "", "", ""}));
        picker->cancel();
    }
}

TEST(WaitingPickers, OnlyTheIncomingPickerWearsTheThemeColours)
{
    TempDatabase t;
    core::AppContext ctx;
    ctx.ThemeFormColor = QStringLiteral("$00807900");
    ctx.ThemePanelColor = QStringLiteral("$00BBDC01");
    lists::TFRMGELBUL incoming(t.dm(), ctx);
    lists::TFRMGIDBUL outgoing(t.dm(), ctx);
    EXPECT_EQ(incoming.palette().color(QPalette::Window), QColor(0x00, 0x79, 0x80));
    for (const char* panel : {"grpFiltre", "grpListe", "pnlButon"}) {
        EXPECT_EQ(child<QWidget>(incoming, panel).palette().color(QPalette::Window),
                  QColor(0x01, 0xDC, 0xBB))
            << panel;
        EXPECT_NE(child<QWidget>(outgoing, panel).palette().color(QPalette::Window),
                  QColor(0x01, 0xDC, 0xBB))
            << panel;
    }
    // The colours are taken once, when the picker is built.
    ctx.ThemePanelColor = QStringLiteral("$00A4CBF7");
    showActive(incoming);
    EXPECT_EQ(child<QWidget>(incoming, "grpListe").palette().color(QPalette::Window),
              QColor(0x01, 0xDC, 0xBB));
    incoming.cancel();
}

// Each picker over two rows it offers; fill returns their KAYNOs.
struct ChoosingCase {
    const char* name;
    std::function<std::pair<int, int>(Registry&)> fill;
    MakePicker make;
    std::function<void(QWidget&)> emptyTheList;
};

TEST(Pickers, ChooseTheCurrentRowOrCancelAndCloseOnlySo)
{
    const auto emptyByInstitution = [](QWidget& p) { pick(p, "cmbKurum", QStringLiteral("Yok")); };
    const ChoosingCase cases[] = {
        {"TFRMGELBUL",
         [](Registry& reg) {
             return std::pair{reg.incoming({.no = 1}), reg.incoming({.no = 2})};
         },
         [](core::TDM& dm, core::AppContext& ctx) {
             return std::make_unique<lists::TFRMGELBUL>(dm, ctx);
         },
         emptyByInstitution},
        {"TFRMGIDBUL",
         [](Registry& reg) {
             return std::pair{reg.outgoing({.no = 1}), reg.outgoing({.no = 2})};
         },
         [](core::TDM& dm, core::AppContext& ctx) {
             return std::make_unique<lists::TFRMGIDBUL>(dm, ctx);
         },
         emptyByInstitution},
        {"TFRMDILBUL",
         [](Registry& reg) {
             return std::pair{reg.petition({.no = 1, .adsoy = QStringLiteral("Ali Veli")}),
                              reg.petition({.no = 2, .adsoy = QStringLiteral("Ayşe Kaya")})};
         },
         [](core::TDM& dm, core::AppContext& ctx) {
             return std::make_unique<lists::TFRMDILBUL>(dm, ctx);
         },
         [](QWidget& p) { typeName(p, QStringLiteral("Yok")); }},
    };
    for (const ChoosingCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDatabase t;
        Registry reg(t);
        const auto [first, second] = c.fill(reg);
        core::AppContext ctx;
        PromptScript prompts;
        auto picker = c.make(t.dm(), ctx);
        const lists::PickerResult& result = picker->result();

        // F5 chooses the row the clerk moved to.
        showActive(*picker);
        QTest::keyClick(&grid(*picker), Qt::Key_Down);
        QTest::keyClick(picker.get(), Qt::Key_F5);
        EXPECT_FALSE(picker->isVisible());
        EXPECT_TRUE(result.Chosen);
        EXPECT_EQ(result.ChosenKayno, second);

        // No close but its own buttons; Esc cancels and keeps the earlier key.
        showActive(*picker);
        picker->close();
        EXPECT_TRUE(picker->isVisible());
        QTest::keyClick(picker.get(), Qt::Key_Escape);
        EXPECT_FALSE(picker->isVisible());
        EXPECT_FALSE(result.Chosen);
        EXPECT_EQ(result.ChosenKayno, second);

        // Enter on a row chooses it: the list starts on its first row.
        showActive(*picker);
        QTest::keyClick(&grid(*picker), Qt::Key_Return);
        EXPECT_FALSE(picker->isVisible());
        EXPECT_TRUE(result.Chosen);
        EXPECT_EQ(result.ChosenKayno, first);

        // A choice on an empty list gives 0.
        showActive(*picker);
        c.emptyTheList(*picker);
        ASSERT_EQ(grid(*picker).queryModel()->rowCount(), 0);
        child<QPushButton>(*picker, "btnSec").click();
        EXPECT_FALSE(picker->isVisible());
        EXPECT_TRUE(result.Chosen);
        EXPECT_EQ(result.ChosenKayno, 0);
    }
}

// Petitions by number: 1 and 5 wait for a reply, 2 has one, 3 and 4 expect
// none (4 has one anyway).
void fillPetitions(Registry& reg)
{
    const int fen = reg.department(QStringLiteral("Fen İşleri"));
    const int zabita = reg.department(QStringLiteral("Zabıta"));
    reg.petition(
        {.no = 1, .adsoy = QStringLiteral("Ali Veli"), .bkod = fen, .cevdur = QStringLiteral("E")});
    reg.petition({.no = 2,
                  .adsoy = QStringLiteral("Ayşe Kaya"),
                  .bkod = fen,
                  .cevdur = QStringLiteral("E"),
                  .cevno = 31});
    reg.petition({.no = 3,
                  .adsoy = QStringLiteral("Mehmet Ali Can"),
                  .bkod = zabita,
                  .cevdur = QStringLiteral("H")});
    reg.petition({.no = 4,
                  .adsoy = QStringLiteral("Fatma Ak"),
                  .bkod = zabita,
                  .cevdur = QStringLiteral("H"),
                  .cevno = 32});
    reg.petition({.no = 5,
                  .adsoy = QStringLiteral("Ali Rıza"),
                  .bkod = zabita,
                  .cevdur = QStringLiteral("E")});
}

TEST(PetitionPicker, CombinesItsFourFilters)
{
    TempDatabase t;
    Registry reg(t);
    fillPetitions(reg);
    core::AppContext ctx;
    PromptScript prompts;
    lists::TFRMDILBUL picker(t.dm(), ctx);
    showActive(picker);
    struct Case {
        QString department, name, expected, given;
        QStringList numbers;
    };
    const QString all = QStringLiteral("TÜMÜ"), any = QStringLiteral("Tümü");
    const QString yes = QStringLiteral("Evet"), no = QStringLiteral("Hayır");
    const Case cases[] = {
        {all, {}, any, any, {"1", "2", "3", "4", "5"}},
        {all, {}, yes, no, {"1", "5"}}, // still waiting for a reply
        {all, {}, any, yes, {"2", "4"}},
        {all, {}, no, any, {"3", "4"}},
        {all, {}, yes, yes, {"2"}},
        {all, QStringLiteral("Ali"), any, any, {"1", "3", "5"}}, // anywhere in the name
        // Without regard to Turkish case: "ali" and "ALİ" are "Ali", "ALI" is not.
        {all, QStringLiteral("ali"), any, any, {"1", "3", "5"}},
        {all, QStringLiteral("ALİ"), any, any, {"1", "3", "5"}},
        {all, QStringLiteral("ALI"), any, any, {}},
        {all, QStringLiteral("rıza"), any, any, {"5"}},
        {QStringLiteral("Zabıta"), QStringLiteral("Ali"), any, any, {"3", "5"}},
        {QStringLiteral("Zabıta"), QStringLiteral("Ali"), yes, no, {"5"}},
        {QStringLiteral("Fen İşleri"), {}, any, yes, {"2"}},
        {QStringLiteral("Yok"), {}, any, any, {}},
    };
    for (const Case& c : cases) {
        pick(picker, "cmbBirim", c.department);
        typeName(picker, c.name);
        pick(picker, "cmbCevdur", c.expected);
        pick(picker, "cmbCevno", c.given);
        EXPECT_EQ(shownColumn(picker), c.numbers)
            << c.department.toStdString() << " / " << c.name.toStdString() << " / "
            << c.expected.toStdString() << " / " << c.given.toStdString();
    }
    picker.cancel();
}

TEST(PetitionPicker, NameBoxFiltersOnEveryKeystroke)
{
    TempDatabase t;
    Registry reg(t);
    fillPetitions(reg);
    // The longest name the column holds, typed in full.
    const QString longest = QStringLiteral("Abdurrahman Şahinoğlu Yıldırım");
    ASSERT_EQ(longest.size(), 30);
    reg.petition({.no = 6, .adsoy = longest});
    core::AppContext ctx;
    PromptScript prompts; // no error may come
    lists::TFRMDILBUL picker(t.dm(), ctx);
    showActive(picker);
    auto& name = child<QLineEdit>(picker, "edtAdsoy");
    type(name, QStringLiteral("A"));
    EXPECT_EQ(shownColumn(picker), QStringList({"1", "2", "3", "4", "5", "6"}));
    type(name, QStringLiteral("li R"));
    EXPECT_EQ(shownColumn(picker), QStringList({"5"}));
    QTest::keyClick(&name, Qt::Key_Backspace);
    EXPECT_EQ(shownColumn(picker), QStringList({"1", "3", "5"}));

    typeName(picker, longest + QStringLiteral("x")); // the box stops at the column's size
    EXPECT_EQ(name.text(), longest);
    EXPECT_EQ(shownColumn(picker), QStringList({"6"}));
    picker.cancel();
}

TEST(PetitionPicker, KeepsItsNameAndReplyFiltersBetweenUses)
{
    TempDatabase t;
    Registry reg(t);
    fillPetitions(reg);
    core::AppContext ctx;
    lists::TFRMDILBUL picker(t.dm(), ctx);
    showActive(picker);
    EXPECT_EQ(child<QComboBox>(picker, "cmbCevdur").currentText(), QStringLiteral("Tümü"));
    EXPECT_EQ(child<QComboBox>(picker, "cmbCevno").currentText(), QStringLiteral("Tümü"));
    pick(picker, "cmbBirim", QStringLiteral("Fen İşleri"));
    typeName(picker, QStringLiteral("Ali"));
    pick(picker, "cmbCevdur", QStringLiteral("Evet"));
    EXPECT_EQ(shownColumn(picker), QStringList({"1"}));
    picker.cancel();

    // The department list goes back to its all-entry; the rest stays.
    reg.petition({.no = 7, .adsoy = QStringLiteral("Ali Kemal"), .cevdur = QStringLiteral("E")});
    showActive(picker);
    EXPECT_EQ(child<QComboBox>(picker, "cmbBirim").currentText(), QStringLiteral("TÜMÜ"));
    EXPECT_EQ(child<QLineEdit>(picker, "edtAdsoy").text(), QStringLiteral("Ali"));
    EXPECT_EQ(child<QComboBox>(picker, "cmbCevdur").currentText(), QStringLiteral("Evet"));
    EXPECT_EQ(shownColumn(picker), QStringList({"1", "5", "7"}));
    EXPECT_EQ(picker.list().sql().section(QLatin1Char('\n'), 2, 2),
              QStringLiteral("WHERE UPPER(CAST(ADSOY AS VARCHAR(30) CHARACTER SET WIN1254) COLLATE "
                             "PXW_TURK) LIKE  UPPER(CAST(:AA AS VARCHAR(32) CHARACTER SET WIN1254) "
                             "COLLATE PXW_TURK) AND D.CEVDUR=:cd"));
    picker.cancel();

    // The lists of the other pickers start on "TÜMÜ" again too.
    lists::TFRMGELBUL incoming(t.dm(), ctx);
    showActive(incoming);
    pick(incoming, "cmbKurum", QStringLiteral("Yok"));
    incoming.cancel();
    showActive(incoming);
    EXPECT_EQ(child<QComboBox>(incoming, "cmbKurum").currentText(), QStringLiteral("TÜMÜ"));
    incoming.cancel();
}

TEST(PetitionPicker, ListsEveryPetitionWithItsColumns)
{
    TempDatabase t;
    Registry reg(t);
    const int fen = reg.department(QStringLiteral("Fen İşleri"));
    reg.petition({.no = 3,
                  .date = QStringLiteral("07.01.2026"),
                  .adsoy = QStringLiteral("Ali Veli"),
                  .bkod = fen,
                  .konu = QStringLiteral("Kaldırım onarımı"),
                  .cevdur = QStringLiteral("H"),
                  .diltar = QStringLiteral("06.01.2026")});
    core::AppContext ctx;
    lists::TFRMDILBUL picker(t.dm(), ctx);
    showActive(picker);
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("DİLEKÇE ARAMA"));
    EXPECT_EQ(child<QGroupBox>(picker, "grpFiltre").title(), QStringLiteral("Filtre Seçeneekleri"));
    EXPECT_EQ(child<QGroupBox>(picker, "grpListe").title(),
              QStringLiteral("DİLEKÇE LİSTESİ (CEVAP BEKLEYEN)"));
    const widgets::QueryModel& m = *grid(picker).queryModel();
    QStringList headings, row;
    for (int col = 0; col < m.columnCount(); ++col) {
        headings << m.headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
        row << m.text(0, col);
    }
    EXPECT_EQ(headings, QStringList({"Kay.No", "Kay.Tarihi", "Dilekçe Konusu", "Dilekçe Veren"}));
    EXPECT_EQ(row, QStringList({"3", "06.01.2026", "Kaldırım onarımı", "Ali Veli"}));
    EXPECT_EQ(picker.list().sql(),
              QStringLiteral("SELECT D.KAYNO,D.DILNO,D.DILTAR,D.KONU,B.BIRIM,D.ADSOY FROM "
                             "DILEKCE D\nLEFT JOIN BIRIM B ON(B.BKOD=D.BKOD)\n"
                             "ORDER BY D.DILNO"));
    picker.cancel();
}

TEST(Pickers, ADatabaseErrorIsReportedAndThePickerStaysOpen)
{
    TempDatabase t;
    Registry reg(t);
    reg.incoming({.no = 1});
    core::AppContext ctx;
    lists::TFRMGELBUL picker(t.dm(), ctx);
    showActive(picker);
    PromptScript prompts;
    prompts.expectMessage(QStringLiteral("BİR HATA OLUŞTU:"));
    // Another workstation's file without the column the list reads.
    t.exec(QStringLiteral("ALTER TABLE GELEN DROP EVSAY"));
    child<QComboBox>(picker, "cmbKurum").setEditText(QStringLiteral("Yok"));
    prompts.verify();
    EXPECT_TRUE(picker.isVisible());
    picker.cancel();
    EXPECT_FALSE(picker.isVisible());
}

} // namespace
