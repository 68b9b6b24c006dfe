// The register ledgers and the general list, driven as a clerk drives them.

#include "lists/details.h"
#include "lists/ledgers.h"
#include "lists/pickers.h"
#include "lists/registerbooks.h"
#include "registry.h"
#include "report/printrule.h"
#include "support/clerk.h"
#include "support/promptscript.h"
#include "support/testdb.h"
#include "widgets/datebox.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using liststest::Petition;
using liststest::Register;
using liststest::Registry;
using testsupport::child;
using testsupport::PromptScript;
using testsupport::showActive;
using testsupport::TempDatabase;

namespace {

// The clerk picks an entry of a list, or types into an editable one.
void pick(lists::Ledger& ledger, const char* list, const QString& text)
{
    auto& box = child<QComboBox>(ledger, list);
    const int index = box.findText(text, Qt::MatchExactly);
    if (index >= 0 || !box.isEditable())
        box.setCurrentIndex(index);
    else
        box.setEditText(text);
}

// The clerk types a date (digits only, the mask places them) and presses Enter.
void enterDate(lists::Ledger& ledger, const QString& digits)
{
    auto& box = child<widgets::DateBox>(ledger, "edtTarih");
    box.setValue(QString());
    box.setFocus();
    box.home(false);
    QTest::keyClicks(&box, digits);
    QTest::keyClick(&box, Qt::Key_Return);
}

QStringList column(lists::Ledger& ledger, const QString& name)
{
    QStringList texts;
    db::Query& q = ledger.list();
    for (int r = 0; r < q.rowCount(); ++r)
        texts << q.value(r, name).toString();
    return texts;
}

// The condition line of the list query: the line after the joins.
QString conditionLine(lists::Ledger& ledger, int joins)
{
    const QStringList lines = ledger.list().sql().split(QLatin1Char('\n'));
    return lines.size() > joins + 2 ? lines.value(joins + 1) : QString();
}

QString month(const QString& column)
{
    return lists::monthCondition(column);
}

// Code rows and five incoming documents; 2 carries the impossible date the
// mask lets through.
struct Year {
    TempDatabase t;
    Registry reg{t};
    int valilik = reg.institution(QStringLiteral("Valilik"));
    int kaymakamlik = reg.institution(QStringLiteral("Kaymakamlık"));
    int cevre = reg.institution(QStringLiteral("Çevre Derneği"));
    int cami = reg.institution(QStringLiteral("Cami Derneği"));
    int fen = reg.department(QStringLiteral("Fen İşleri"));
    int zabita = reg.department(QStringLiteral("Zabıta"));
    int resmi = reg.docType(QStringLiteral("Resmi Yazı"));
    int genelge = reg.docType(QStringLiteral("Genelge"));
    core::AppContext ctx;

    void documents(Register r)
    {
        struct Row {
            const char* date;
            int dkod, bkod, ekod;
            const char* cevdur;
            const char* gizder;
        };
        const Row rows[] = {
            {"05.03.2026", valilik, fen, resmi, "E", "G"},
            {"05.13.2026", kaymakamlik, zabita, genelge, "H", "Ö"},
            {"12.03.2026", valilik, zabita, resmi, "E", "K"},
            {"05.03.2026", kaymakamlik, fen, genelge, "E", "Ç"},
            {"20.04.2026", valilik, fen, resmi, "H", "G"},
        };
        int no = 0;
        for (const Row& row : rows) {
            ++no;
            reg.add(r, {.no = no,
                        .date = QString::fromLatin1(row.date),
                        .dkod = row.dkod,
                        .bkod = row.bkod,
                        .konu = QStringLiteral("Konu %1: İçişleri şöförü çağrı").arg(no),
                        .cevdur = QString::fromLatin1(row.cevdur),
                        .ekod = row.ekod,
                        .gizder = QString::fromUtf8(row.gizder),
                        .kayno = (r == Register::Incoming ? 10 : 20) + no});
        }
    }
    void petitions()
    {
        struct Row {
            const char* geltar;
            const char* diltar;
            int bkod, ekod;
            const char* cevdur;
            const char* gizder;
        };
        const Row rows[] = {
            {"05.03.2026", "01.03.2026", fen, resmi, "E", "G"},
            {"06.13.2026", "02.03.2026", zabita, genelge, "H", "Ö"},
            {"12.03.2026", "01.03.2026", zabita, resmi, "E", "K"},
        };
        int no = 0;
        for (const Row& row : rows) {
            ++no;
            reg.petition({.no = no,
                          .date = QString::fromLatin1(row.geltar),
                          .adsoy = QStringLiteral("Ayşe Öztürk %1").arg(no),
                          .bkod = row.bkod,
                          .konu = QStringLiteral("Dilekçe %1").arg(no),
                          .cevdur = QString::fromLatin1(row.cevdur),
                          .diltar = QString::fromLatin1(row.diltar),
                          .ekod = row.ekod,
                          .gizder = QString::fromUtf8(row.gizder),
                          .kayno = 30 + no});
        }
    }
};

struct FilterCase {
    QList<std::pair<const char*, QString>> choices; // list, entry
    QString date;                                   // digits typed, then Enter; empty: none
    QString condition;
    QVariantList params;
    QStringList numbers;
};

TEST(IncomingLedger, TheFiltersBuildTheirConditionsAndBindInTheOrderOfTheTable)
{
    Year y;
    y.documents(Register::Incoming);
    PromptScript prompts; // no message may come
    lists::TFRMGELLIST ledger(y.t.dm(), y.ctx);
    showActive(ledger);
    EXPECT_EQ(ledger.windowTitle(), QStringLiteral("GELEN YAZILAR  LİSTESİ"));
    EXPECT_EQ(child<QGroupBox>(ledger, "grpFiltre").title(), QString()); // no heading
    EXPECT_EQ(column(ledger, QStringLiteral("GELNO")), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(ledger.list().currentRow(), 4);
    // The institutions in alphabetical order, the all-entry first.
    auto& kurum = child<QComboBox>(ledger, "cmbKurum");
    QStringList names;
    for (int i = 0; i < kurum.count(); ++i)
        names << kurum.itemText(i);
    EXPECT_EQ(names,
              QStringList({"  TÜMÜ", "Cami Derneği", "Çevre Derneği", "Kaymakamlık", "Valilik"}));

    const QString all = QStringLiteral("TÜMÜ");
    const QString m = month(QStringLiteral("GELTAR"));
    const FilterCase cases[] = {
        {{}, {}, QString(), {}, {"1", "2", "3", "4", "5"}},
        {{{"cmbKurum", QStringLiteral("Valilik")}},
         {},
         QStringLiteral("WHERE G1.DKOD=:DK"),
         {y.valilik},
         {"1", "3", "5"}},
        {{{"cmbKurum", QStringLiteral("Valilik")}, {"cmbCevap", QStringLiteral("Beklenen")}},
         {},
         QStringLiteral("WHERE G1.DKOD=:DK AND G1.CEVDUR=:CD"),
         {y.valilik, QStringLiteral("E")},
         {"1", "3"}},
        {{{"cmbBirim", QStringLiteral("Zabıta")}, {"cmbAy", QStringLiteral("Mart")}},
         {},
         QStringLiteral("WHERE G1.BKOD=:BK AND ") + m,
         {y.zabita, 3, 3},
         {"3"}},
        {{{"cmbCinsi", QStringLiteral("Genelge")}, {"cmbCevap", QStringLiteral("Beklenmeyen")}},
         {},
         QStringLiteral("WHERE G1.EKOD=:EK AND G1.CEVDUR=:CD"),
         {y.genelge, QStringLiteral("H")},
         {"2"}},
        {{{"cmbGizlilik", QStringLiteral("Kişiye Özel")}},
         {},
         QStringLiteral("WHERE G1.GIZDER=:GD"),
         {QStringLiteral("K")},
         {"3"}},
        {{{"cmbGizlilik", QStringLiteral("Çok Gizli")}},
         QStringLiteral("05032026"),
         QStringLiteral("WHERE G1.GIZDER=:GD AND G1.GELTAR=:GT"),
         {QStringLiteral("Ç"), QStringLiteral("05.03.2026")},
         {"4"}},
        // A date typed only partly is compared with its blanks and finds nothing.
        {{},
         QStringLiteral("0503"),
         QStringLiteral("WHERE G1.GELTAR=:GT"),
         {QStringLiteral("05.03.    ")},
         {}},
        {{{"cmbKurum", QStringLiteral("Kaymakamlık")},
          {"cmbBirim", QStringLiteral("Fen İşleri")},
          {"cmbCinsi", QStringLiteral("Genelge")},
          {"cmbCevap", QStringLiteral("Beklenen")},
          {"cmbAy", QStringLiteral("Mart")},
          {"cmbGizlilik", QStringLiteral("Çok Gizli")}},
         QStringLiteral("05032026"),
         QStringLiteral(
             "WHERE G1.DKOD=:DK AND G1.BKOD=:BK AND G1.EKOD=:EK AND G1.CEVDUR=:CD AND ") +
             m + QStringLiteral(" AND G1.GIZDER=:GD AND G1.GELTAR=:GT"),
         {y.kaymakamlik, y.fen, y.genelge, QStringLiteral("E"), 3, 3, QStringLiteral("Ç"),
          QStringLiteral("05.03.2026")},
         {"4"}},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.condition.toStdString());
        ledger.reactivate();
        for (const auto& [list, entry] : c.choices)
            pick(ledger, list, entry);
        if (!c.date.isEmpty())
            enterDate(ledger, c.date);
        EXPECT_EQ(conditionLine(ledger, 3), c.condition);
        EXPECT_EQ(ledger.filters().conditions().params(), c.params);
        EXPECT_EQ(column(ledger, QStringLiteral("GELNO")), c.numbers);
        EXPECT_EQ(ledger.list().sql().split(QLatin1Char('\n')).last(),
                  QStringLiteral("ORDER BY KAYNO"));
    }
    ledger.exit();
}

TEST(IncomingLedger, AMonthEmptiesTheDateBoxAndBothApplyTogether)
{
    Year y;
    y.documents(Register::Incoming);
    lists::TFRMGELLIST ledger(y.t.dm(), y.ctx);
    showActive(ledger);
    auto& date = child<widgets::DateBox>(ledger, "edtTarih");
    enterDate(ledger, QStringLiteral("12032026"));
    EXPECT_EQ(column(ledger, QStringLiteral("GELNO")), QStringList{"3"});
    pick(ledger, "cmbAy", QStringLiteral("Mart"));
    EXPECT_TRUE(date.isBlank());
    EXPECT_EQ(column(ledger, QStringLiteral("GELNO")), QStringList({"1", "3", "4"}));
    // A date typed after the month keeps the month: both conditions apply.
    enterDate(ledger, QStringLiteral("05032026"));
    EXPECT_EQ(child<QComboBox>(ledger, "cmbAy").currentText(), QStringLiteral("Mart"));
    EXPECT_EQ(column(ledger, QStringLiteral("GELNO")), QStringList({"1", "4"}));
    // Typing alone does not run the query; a double click empties the box
    // and runs it.
    date.setFocus();
    date.home(false);
    QTest::keyClicks(&date, QStringLiteral("2"));
    EXPECT_EQ(column(ledger, QStringLiteral("GELNO")), QStringList({"1", "4"}));
    QTest::mouseDClick(&date, Qt::LeftButton);
    EXPECT_TRUE(date.isBlank());
    EXPECT_EQ(column(ledger, QStringLiteral("GELNO")), QStringList({"1", "3", "4"}));
    // The refresh button runs the query as the filters stand.
    y.reg.add(Register::Incoming, {.no = 6, .date = QStringLiteral("30.03.2026"), .kayno = 16});
    child<QPushButton>(ledger, "btnYenile").click();
    EXPECT_EQ(column(ledger, QStringLiteral("GELNO")), QStringList({"1", "3", "4", "6"}));
    ledger.exit();
}

// The month form of the ledgers finds the rows the system's SUBSTR test
// finds, month 13 of an impossible date and a month typed with a blank
// included.
TEST(Ledgers, TheMonthConditionMatchesWhatTheSystemsSubstrMatches)
{
    Year y;
    const QString dates[] = {QStringLiteral("05.13.2024"), QStringLiteral("05.03.2024"),
                             QStringLiteral("05. 3.2024"), QStringLiteral("31.12.2024"),
                             QStringLiteral("01.01.2024")};
    int no = 0;
    for (const QString& d : dates)
        y.reg.incoming({.no = ++no, .date = d});
    db::Query q(y.t.database());
    for (int ay : {13, 3, 12, 1, 2, -1}) {
        SCOPED_TRACE(ay);
        auto numbers = [&](const QString& condition, const QVariantList& params) {
            q.openLines({QStringLiteral("SELECT GELNO FROM GELEN G1"), condition,
                         QStringLiteral("ORDER BY GELNO")},
                        params);
            QStringList found;
            for (int r = 0; r < q.rowCount(); ++r)
                found << q.value(r, 0).toString();
            q.close();
            return found;
        };
        const QStringList system =
            numbers(QStringLiteral("WHERE CAST(SUBSTR(G1.GELTAR ,4,5) AS SMALLINT)=:AY"), {ay});
        EXPECT_EQ(numbers(QStringLiteral("WHERE ") + month(QStringLiteral("GELTAR")), {ay, ay}),
                  system);
        if (ay == 13) {
            EXPECT_EQ(system, QStringList{"1"});
        } else if (ay == 3) {
            EXPECT_EQ(system, QStringList({"2", "3"}));
        }
    }
}

TEST(Ledgers, TheOutgoingAndPetitionLedgersCompareTheirOwnDates)
{
    Year y;
    y.documents(Register::Outgoing);
    y.petitions();
    struct Case {
        std::function<std::unique_ptr<lists::Ledger>()> make;
        QString title;
        QString date;
        QString condition;
        QString numberColumn;
        QStringList numbers;
    };
    const Case cases[] = {
        {[&] { return std::make_unique<lists::TFRMGIDLIST>(y.t.dm(), y.ctx); },
         QStringLiteral("GİDEN YAZILAR  LİSTESİ"),
         QStringLiteral("05032026"),
         QStringLiteral("WHERE G1.BKOD=:BK AND ") + month(QStringLiteral("GIDTAR")) +
             QStringLiteral(" AND G1.GIDTAR=:GT"),
         QStringLiteral("GIDNO"),
         {"1", "4"}},
        // The month of the registration date, the date of the petition itself.
        {[&] { return std::make_unique<lists::TFRMDILLIST>(y.t.dm(), y.ctx); },
         QStringLiteral("DİLEKÇELER  LİSTESİ"),
         QStringLiteral("01032026"),
         QStringLiteral("WHERE G1.BKOD=:BK AND ") + month(QStringLiteral("GELTAR")) +
             QStringLiteral(" AND G1.DILTAR=:GT"),
         QStringLiteral("DILNO"),
         {"1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        auto ledger = c.make();
        showActive(*ledger);
        EXPECT_EQ(ledger->windowTitle(), c.title);
        EXPECT_EQ(child<QGroupBox>(*ledger, "grpFiltre").title(), QString()); // no heading
        pick(*ledger, "cmbBirim", QStringLiteral("Fen İşleri"));
        pick(*ledger, "cmbAy", QStringLiteral("Mart"));
        enterDate(*ledger, c.date);
        EXPECT_EQ(conditionLine(*ledger, 2), c.condition);
        EXPECT_EQ(column(*ledger, c.numberColumn), c.numbers);
        ledger->exit();
    }
}

// A ledger of editable lists: a typed text that is no entry keeps its
// filter on, so the codes and the month filter with -1, the grade with the
// first letter typed, and the reply with the letter of the entry chosen last.
TEST(PetitionLedger, TypedTextsKeepTheirFiltersOn)
{
    Year y;
    y.petitions();
    lists::TFRMDILLIST ledger(y.t.dm(), y.ctx);
    showActive(ledger);
    EXPECT_EQ(column(ledger, QStringLiteral("DILNO")), QStringList({"1", "2", "3"}));
    struct Case {
        const char* list;
        QString typed;
        QString condition;
        QVariantList params;
        QStringList numbers;
    };
    const Case cases[] = {
        {"cmbBirim", QStringLiteral("Yok Böyle"), QStringLiteral("WHERE G1.BKOD=:BK"), {-1}, {}},
        {"cmbCinsi", QStringLiteral("Yok"), QStringLiteral("WHERE G1.EKOD=:EK"), {-1}, {}},
        {"cmbAy",
         QStringLiteral("Martt"),
         QStringLiteral("WHERE ") + month(QStringLiteral("GELTAR")),
         {-1, -1},
         {}},
        {"cmbGizlilik",
         QStringLiteral("gizli"),
         QStringLiteral("WHERE G1.GIZDER=:GD"),
         {QStringLiteral("g")},
         {}},
        {"cmbGizlilik",
         QStringLiteral("Kuşkulu"),
         QStringLiteral("WHERE G1.GIZDER=:GD"),
         {QStringLiteral("K")},
         {"3"}},
        {"cmbCevap",
         QStringLiteral("Hepsi"),
         QStringLiteral("WHERE G1.CEVDUR=:CD"),
         {QStringLiteral("H")},
         {"2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        ledger.reactivate();
        if (QLatin1String(c.list) == QLatin1String("cmbCevap"))
            pick(ledger, "cmbCevap", QStringLiteral("Beklenmeyen"));
        pick(ledger, c.list, c.typed);
        EXPECT_EQ(conditionLine(ledger, 2), c.condition);
        EXPECT_EQ(ledger.filters().conditions().params(), c.params);
        EXPECT_EQ(column(ledger, QStringLiteral("DILNO")), c.numbers);
    }
    ledger.exit();
}

TEST(PetitionLedger, SearchMovesToTheChosenPetitionWhenTheFiltersShowIt)
{
    Year y;
    y.petitions();
    lists::TFRMDILBUL picker(y.t.dm(), y.ctx);
    lists::TFRMDILLIST ledger(y.t.dm(), y.ctx);
    ledger.setPicker(&picker);
    PromptScript prompts;
    showActive(ledger);
    auto chooseRow = [](int row) {
        return [row](QDialog& d) {
            auto& p = static_cast<lists::TFRMDILBUL&>(d);
            p.list().setCurrentRow(row);
            p.choose();
        };
    };
    prompts.expectModal(QStringLiteral("TFRMDILBUL"), chooseRow(0));
    QTest::keyClick(&ledger, Qt::Key_F3);
    EXPECT_EQ(ledger.list().field(QStringLiteral("KAYNO")).toInt(), 31);
    // Cancelled: the row stays.
    prompts.expectModal(QStringLiteral("TFRMDILBUL"),
                        [](QDialog& d) { static_cast<lists::TFRMDILBUL&>(d).cancel(); });
    child<QPushButton>(ledger, "btnAra").click();
    EXPECT_EQ(ledger.list().field(QStringLiteral("KAYNO")).toInt(), 31);
    // A petition the filters hide: the list does not move.
    pick(ledger, "cmbBirim", QStringLiteral("Zabıta"));
    ledger.list().first();
    prompts.expectModal(QStringLiteral("TFRMDILBUL"), chooseRow(0));
    child<QPushButton>(ledger, "btnAra").click();
    EXPECT_EQ(ledger.list().field(QStringLiteral("KAYNO")).toInt(), 32);
    ledger.exit();
}

// Coming back from the detail view keeps the filters, the list and the
// current row; coming back from a print preview is an activation.
TEST(IncomingLedger, ReturnsFromTheDetailViewAsLeftAndFromAPreviewReset)
{
    Year y;
    y.documents(Register::Incoming);
    y.ctx.PreviewBeforePrint = QStringLiteral("E");
    lists::TFRMGELDET view(y.t.dm(), y.ctx);
    lists::TFRMGELLIST ledger(y.t.dm(), y.ctx);
    ledger.setDetailView(&view);
    PromptScript prompts;
    showActive(ledger);
    pick(ledger, "cmbKurum", QStringLiteral("Valilik"));
    enterDate(ledger, QStringLiteral("12032026"));
    ASSERT_EQ(column(ledger, QStringLiteral("GELNO")), QStringList{"3"});
    prompts.expectModal(QStringLiteral("TFRMGELDET"), [](QDialog& d) {
        EXPECT_EQ(static_cast<lists::TFRMGELDET&>(d).DetailKayno, 13);
        child<QPushButton>(static_cast<QWidget&>(d), "btnCikis").click();
    });
    QTest::keyClick(&ledger, Qt::Key_F2);
    prompts.verify();
    EXPECT_EQ(child<QComboBox>(ledger, "cmbKurum").currentText(), QStringLiteral("Valilik"));
    EXPECT_EQ(child<widgets::DateBox>(ledger, "edtTarih").value(), QStringLiteral("12.03.2026"));
    EXPECT_EQ(column(ledger, QStringLiteral("GELNO")), QStringList{"3"});
    EXPECT_EQ(ledger.list().currentRow(), 0);

    // A cancelled print dialog changes nothing.
    prompts.expectPrintDialog(false);
    ledger.print(0);
    EXPECT_EQ(child<QComboBox>(ledger, "cmbKurum").currentText(), QStringLiteral("Valilik"));

    // The preview shows the rows on screen; closing it resets the ledger.
    QTemporaryDir dir;
    prompts.expectPrintDialog(true, 1, dir.filePath(QStringLiteral("p.pdf")));
    ledger.print(2);
    auto* preview = ledger.findChild<report::PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->pageCount(), 1);
    EXPECT_EQ(ledger.layout(2).rows()->rowCount(), 1);
    preview->close();
    QApplication::processEvents();
    EXPECT_EQ(child<QComboBox>(ledger, "cmbKurum").currentText(), QStringLiteral("  TÜMÜ"));
    EXPECT_TRUE(child<widgets::DateBox>(ledger, "edtTarih").isBlank());
    EXPECT_EQ(column(ledger, QStringLiteral("GELNO")).size(), 5);
    EXPECT_EQ(ledger.list().currentRow(), 4);

    // On an empty list the view opens for the key 0.
    pick(ledger, "cmbGizlilik", QStringLiteral("Özel"));
    pick(ledger, "cmbCevap", QStringLiteral("Beklenen"));
    ASSERT_EQ(ledger.list().rowCount(), 0);
    prompts.expectModal(QStringLiteral("TFRMGELDET"), [](QDialog& d) {
        EXPECT_EQ(static_cast<lists::TFRMGELDET&>(d).DetailKayno, 0);
        child<QPushButton>(static_cast<QWidget&>(d), "btnCikis").click();
    });
    child<QPushButton>(ledger, "btnDetay").click();
    ledger.exit();
}

TEST(IncomingLedger, PrintsTheRowsOnScreenStraightToThePrinterOrReportsAFailure)
{
    Year y;
    y.documents(Register::Incoming);
    y.ctx.PreviewBeforePrint = QStringLiteral("H");
    // The emblem the main window holds, asked for at each print.
    QImage emblem(40, 30, QImage::Format_RGB32);
    emblem.fill(Qt::red);
    int emblemAsked = 0;
    lists::TFRMGELLIST ledger(y.t.dm(), y.ctx, [&] {
        ++emblemAsked;
        return emblem;
    });
    PromptScript prompts;
    showActive(ledger);
    // F7 opens the print menu with the ledger's three entries, then the
    // two ways of taking the rows out of the program.
    QTest::keyClick(&ledger, Qt::Key_F7);
    QStringList entries;
    for (QAction* a : ledger.printMenu().actions())
        entries << a->text();
    EXPECT_EQ(entries, QStringList({"Gelen Yazılar Defteri (1)", "Gelen Yazılar Defteri (2)",
                                    "Liste Yazdır", "", "Excel'e Aktar", "CSV Olarak Kaydet"}));
    EXPECT_TRUE(ledger.printMenu().isVisible());
    ledger.printMenu().hide();

    pick(ledger, "cmbCevap", QStringLiteral("Beklenen"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("defter.pdf"));
    prompts.expectPrintDialog(true, 2, pdf);
    ledger.printMenu().actions().at(0)->trigger();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(emblemAsked, 1);
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().contains("/Subtype /Image")); // the emblem
    EXPECT_EQ(ledger.layout(0).copyCount(), 2);
    EXPECT_EQ(ledger.layout(0).rows()->rowCount(), 3);
    EXPECT_EQ(child<QComboBox>(ledger, "cmbCevap").currentText(), QStringLiteral("Beklenen"));

    // A file that cannot be written is reported with its cause; the ledger
    // stays with its rows.
    prompts.expectPrintDialog(true, 1, dir.filePath(QStringLiteral("yok/defter.pdf")))
        .expectMessage(testsupport::errorText(core::ErrorCause::WriteFailed));
    ledger.printMenu().actions().at(2)->trigger();
    prompts.verify();
    EXPECT_TRUE(ledger.isVisible());
    EXPECT_EQ(ledger.list().rowCount(), 3);
    ledger.exit();
}

// Every column a layout prints is a column of its ledger's result, but the
// "İlgi No" of the petitions, which the petition ledger does not carry.
TEST(PrintedLayouts, ReadColumnsTheirLedgersResultsCarry)
{
    Year y;
    y.documents(Register::Incoming);
    y.documents(Register::Outgoing);
    y.petitions();
    struct Case {
        std::function<std::unique_ptr<lists::Ledger>()> make;
        QStringList absent;
    };
    const Case cases[] = {
        {[&] { return std::make_unique<lists::TFRMGELLIST>(y.t.dm(), y.ctx); }, {}},
        {[&] { return std::make_unique<lists::TFRMGIDLIST>(y.t.dm(), y.ctx); }, {}},
        {[&] { return std::make_unique<lists::TFRMDILLIST>(y.t.dm(), y.ctx); }, {"ILGNO"}},
    };
    for (const Case& c : cases) {
        auto ledger = c.make();
        showActive(*ledger);
        for (int p = 0; p < ledger->ledgerTable().printMenu.size(); ++p) {
            const report::TableDesign& design = ledger->layout(p).design();
            SCOPED_TRACE(design.name.toStdString());
            double width = 0;
            for (const report::TableColumn& col : design.columns) {
                width += col.width;
                for (const auto& line : col.lines) {
                    for (const report::CellValue& v : line) {
                        if (!v.field.isEmpty()) {
                            EXPECT_EQ(ledger->list().columnIndex(v.field) >= 0,
                                      !c.absent.contains(v.field))
                                << v.field.toStdString();
                        }
                    }
                }
            }
            EXPECT_GT(width, 260);
            EXPECT_LE(width, 277);
        }
        ledger->exit();
    }
}

TEST(GeneralList, ListsTheRegistersTuruNamesWithTheLedgersFilters)
{
    Year y;
    y.documents(Register::Incoming);
    y.documents(Register::Outgoing);
    y.petitions();
    lists::TFRMGELDET gel(y.t.dm(), y.ctx);
    lists::TFRMGIDDET gid(y.t.dm(), y.ctx);
    lists::TFRMDILDET dil(y.t.dm(), y.ctx);
    lists::TFRMGENLST list(y.t.dm(), y.ctx);
    list.setDetailViews(&gel, &gid, &dil);
    PromptScript prompts;
    showActive(list);
    EXPECT_EQ(list.windowTitle(), QStringLiteral("GENEL  LİSTESİ"));
    EXPECT_EQ(child<QGroupBox>(list, "grpFiltre").title(), QStringLiteral("Filtre Seçeneekleri"));
    struct Case {
        QList<std::pair<const char*, QString>> choices;
        QStringList keys;
    };
    const Case cases[] = {
        {{}, {"11", "12", "13", "14", "15", "21", "22", "23", "24", "25", "31", "32", "33"}},
        {{{"cmbTuru", QStringLiteral("Gelen Evrak")}}, {"11", "12", "13", "14", "15"}},
        {{{"cmbTuru", QStringLiteral("Dilekçe")}, {"cmbCevap", QStringLiteral("Beklenen")}},
         {"31", "33"}},
        // A petition comes from no institution.
        {{{"cmbKurum", QStringLiteral("Valilik")}}, {"11", "13", "15", "21", "23", "25"}},
        {{{"cmbTuru", QStringLiteral("Dilekçe")}, {"cmbKurum", QStringLiteral("Valilik")}}, {}},
        {{{"cmbBirim", QStringLiteral("Zabıta")}, {"cmbAy", QStringLiteral("Mart")}},
         {"13", "23", "33"}},
        {{{"cmbGizlilik", QStringLiteral("Gizli")}, {"cmbTuru", QStringLiteral("Giden Evrak")}},
         {"21", "25"}},
        {{{"cmbKurum", QStringLiteral("Yok Böyle")}}, {}},
    };
    for (const Case& c : cases) {
        list.reactivate();
        for (const auto& [box, entry] : c.choices)
            pick(list, box, entry);
        EXPECT_EQ(column(list, QStringLiteral("KAYNO")), c.keys) << list.list().sql().toStdString();
    }
    // Each row says its register; "F2-Detay" opens the view of that register.
    list.reactivate();
    EXPECT_EQ(list.grid().queryModel()->text(0, 6), QStringLiteral("Gelen Evrak"));
    EXPECT_EQ(list.grid().queryModel()->text(12, 6), QStringLiteral("Dilekçe"));
    EXPECT_EQ(list.list().field(QStringLiteral("KAYNO")).toInt(), 33);
    prompts.expectModal(QStringLiteral("TFRMDILDET"), [](QDialog& d) {
        EXPECT_EQ(static_cast<lists::TFRMDILDET&>(d).DetailKayno, 33);
        child<QPushButton>(static_cast<QWidget&>(d), "btnCikis").click();
    });
    QTest::keyClick(&list, Qt::Key_F2);
    list.list().locate(QStringLiteral("KAYNO"), 22);
    prompts.expectModal(QStringLiteral("TFRMGIDDET"), [](QDialog& d) {
        EXPECT_EQ(static_cast<lists::TFRMGIDDET&>(d).DetailKayno, 22);
        child<QPushButton>(static_cast<QWidget&>(d), "btnCikis").click();
    });
    QTest::keyClick(&list, Qt::Key_F2);
    list.close();
    EXPECT_TRUE(list.isVisible());
    QTest::keyClick(&list, Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());
}

} // namespace
