#include "demodata.h"

#include "db/database.h"
#include "db/encoding.h"
#include "db/query.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QStringList>

namespace tools {
namespace {

QString date(int day, int month, int year)
{
    return QStringLiteral("%1.%2.%3")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year);
}

int nextKayno(db::Query& q, const char* generator)
{
    q.clear();
    q.add(QStringLiteral("SELECT GEN_ID(%1,1) YENINO FROM RDB$DATABASE").arg(QLatin1String(generator)));
    q.open();
    return int(q.field(QStringLiteral("YENINO")).toInt());
}

void exec(db::Query& q, const QString& sql, const QVariantList& params)
{
    q.clear();
    q.add(sql);
    q.bindAll(params);
    q.exec();
}

QByteArray scannedPage(const QString& title, const QStringList& lines)
{
    QImage page(620, 877, QImage::Format_RGB32);
    page.fill(QColor(250, 248, 240));
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(40, 50, 540, 40), Qt::AlignCenter, title);
    f.setBold(false);
    f.setPixelSize(16);
    p.setFont(f);
    int y = 140;
    for (const QString& line : lines) {
        p.drawText(QRect(60, y, 500, 24), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += 30;
    }
    p.setPen(QPen(QColor(40, 40, 140), 2));
    p.drawEllipse(QPoint(470, 760), 55, 55);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    page.save(&buffer, "JPG", 85);
    return bytes;
}

} // namespace

QByteArray demoRtf(const QStringList& paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1254\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset162 Arial;}}\n"
                     "\\viewkind4\\uc1\\pard\\f0\\fs24 ";
    for (const QString& para : paragraphs) {
        for (char c : db::toDbText(para)) {
            const auto b = uint8_t(c);
            if (b >= 0x80)
                rtf += "\\'" + QByteArray::number(b, 16);
            else if (c == '\\' || c == '{' || c == '}')
                rtf += QByteArray("\\") + c;
            else
                rtf += c;
        }
        rtf += "\\par\n";
    }
    rtf += "}\n";
    return rtf;
}

void fillDemoData(db::Database& database, int year)
{
    db::Query q(database);

    exec(q,
         QStringLiteral("UPDATE TANIM SET KURUM=:K,SUBE=:S,IL=:IL,ILCE=:ILCE,CYIL=:Y,RNK='Y',"
                        "UDUR='0',ONIZ='E',EMAIL=:E,BASLIK=:B"),
         {QStringLiteral("KARAÇAY BELEDİYE BAŞKANLIĞI"), QStringLiteral("Yazı İşleri Müdürlüğü"),
          QStringLiteral("ÇANKIRI"), QStringLiteral("KARAÇAY"), QString::number(year),
          QStringLiteral("yaziisleri@karacay.bel.tr"),
          QStringLiteral("T.C.\nKARAÇAY BELEDİYE BAŞKANLIĞI\nYazı İşleri Müdürlüğü")});

    const QStringList departments[] = {
        {QStringLiteral("Yazı İşleri Müdürlüğü"), QStringLiteral("Ayşe Demir"),
         QStringLiteral("Yazı İşleri Müdürü")},
        {QStringLiteral("Fen İşleri Müdürlüğü"), QStringLiteral("Mehmet Kaya"),
         QStringLiteral("Fen İşleri Müdürü")},
        {QStringLiteral("Mali Hizmetler Müdürlüğü"), QStringLiteral("Fatma Şahin"),
         QStringLiteral("Mali Hizmetler Müdürü")},
        {QStringLiteral("İmar ve Şehircilik Müdürlüğü"), QStringLiteral("Ali Yıldız"),
         QStringLiteral("İmar Müdürü")},
        {QStringLiteral("Zabıta Müdürlüğü"), QStringLiteral("Hasan Çelik"),
         QStringLiteral("Zabıta Amiri")},
        {QStringLiteral("Temizlik İşleri Müdürlüğü"), QStringLiteral("Zeynep Aydın"),
         QStringLiteral("Temizlik İşleri Müdürü")},
    };
    int code = 0;
    for (const QStringList& d : departments)
        exec(q, QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM,YET,GOR) VALUES(:B,:N,:Y,:G)"),
             {++code, d[0], d[1], d[2]});

    const QString institutions[] = {
        QStringLiteral("Çankırı Valiliği"),         QStringLiteral("Karaçay Kaymakamlığı"),
        QStringLiteral("İl Özel İdaresi"),          QStringLiteral("SGK İl Müdürlüğü"),
        QStringLiteral("Tapu Müdürlüğü"),           QStringLiteral("Vergi Dairesi Müdürlüğü"),
        QStringLiteral("Karayolları Bölge Müdürlüğü"), QStringLiteral("İl Sağlık Müdürlüğü"),
    };
    code = 0;
    for (const QString& name : institutions)
        exec(q, QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(:D,:N)"), {++code, name});

    const QString types[] = {QStringLiteral("Resmi Yazı"), QStringLiteral("Genelge"),
                             QStringLiteral("Tebligat"),   QStringLiteral("Rapor"),
                             QStringLiteral("Fatura"),     QStringLiteral("Davetiye")};
    code = 0;
    for (const QString& name : types)
        exec(q, QStringLiteral("INSERT INTO ECINS (EKOD,ECINS) VALUES(:E,:N)"), {++code, name});

    const std::pair<const char*, const char*> plan[] = {
        {"010", "Mevzuat İşleri"},
        {"010.01", "Kanunlar"},
        {"010.02", "Yönetmelikler"},
        {"010.03", "Genelgeler"},
        {"020", "Kuruluş ve Görev İşleri"},
        {"041", "Faaliyet Raporları"},
        {"751", "Yapı Ruhsatı İşleri"},
        {"751.01", "Yapı Ruhsatı Başvuruları"},
        {"751.02", "Yapı Kullanma İzinleri"},
        {"806", "Dilekçe ve Şikâyet İşleri"},
        {"806.01", "Vatandaş Dilekçeleri"},
        {"806.01.01", "Bilgi Talepleri"},
        {"806.01.02", "Öneri ve İstekler"},
        {"806.02", "Şikâyetler"},
        {"806.03", "Kurum Başvuruları"},
        {"841", "Mali İşler"},
        {"841.01", "Bütçe İşleri"},
        {"841.02", "Muhasebe İşleri"},
        {"903", "Personel İşleri"},
        {"903.01", "Atama İşleri"},
        {"903.02", "İzin İşleri"},
    };
    for (const auto& [k, a] : plan)
        exec(q, QStringLiteral("INSERT INTO SDP (KOD,ACIK) VALUES(:K,:A)"),
             {QString::fromUtf8(k), QString::fromUtf8(a)});

    // Incoming documents: number, day, month, institution, department, type,
    // subject, file plan code, reply expected.
    struct Doc {
        int day, month, dkod, bkod, ekod;
        const char* konu;
        const char* sdp;
        const char* cevdur;
        const char* gizder;
    };
    const Doc incoming[] = {
        {3, 1, 1, 1, 2, "Yılbaşı tedbirleri hakkında genelge", "010.03", "H", "Ö"},
        {8, 1, 2, 2, 1, "Köy yollarının kar temizliği", "020", "E", "Ö"},
        {15, 1, 4, 3, 1, "Prim borcu yapılandırması", "841.02", "E", "Ö"},
        {22, 1, 5, 4, 1, "Tapu tescil bilgilerinin istenmesi", "751.01", "H", "Ö"},
        {2, 2, 3, 2, 1, "Kanalizasyon projesine katkı payı", "841.01", "E", "Ö"},
        {9, 2, 7, 2, 3, "Karayolu kenarındaki ilan panoları", "751.02", "H", "G"},
        {16, 2, 8, 6, 4, "Halk sağlığı denetim raporu", "041", "H", "Ö"},
        {23, 2, 6, 3, 5, "Emlak vergisi tahsilat listesi", "841.02", "H", "K"},
    };
    std::vector<int> gelKayno;
    int no = 0;
    for (const Doc& d : incoming) {
        const int kayno = nextKayno(q, "GEN_GELKAYNO");
        gelKayno.push_back(kayno);
        ++no;
        exec(q,
             QStringLiteral("INSERT INTO GELEN (KAYNO,GELNO,GELTAR,EVSAY,EVTAR,EKOD,KONU,BKOD,DKOD,"
                            "EKSAY,ZDUR,ZNO,ZTAR,GIZDER,TESADI,TESGOR,CEVDUR,CEVNO,ILGNO,BSIRNO,"
                            "GSIRNO,SDP) VALUES(:KAYNO,:GELNO,:GELTAR,:EVSAY,:EVTAR,:EKOD,:KONU,"
                            ":BKOD,:DKOD,0,'İ',:ZNO,:ZTAR,:GIZDER,'Emine Koç','Memur',:CEVDUR,0,0,"
                            "0,0,:SDP)"),
             {kayno, no, date(d.day, d.month, year),
              QStringLiteral("B.%1.0.%2").arg(100 + no).arg(1000 + no * 7),
              date(std::max(1, d.day - 2), d.month, year), d.ekod, QString::fromUtf8(d.konu),
              d.bkod, d.dkod, no, date(d.day, d.month, year), QString::fromUtf8(d.gizder),
              QString::fromUtf8(d.cevdur), QString::fromUtf8(d.sdp)});
    }
    exec(q, QStringLiteral("SET GENERATOR GEN_GELNO TO %1").arg(no), {});

    const Doc outgoing[] = {
        {12, 1, 2, 2, 1, "Kar temizliği çalışmalarının bildirilmesi", "020", "H", "Ö"},
        {20, 1, 4, 3, 1, "Borç yapılandırma başvurusu", "841.02", "E", "Ö"},
        {27, 1, 3, 2, 1, "Kanalizasyon projesi katkı payı talebi", "841.01", "E", "Ö"},
        {5, 2, 1, 1, 1, "Bilgi edinme başvurusunun cevabı", "806.01.01", "H", "Ö"},
        {12, 2, 5, 4, 1, "Tapu kayıtlarının gönderilmesi talebi", "751.01", "E", "Ö"},
        {19, 2, 8, 6, 4, "Denetim raporuna ilişkin açıklama", "041", "H", "Ö"},
    };
    std::vector<int> gidKayno;
    no = 0;
    for (const Doc& d : outgoing) {
        const int kayno = nextKayno(q, "GEN_GELKAYNO");
        gidKayno.push_back(kayno);
        ++no;
        exec(q,
             QStringLiteral("INSERT INTO GIDEN (KAYNO,GIDNO,GIDTAR,EVSAY,EVTAR,EKOD,KONU,BKOD,DKOD,"
                            "EKSAY,ZDUR,ZNO,ZTAR,GIZDER,TESADI,TESGOR,CEVDUR,CEVNO,ILGNO,DOSYA,"
                            "BIRIM,BSIRNO,GSIRNO,ILGDUR,SDP) VALUES(:KAYNO,:GIDNO,:GIDTAR,:EVSAY,"
                            ":EVTAR,:EKOD,:KONU,:BKOD,:DKOD,0,'D',0,'',:GIZDER,'Ayşe Demir',"
                            "'Müdür',:CEVDUR,0,0,'',:BIRIM,0,0,'G',:SDP)"),
             {kayno, no, date(d.day, d.month, year),
              QStringLiteral("%1-%2").arg(QString::fromUtf8(d.sdp)).arg(200 + no),
              date(d.day, d.month, year), d.ekod, QString::fromUtf8(d.konu), d.bkod, d.dkod,
              QString::fromUtf8(d.gizder), QString::fromUtf8(d.cevdur),
              institutions[d.dkod - 1], QString::fromUtf8(d.sdp)});
    }
    exec(q, QStringLiteral("SET GENERATOR GEN_GIDNO TO %1").arg(no), {});

    struct Petition {
        int day, month, bkod;
        const char* adsoy;
        const char* konu;
        const char* sdp;
        const char* cevdur;
    };
    const Petition petitions[] = {
        {6, 1, 5, "Mustafa Arslan", "Seyyar satıcı şikâyeti", "806.02", "H"},
        {14, 1, 1, "Elif Yılmaz", "Meclis kararının örneğinin istenmesi", "806.01.01", "E"},
        {21, 1, 2, "Kemal Öztürk", "Sokak aydınlatmasının onarılması", "806.01.02", "E"},
        {4, 2, 6, "Hatice Doğan", "Çöp konteynerinin yerinin değiştirilmesi", "806.01.02", "E"},
        {18, 2, 4, "İbrahim Aksoy", "İmar durumu belgesi talebi", "751.01", "H"},
    };
    std::vector<int> dilKayno;
    for (const Petition& d : petitions) {
        const int kayno = nextKayno(q, "GEN_DILKAYNO");
        dilKayno.push_back(kayno);
        q.clear();
        q.add(QStringLiteral("SELECT GEN_ID(GEN_DILNO,1) YENINO FROM RDB$DATABASE"));
        q.open();
        const int dilno = int(q.field(QStringLiteral("YENINO")).toInt());
        exec(q,
             QStringLiteral("INSERT INTO DILEKCE (KAYNO,DILNO,GELTAR,ADSOY,DILTAR,EKOD,KONU,BKOD,"
                            "EKSAY,ZDUR,ZNO,ZTAR,GIZDER,TESADI,TESGOR,CEVDUR,CEVNO,SDP) "
                            "VALUES(:KAYNO,:DILNO,:GELTAR,:ADSOY,:DILTAR,1,:KONU,:BKOD,0,'İ',0,'',"
                            "'','Emine Koç','Memur',:CEVDUR,0,:SDP)"),
             {kayno, dilno, date(d.day, d.month, year), QString::fromUtf8(d.adsoy),
              date(d.day, d.month, year), QString::fromUtf8(d.konu), d.bkod,
              QString::fromUtf8(d.cevdur), QString::fromUtf8(d.sdp)});
    }

    // Reply links, both sides of each: outgoing 1 answers incoming 2,
    // incoming 5 answers outgoing 3, outgoing 4 answers petition 2.
    exec(q, QStringLiteral("UPDATE GIDEN SET ILGNO=:I,ILGDUR='G' WHERE KAYNO=:K"),
         {gelKayno[1], gidKayno[0]});
    exec(q, QStringLiteral("UPDATE GELEN SET CEVNO=:C WHERE KAYNO=:K"), {gidKayno[0], gelKayno[1]});
    exec(q, QStringLiteral("UPDATE GELEN SET ILGNO=:I WHERE KAYNO=:K"), {gidKayno[2], gelKayno[4]});
    exec(q, QStringLiteral("UPDATE GIDEN SET CEVNO=:C WHERE KAYNO=:K"), {gelKayno[4], gidKayno[2]});
    exec(q, QStringLiteral("UPDATE GIDEN SET ILGNO=:I,ILGDUR='D' WHERE KAYNO=:K"),
         {dilKayno[1], gidKayno[3]});
    exec(q, QStringLiteral("UPDATE DILEKCE SET CEVNO=:C WHERE KAYNO=:K"), {gidKayno[3], dilKayno[1]});

    // A scanned page of the first incoming document and the letter of the
    // first outgoing one.
    exec(q, QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,:K,:M)"),
         {gelKayno[0],
          scannedPage(QStringLiteral("T.C. ÇANKIRI VALİLİĞİ"),
                      {QStringLiteral("Sayı: B.101.0.1007"), QStringLiteral("Konu: Yılbaşı tedbirleri"),
                       QString(), QStringLiteral("İlgili genelge ekte gönderilmiştir."),
                       QStringLiteral("Bilgilerinize rica ederim.")})});
    exec(q, QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN) VALUES(1,:K,:M)"),
         {gidKayno[0],
          demoRtf({QStringLiteral("T.C."), QStringLiteral("KARAÇAY BELEDİYE BAŞKANLIĞI"), QString(),
                   QStringLiteral("Konu: Kar temizliği çalışmalarının bildirilmesi"), QString(),
                   QStringLiteral("Kaymakamlığımızın yazısı üzerine köy yollarında kar temizliği "
                                  "çalışmaları başlatılmıştır."),
                   QStringLiteral("Bilgilerinize arz ederim.")})});

    exec(q, QStringLiteral("INSERT INTO SABLON (KAYNO,ACIK,METIN) VALUES(1,:A,:M)"),
         {QStringLiteral("Genel Cevap Yazısı"),
          demoRtf({QStringLiteral("Sayı : [SAYI]"), QStringLiteral("Tarih: [TARIH]"),
                   QStringLiteral("Konu : [KONU]"), QString(),
                   QStringLiteral("İlgi yazınız incelenmiş olup gereği yapılacaktır."),
                   QStringLiteral("Bilgilerinize rica ederim.")})});

    database.commit();
}

} // namespace tools
