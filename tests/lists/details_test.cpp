#include "lists/details.h"
#include "registry.h"
#include "support/promptscript.h"
#include "support/testdb.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using lists::DocumentDetail;
using liststest::Registry;
using testsupport::PromptScript;
using testsupport::TempDatabase;

namespace {

void open(DocumentDetail& view, int kayno)
{
    view.DetailKayno = kayno;
    view.show();
    QApplication::setActiveWindow(&view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
}

// What a field, label or heading shows, found by its object name.
QString shown(QWidget& view, const QString& name)
{
    QObject* w = view.findChild<QObject*>(name);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* m = qobject_cast<QPlainTextEdit*>(w))
        return m->toPlainText();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    ADD_FAILURE() << "no field " << name.toStdString();
    return {};
}

// The captions of a block, top to bottom.
QStringList captions(QWidget& view, const char* block)
{
    auto* form = qobject_cast<QFormLayout*>(
        view.findChild<QGroupBox*>(QString::fromLatin1(block))->layout());
    QStringList texts;
    for (int row = 0; row < form->rowCount(); ++row)
        if (QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole))
            texts << qobject_cast<QLabel*>(item->widget())->text();
    return texts;
}

using MakeDetail = std::function<std::unique_ptr<DocumentDetail>(core::TDM&, core::AppContext&)>;

template <class View> MakeDetail maker()
{
    return [](core::TDM& dm, core::AppContext& ctx) { return std::make_unique<View>(dm, ctx); };
}

// The code rows every test here uses.
struct Codes {
    int valilik, kaymakamlik, fen, zabita, resmi;
    explicit Codes(Registry& reg)
        : valilik(reg.institution(QStringLiteral("Valilik"))),
          kaymakamlik(reg.institution(QStringLiteral("Kaymakamlık"))),
          fen(reg.department(QStringLiteral("Fen İşleri"))),
          zabita(reg.department(QStringLiteral("Zabıta"))),
          resmi(reg.docType(QStringLiteral("Resmi Yazı")))
    {
    }
};

struct FieldCase {
    const char* name;
    MakeDetail make;
    std::function<int(Registry&, const Codes&)> write;
    QStringList left, right;
    QList<std::pair<QString, QString>> texts; // object name, text
};

TEST(DetailViews, ShowEveryFieldUnderItsCaption)
{
    const QStringList registration = {
        "Kayıt Numarası",     "Kayıt Tarihi",      "Evrak Cinsi",   "Verildiği Birim",
        "Zimmet Durumu",      "Zimmet No",         "Zimmet Tarihi", "Gizlilik Derecesi",
        "Teslim Alan Adı S.", "Teslim Alan Görevi"};
    QStringList sent = registration;
    sent[3] = QStringLiteral("Gönderen Birim");
    sent[8] = QStringLiteral("Gönderen Adı S.");
    sent[9] = QStringLiteral("Gönderen Görevi");
    const QStringList document = {"",    "Evrak No (Sayı)", "Evrak Tarihi", "Konusu (Özü)",
                                  "Eki", "Cevap Bekleniyor"};
    QStringList incomingRight = document, outgoingRight = document;
    incomingRight[0] = QStringLiteral("Geldiği Yer");
    outgoingRight[0] = QStringLiteral("Gönderildiği Yer");

    const FieldCase cases[] = {
        {"TFRMGELDET",
         maker<lists::TFRMGELDET>(),
         [](Registry& reg, const Codes& c) {
             const int related = reg.outgoing({.no = 12,
                                               .date = QStringLiteral("03.01.2026"),
                                               .bkod = c.zabita,
                                               .konu = QStringLiteral("İlgi yazımız")});
             return reg.incoming({.no = 7,
                                  .date = QStringLiteral("10.01.2026"),
                                  .dkod = c.valilik,
                                  .bkod = c.fen,
                                  .konu = QStringLiteral("Yol yapımı hakkında"),
                                  .cevdur = QStringLiteral("H"),
                                  .ilgno = related,
                                  .evsay = QStringLiteral("B.12.0.45"),
                                  .evtar = QStringLiteral("08.01.2026"),
                                  .ekod = c.resmi,
                                  .zdur = QStringLiteral("D"),
                                  .zno = 44,
                                  .ztar = QStringLiteral("11.01.2026"),
                                  .gizder = QStringLiteral("K"),
                                  .tesadi = QStringLiteral("Emine Koç"),
                                  .tesgor = QStringLiteral("Memur"),
                                  .eksay = 2,
                                  .ek = QStringLiteral("Harita\nKeşif raporu")});
         },
         registration,
         incomingRight,
         {{"TFRMGELDET", "GELEN EVRAK BİLGİLERİ"},
          {"grpKayit", "EVRAK KAYIT BİLGİLERİ"},
          {"grpEvrak", "GELEN EVRAK BİLGİLERİ"},
          {"grpIlgili", "İlgili Olduğu Giden Evrak Bilgileri (Cevap)"},
          {"edtGelno", "7"},
          {"edtGeltar", "10.01.2026"},
          {"edtEcins", "Resmi Yazı"},
          {"edtBirim", "Fen İşleri"},
          {"edtZdur", "Dış"},
          {"edtZno", "44"},
          {"edtZtar", "11.01.2026"},
          {"edtGizder", "Kişiye Özel"},
          {"edtTesadi", "Emine Koç"},
          {"edtTesgor", "Memur"},
          {"edtDkurum", "Valilik"},
          {"edtEvsay", "B.12.0.45"},
          {"edtEvtar", "08.01.2026"},
          {"edtKonu", "Yol yapımı hakkında"},
          {"edtEksay", "2"},
          {"edtEk", "Harita\nKeşif raporu"},
          {"edtCevdur", "Hayır"},
          {"edtIlgNo", "12"},
          {"edtIlgTarih", "03.01.2026"},
          {"edtIlgBirim", "Zabıta"},
          {"edtIlgKonu", "İlgi yazımız"}}},
        {"TFRMGIDDET",
         maker<lists::TFRMGIDDET>(),
         [](Registry& reg, const Codes& c) {
             const int related = reg.incoming({.no = 5,
                                               .date = QStringLiteral("02.01.2026"),
                                               .bkod = c.zabita,
                                               .konu = QStringLiteral("Bilgi istenmesi")});
             return reg.outgoing({.no = 9,
                                  .date = QStringLiteral("12.01.2026"),
                                  .dkod = c.kaymakamlik,
                                  .bkod = c.fen,
                                  .konu = QStringLiteral("Bilgi verilmesi"),
                                  .cevdur = QStringLiteral("E"),
                                  .ilgno = related,
                                  .ilgdur = QStringLiteral("G"),
                                  .evsay = QStringLiteral("841.02-9"),
                                  .evtar = QStringLiteral("12.01.2026"),
                                  .ekod = c.resmi,
                                  .zdur = QStringLiteral("İ"),
                                  .zno = 3,
                                  .gizder = QStringLiteral("Ç"),
                                  .tesadi = QStringLiteral("Ayşe Demir"),
                                  .tesgor = QStringLiteral("Müdür"),
                                  .eksay = 0});
         },
         sent,
         outgoingRight,
         {{"TFRMGIDDET", "GİDEN EVRAK BİLGİLERİ"},
          {"grpKayit", "EVRAK KAYIT BİLGİLERİ"},
          {"grpEvrak", "GİDEN EVRAK BİLGİLERİ"},
          {"grpIlgili", "İlgili Olduğu Gelen Evrak Bilgileri (Cevap)"},
          {"edtGidno", "9"},
          {"edtGidtar", "12.01.2026"},
          {"edtEcins", "Resmi Yazı"},
          {"edtBirim", "Fen İşleri"},
          {"edtZdur", "İç"},
          {"edtZno", "3"},
          {"edtZtar", ""},
          {"edtGizder", "Çok Gizli"},
          {"edtTesadi", "Ayşe Demir"},
          {"edtTesgor", "Müdür"},
          {"edtDkurum", "Kaymakamlık"},
          {"edtEvsay", "841.02-9"},
          {"edtEvtar", "12.01.2026"},
          {"edtKonu1", "Bilgi verilmesi"},
          {"edtEksay", "0"},
          {"edtEk", ""},
          {"edtCevdur", "Evet"},
          {"edtIlgNo", "5"},
          {"edtIlgTarih", "02.01.2026"},
          {"edtIlgBirim", "Zabıta"},
          {"edtIlgKonu", "Bilgi istenmesi"}}},
        {"TFRMDILDET",
         maker<lists::TFRMDILDET>(),
         [](Registry& reg, const Codes& c) {
             return reg.petition({.no = 4,
                                  .date = QStringLiteral("14.01.2026"),
                                  .adsoy = QStringLiteral("Kemal Öztürk"),
                                  .bkod = c.zabita,
                                  .konu = QStringLiteral("Sokak aydınlatması"),
                                  .cevdur = QStringLiteral("E"),
                                  .diltar = QStringLiteral("13.01.2026"),
                                  .ekod = c.resmi,
                                  .zdur = QStringLiteral("X"), // no word: shown as nothing
                                  .gizder = QString(),
                                  .tesadi = QStringLiteral("Emine Koç"),
                                  .eksay = 1,
                                  .ek = QStringLiteral("Fotoğraf")});
         },
         registration,
         {"Adı Soyadı", "Dilekçe Tarihi", "Konusu (Özü)", "Eki", "Cevap Bekleniyor"},
         {{"TFRMDILDET", "DİLEKÇE BİLGİLERİ"},
          {"grpKayit", "DİLEKÇE KAYIT BİLGİLERİ"},
          {"grpEvrak", "DİLEKÇE BİLGİLERİ"},
          {"edtDilno", "4"},
          {"edtGeltar", "14.01.2026"},
          {"edtEcins", "Resmi Yazı"},
          {"edtBirim", "Zabıta"},
          {"edtZdur", ""},
          {"edtGizder", ""},
          {"edtTesadi", "Emine Koç"},
          {"edtAdsoy", "Kemal Öztürk"},
          {"edtDiltar", "13.01.2026"},
          {"edtKonu", "Sokak aydınlatması"},
          {"edtEksay", "1"},
          {"edtEk", "Fotoğraf"},
          {"edtCevdur", "Evet"},
          {"lblCevapDurumu", "Cevap Gönderilmedi...."}}},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDatabase t;
        Registry reg(t);
        const Codes codes(reg);
        const int kayno = c.write(reg, codes);
        core::AppContext ctx;
        PromptScript prompts;
        auto view = c.make(t.dm(), ctx);
        open(*view, kayno);
        EXPECT_EQ(view->objectName(), QString::fromLatin1(c.name));
        EXPECT_EQ(captions(*view, "grpKayit"), c.left);
        EXPECT_EQ(captions(*view, "grpEvrak"), c.right);
        for (const auto& [name, text] : c.texts)
            EXPECT_EQ(name == c.name ? view->windowTitle() : shown(*view, name), text)
                << name.toStdString();
        EXPECT_EQ(view->findChild<QGroupBox*>(QStringLiteral("grpIlgili"))->isVisible(),
                  std::string(c.name) != "TFRMDILDET");

        // Only "ESC-Çıkış" closes the view, and Esc presses it.
        view->close();
        EXPECT_TRUE(view->isVisible());
        QTest::keyClick(view.get(), Qt::Key_Escape);
        EXPECT_FALSE(view->isVisible());
    }
}

// One view's reply: a reply numbered 21 of 20.01.2026, written by `reply`
// and linked to the document; `place` is what the details label names.
struct ReplyView {
    const char* name;
    MakeDetail make;
    QString replied, waiting, place;
    QString replyTable;
    std::function<int(Registry&, const Codes&, const QVariant& cevdur)> document;
    std::function<int(Registry&, const Codes&, int document)> reply;
};

TEST(DetailViews, ShowTheReplyStateOfEveryCase)
{
    const QString number = QStringLiteral("21"), date = QStringLiteral("20.01.2026");
    const ReplyView views[] = {
        // The place is the reply's institution, not the department of the
        // outgoing document this one answers.
        {"TFRMGELDET", maker<lists::TFRMGELDET>(), QStringLiteral("Cevap Gönderildi...."),
         QStringLiteral("Cevap Gönderilmedi...."), QStringLiteral("Kaymakamlık"),
         QStringLiteral("GIDEN"),
         [](Registry& reg, const Codes& c, const QVariant& cevdur) {
             const int related = reg.outgoing({.no = 3, .bkod = c.zabita});
             return reg.incoming({.no = 1, .dkod = c.valilik, .cevdur = cevdur, .ilgno = related});
         },
         [&](Registry& reg, const Codes& c, int doc) {
             const int r = reg.outgoing(
                 {.no = number.toInt(), .date = date, .dkod = c.kaymakamlik, .bkod = c.fen});
             reg.outgoingAnswersIncoming(r, doc);
             return r;
         }},
        {"TFRMGIDDET", maker<lists::TFRMGIDDET>(), QStringLiteral("Cevap Geldi...."),
         QStringLiteral("Cevap GEelmedi...."), QStringLiteral("Kaymakamlık"),
         QStringLiteral("GELEN"),
         [](Registry& reg, const Codes& c, const QVariant& cevdur) {
             const int related = reg.incoming({.no = 3, .bkod = c.zabita});
             return reg.outgoing({.no = 1,
                                  .dkod = c.valilik,
                                  .cevdur = cevdur,
                                  .ilgno = related,
                                  .ilgdur = QStringLiteral("G")});
         },
         [&](Registry& reg, const Codes& c, int doc) {
             const int r = reg.incoming(
                 {.no = number.toInt(), .date = date, .dkod = c.kaymakamlik, .bkod = c.fen});
             reg.incomingAnswersOutgoing(r, doc);
             return r;
         }},
        // The place is the reply's department.
        {"TFRMDILDET", maker<lists::TFRMDILDET>(), QStringLiteral("Cevap Gönderildi...."),
         QStringLiteral("Cevap Gönderilmedi...."), QStringLiteral("Zabıta"),
         QStringLiteral("GIDEN"),
         [](Registry& reg, const Codes& c, const QVariant& cevdur) {
             return reg.petition({.no = 1, .bkod = c.fen, .cevdur = cevdur});
         },
         [&](Registry& reg, const Codes& c, int doc) {
             const int r = reg.outgoing(
                 {.no = number.toInt(), .date = date, .dkod = c.valilik, .bkod = c.zabita});
             reg.outgoingAnswersPetition(r, doc);
             return r;
         }},
    };
    enum class Reply { None, Linked, Deleted };
    struct Case {
        const char* name;
        QVariant cevdur;
        Reply reply;
        bool replied; // the linked text, else the waiting text
        bool details;
    };
    const Case cases[] = {
        {"no reply expected, one linked anyway", QStringLiteral("H"), Reply::Linked, false, false},
        {"empty CEVDUR counts as expected", QVariant(), Reply::Linked, true, true},
        {"expected, none yet", QStringLiteral("E"), Reply::None, false, false},
        {"expected and answered", QStringLiteral("E"), Reply::Linked, true, true},
        {"the reply was deleted since", QStringLiteral("E"), Reply::Deleted, true, true},
    };
    for (const ReplyView& v : views) {
        SCOPED_TRACE(v.name);
        TempDatabase t;
        Registry reg(t);
        const Codes codes(reg);
        core::AppContext ctx;
        PromptScript prompts;
        auto view = v.make(t.dm(), ctx);
        // The same view object for every case, as the ledger reuses it.
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const int doc = v.document(reg, codes, c.cevdur);
            if (c.reply != Reply::None) {
                const int r = v.reply(reg, codes, doc);
                if (c.reply == Reply::Deleted)
                    t.exec(QStringLiteral("DELETE FROM %1 WHERE KAYNO=:K").arg(v.replyTable), {r});
            }
            open(*view, doc);
            const bool expectsReply = c.cevdur != QVariant(QStringLiteral("H"));
            EXPECT_EQ(shown(*view, QStringLiteral("lblCevapDurumu")), !expectsReply ? QString()
                                                                      : c.replied   ? v.replied
                                                                                    : v.waiting);
            QString details;
            if (c.details)
                details = c.reply == Reply::Deleted
                              ? QStringLiteral("No:  Tarih:  G.Yer:")
                              : QStringLiteral("No:") + number + QStringLiteral("  Tarih:") + date +
                                    QStringLiteral("  G.Yer:") + v.place;
            EXPECT_EQ(shown(*view, QStringLiteral("lblCevapBilgi")), details);
            view->exit();
        }

        // A key that names no document: every field blank, the waiting text.
        open(*view, 0);
        for (QLineEdit* e : view->findChildren<QLineEdit*>())
            EXPECT_EQ(e->text(), QString()) << e->objectName().toStdString();
        for (QPlainTextEdit* e : view->findChildren<QPlainTextEdit*>())
            EXPECT_EQ(e->toPlainText(), QString()) << e->objectName().toStdString();
        EXPECT_EQ(shown(*view, QStringLiteral("lblCevapDurumu")), v.waiting);
        EXPECT_EQ(shown(*view, QStringLiteral("lblCevapBilgi")), QString());
        view->exit();
    }
}

TEST(OutgoingDetail, RelatedStripShowsTheIncomingDocumentOrThePetitionAsIlgdurSays)
{
    TempDatabase t;
    Registry reg(t);
    const Codes c(reg);
    // A petition and an incoming document with the same key: ILGDUR tells
    // which one the outgoing document answers.
    const int petition = reg.petition({.no = 6,
                                       .date = QStringLiteral("04.01.2026"),
                                       .adsoy = QStringLiteral("Elif Yılmaz"),
                                       .bkod = c.zabita,
                                       .konu = QStringLiteral("Meclis kararı örneği"),
                                       .diltar = QStringLiteral("03.01.2026")});
    reg.incoming({.no = 8,
                  .date = QStringLiteral("05.01.2026"),
                  .bkod = c.fen,
                  .konu = QStringLiteral("Genelge"),
                  .kayno = petition});
    const int toPetition = reg.outgoing({.no = 1});
    reg.outgoingAnswersPetition(toPetition, petition);
    const int toIncoming = reg.outgoing({.no = 2});
    reg.outgoingAnswersIncoming(toIncoming, petition);
    const int toNothing = reg.outgoing({.no = 3});

    struct Case {
        int kayno;
        QString heading;
        QStringList strip;
    };
    const Case cases[] = {
        {toPetition,
         QStringLiteral("İlgili Olduğu Dilekçe Bilgileri (Cevap)"),
         {"6", "03.01.2026", "Zabıta", "Meclis kararı örneği"}},
        {toIncoming,
         QStringLiteral("İlgili Olduğu Gelen Evrak Bilgileri (Cevap)"),
         {"8", "05.01.2026", "Fen İşleri", "Genelge"}},
        {toNothing,
         QStringLiteral("İlgili Olduğu Gelen Evrak Bilgileri (Cevap)"),
         {"", "", "", ""}},
    };
    core::AppContext ctx;
    lists::TFRMGIDDET view(t.dm(), ctx);
    for (const Case& k : cases) {
        open(view, k.kayno);
        EXPECT_EQ(shown(view, QStringLiteral("grpIlgili")), k.heading);
        QStringList strip;
        for (const char* name : {"edtIlgNo", "edtIlgTarih", "edtIlgBirim", "edtIlgKonu"})
            strip << shown(view, QString::fromLatin1(name));
        EXPECT_EQ(strip, k.strip);
        view.exit();
    }
}

} // namespace
