#include "registers_support.h"

#include "db/query.h"
#include "support/clerk.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QTest>

namespace registerstest {

void showActive(QWidget& screen)
{
    testsupport::showActive(screen);
}

void type(QWidget& field, const QString& text)
{
    field.setFocus();
    testsupport::typeText(&field, text);
}

void clearField(QWidget& field)
{
    field.setFocus();
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Delete);
}

void choose(QComboBox& box, const QString& text)
{
    const int index = box.findText(text, Qt::MatchExactly);
    if (index < 0)
        throw std::runtime_error("no entry " + text.toStdString());
    box.setCurrentIndex(index);
    emit box.activated(index);
}

void doubleClick(QWidget& field)
{
    auto* area = qobject_cast<QAbstractScrollArea*>(&field);
    QTest::mouseDClick(area ? area->viewport() : &field, Qt::LeftButton);
}

QStringList shownColumn(registers::BrowseList& list, const QString& heading)
{
    const widgets::QueryModel& m = *list.grid().queryModel();
    int column = -1;
    for (int c = 0; c < m.columnCount(); ++c)
        if (m.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == heading)
            column = c;
    if (column < 0)
        throw std::runtime_error("no column " + heading.toStdString());
    QStringList texts;
    for (int r = 0; r < m.rowCount(); ++r)
        texts << m.text(r, column);
    return texts;
}

QByteArray pictureFile(const char* format, const QColor& color, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

Incoming::Incoming()
{
    core::Clock::install(&clock);
    t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM,YET,GOR) VALUES(1,'Yazı İşleri Müdürlüğü',"
                          "'Ayşe Demir','Yazı İşleri Müdürü')"));
    t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM,YET,GOR) VALUES(5,'Fen İşleri Müdürlüğü',"
                          "'Mehmet Kaya','Fen Müdürü')"));
    t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM,YET,GOR) VALUES(3,'Zabıta Müdürlüğü',"
                          "'Hasan Çelik','Zabıta Amiri')"));
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(1,'Çankırı Valiliği')"));
    t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(2,'Tapu Müdürlüğü')"));
    t.exec(QStringLiteral("INSERT INTO ECINS (EKOD,ECINS) VALUES(1,'Resmi Yazı')"));
    t.exec(QStringLiteral("INSERT INTO ECINS (EKOD,ECINS) VALUES(2,'Genelge')"));
    const std::pair<const char*, const char*> plan[] = {
        {"010", "Mevzuat İşleri"},
        {"806", "Dilekçe ve Şikâyet İşleri"},
        {"806.01", "Vatandaş Dilekçeleri"},
        {"806.01.01", "Bilgi Talepleri"},
        {"806.01.02", "Öneri ve İstekler"},
        {"806.02", "Şikâyetler ile ilgili olarak vatandaşlardan gelen ve cevap bekleyen yazılar"},
    };
    for (const auto& [k, a] : plan)
        t.exec(QStringLiteral("INSERT INTO SDP (KOD,ACIK) VALUES(:K,:A)"),
               {QString::fromUtf8(k), QString::fromUtf8(a)});
    t.exec(QStringLiteral("SET GENERATOR GEN_GELKAYNO TO 100"));
    t.database().commit();
}

Incoming::~Incoming()
{
    core::Clock::install(nullptr);
}

void Incoming::addIncoming(const Doc& d)
{
    t.exec(QStringLiteral(
               "INSERT INTO GELEN (KAYNO,GELNO,GELTAR,KONU,BKOD,DKOD,CEVDUR,CEVNO,ILGNO,GIZDER,"
               "ZDUR) VALUES(:K,:N,'02.03.2026',:KONU,:B,:D,:C,:CN,:I,:G,'İ')"),
           {d.kayno, d.gelno, d.konu, d.bkod, d.dkod, d.cevdur, d.cevno, d.ilgno, d.gizder});
    t.database().commit();
}

void Incoming::addOutgoing(int kayno, int gidno, const QString& konu, int cevno,
                           const QString& cevdur)
{
    t.exec(QStringLiteral(
               "INSERT INTO GIDEN (KAYNO,GIDNO,GIDTAR,KONU,BKOD,DKOD,BIRIM,CEVDUR,CEVNO,ILGNO,"
               "ILGDUR) VALUES(:K,:N,'20.02.2026',:KONU,5,2,'Serbest birim',:C,:CN,0,'')"),
           {kayno, gidno, konu, cevdur, cevno});
    t.database().commit();
}

QStringList Incoming::row(const QString& table, int kayno, const QString& columns)
{
    db::Query q(t.database());
    q.add(QStringLiteral("SELECT %1 FROM %2 WHERE KAYNO=:K").arg(columns, table));
    q.bind(0, kayno);
    q.open();
    QStringList values;
    for (int c = 0; c < q.columnCount() && !q.isEmpty(); ++c)
        values << (q.value(0, c).isNull() ? QStringLiteral("<null>") : q.value(0, c).toString());
    return values;
}

void Incoming::openNew()
{
    entry.EntryMode = registers::EntryMode::New;
    showActive(entry);
}

void Incoming::openEdit(int kayno)
{
    entry.EntryMode = registers::EntryMode::Edit;
    entry.EntryKayno = kayno;
    showActive(entry);
}

QString Incoming::writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = files.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    return path;
}

AllRegisters::AllRegisters()
{
    t.exec(QStringLiteral("SET GENERATOR GEN_DILKAYNO TO 100"));
    t.database().commit();
}

void AllRegisters::addPetition(int kayno, int dilno, const QString& adsoy, int cevno,
                               const QString& cevdur, int bkod)
{
    t.exec(QStringLiteral("INSERT INTO DILEKCE (KAYNO,DILNO,GELTAR,ADSOY,DILTAR,KONU,BKOD,CEVDUR,"
                          "CEVNO,GIZDER,ZDUR) VALUES(:K,:N,'05.03.2026',:A,'04.03.2026',"
                          "'Dilekçe konusu',:B,:C,:CN,'Ö','İ')"),
           {kayno, dilno, adsoy, bkod, cevdur, cevno});
    t.database().commit();
}

void AllRegisters::addAnsweringOutgoing(int kayno, int gidno, int ilgno, const QString& ilgdur)
{
    t.exec(QStringLiteral("INSERT INTO GIDEN (KAYNO,GIDNO,GIDTAR,KONU,BKOD,DKOD,CEVDUR,CEVNO,"
                          "ILGNO,ILGDUR,GIZDER) VALUES(:K,:N,'10.03.2026','Cevap yazısı',5,2,'H',"
                          "0,:I,:D,'Ö')"),
           {kayno, gidno, ilgno, ilgdur});
    t.exec(QStringLiteral("UPDATE %1 SET CEVNO=:C WHERE KAYNO=:K")
               .arg(ilgdur == QLatin1String("D") ? QStringLiteral("DILEKCE")
                                                 : QStringLiteral("GELEN")),
           {kayno, ilgno});
    t.database().commit();
}

void AllRegisters::open(registers::EntryScreen& screen, registers::EntryMode mode, int kayno)
{
    screen.EntryMode = mode;
    screen.EntryKayno = kayno;
    showActive(screen);
}

} // namespace registerstest
