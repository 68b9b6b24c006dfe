// Turkish alphabetical order on every list of names, as the clerk sees the
// lists, with the stored bytes left as they were.

#include "registers_support.h"

#include "db/encoding.h"
#include "lists/ledgers.h"
#include "refdata/codetableeditor.h"
#include "support/promptscript.h"

#include <QTest>

using namespace registerstest;

namespace {

// Every letter of the alphabet that sorts differently in Turkish, in mixed
// case, stored in an order that is no order at all.
const QStringList Stored = {
    QStringLiteral("Zeytinburnu"), QStringLiteral("ürgüp"),    QStringLiteral("Şile"),
    QStringLiteral("Ödemiş"),      QStringLiteral("İnönü"),    QStringLiteral("ıslak"),
    QStringLiteral("Iğdır"),       QStringLiteral("Çarşı"),    QStringLiteral("çay"),
    QStringLiteral("Cide"),        QStringLiteral("Ğ Blok"),   QStringLiteral("gebze"),
    QStringLiteral("Hakkari"),     QStringLiteral("istanbul"), QStringLiteral("Ordu"),
    QStringLiteral("Sinop"),       QStringLiteral("Uşak"),     QStringLiteral("Van")};

// A B C Ç D E F G Ğ H I İ J K L M N O Ö P R S Ş T U Ü V Y Z, without regard
// to case: I and ı are one letter, İ and i another.
const QStringList Turkish = {
    QStringLiteral("Cide"),     QStringLiteral("Çarşı"),  QStringLiteral("çay"),
    QStringLiteral("gebze"),    QStringLiteral("Ğ Blok"), QStringLiteral("Hakkari"),
    QStringLiteral("Iğdır"),    QStringLiteral("ıslak"),  QStringLiteral("İnönü"),
    QStringLiteral("istanbul"), QStringLiteral("Ordu"),   QStringLiteral("Ödemiş"),
    QStringLiteral("Sinop"),    QStringLiteral("Şile"),   QStringLiteral("Uşak"),
    QStringLiteral("ürgüp"),    QStringLiteral("Van"),    QStringLiteral("Zeytinburnu")};

class TurkishOrder : public AllRegisters {
protected:
    TurkishOrder()
    {
        for (const char* table : {"DISKUR", "BIRIM", "ECINS"})
            t.exec(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
        for (int i = 0; i < Stored.size(); ++i) {
            t.exec(QStringLiteral("INSERT INTO DISKUR (DKOD,DKURUM) VALUES(:K,:N)"),
                   {i + 1, Stored[i]});
            t.exec(QStringLiteral("INSERT INTO BIRIM (BKOD,BIRIM) VALUES(:K,:N)"),
                   {i + 1, Stored[i]});
            t.exec(QStringLiteral("INSERT INTO ECINS (EKOD,ECINS) VALUES(:K,:N)"),
                   {i + 1, Stored[i]});
        }
        t.database().commit();
    }

    // The names a list offers after its all-entry (or every name of a
    // drop-down without one).
    static QStringList names(const QComboBox& box, bool allEntry = true)
    {
        QStringList names;
        for (int i = allEntry ? 1 : 0; i < box.count(); ++i)
            names << box.itemText(i);
        return names;
    }

    QStringList storedBytes(const QString& table, const QString& column)
    {
        db::Query q(t.database());
        q.openLines({QStringLiteral("SELECT %1 FROM %2 ORDER BY 1").arg(column, table)});
        QStringList hex;
        for (int r = 0; r < q.rowCount(); ++r)
            hex << QString::fromLatin1(q.value(r, 0).toBytes().toHex());
        return hex;
    }
};

TEST_F(TurkishOrder, EveryListOfNamesIsInTurkishOrderAndTheBytesStayAsStored)
{
    QStringList before;
    for (const char* table : {"DISKUR", "BIRIM", "ECINS"})
        before << storedBytes(QLatin1String(table), QLatin1String(table) == QLatin1String("DISKUR")
                                                        ? QStringLiteral("DKURUM")
                                                        : QLatin1String(table));
    // The bytes are Windows-1254, as every workstation writes them.
    EXPECT_TRUE(before.contains(QString::fromLatin1(db::toDbText(QStringLiteral("Şile")).toHex())));

    lists::TFRMGELLIST gellist(t.dm(), ctx);
    lists::TFRMGIDLIST gidlist(t.dm(), ctx);
    lists::TFRMDILLIST dillist(t.dm(), ctx);
    lists::TFRMGENLST genlst(t.dm(), ctx);
    lists::TFRMGIDBUL gidbul2(t.dm(), ctx);
    struct Filtered {
        QWidget* screen;
        QStringList lists;
    };
    const Filtered screens[] = {
        {&list, {"cmbKurum", "cmbBirim"}},
        {&gidlst, {"cmbKurum", "cmbBirim"}},
        {&dillst, {"cmbBirim"}},
        {&gelbul, {"cmbKurum", "cmbBirim"}},
        {&gidbul2, {"cmbKurum", "cmbBirim"}},
        {&dilbul, {"cmbBirim"}},
        {&gellist, {"cmbKurum", "cmbBirim", "cmbCinsi"}},
        {&gidlist, {"cmbKurum", "cmbBirim", "cmbCinsi"}},
        {&dillist, {"cmbBirim", "cmbCinsi"}},
        {&genlst, {"cmbKurum", "cmbBirim"}},
    };
    for (const Filtered& s : screens) {
        showActive(*s.screen);
        for (const QString& name : s.lists)
            EXPECT_EQ(names(child<QComboBox>(*s.screen, name.toLatin1().constData())), Turkish)
                << s.screen->objectName().toStdString() << " " << name.toStdString();
        s.screen->hide();
    }

    // The drop-downs of the entry screens: institutions and document types.
    struct Entry {
        registers::EntryScreen* screen;
        QStringList lists;
    };
    const Entry entries[] = {{&entry, {"cmbKurum", "cmbEcins"}},
                             {&giden, {"cmbKurum", "cmbEcins"}},
                             {&dilekce, {"cmbEcins"}}};
    for (const Entry& e : entries) {
        open(*e.screen, registers::EntryMode::New);
        for (const QString& name : e.lists) {
            QStringList shown =
                names(child<QComboBox>(*e.screen, name.toLatin1().constData()), false);
            shown.removeAll(QString());
            EXPECT_EQ(shown, Turkish)
                << e.screen->objectName().toStdString() << " " << name.toStdString();
        }
        QTest::keyClick(e.screen, Qt::Key_F6);
    }

    // The institution editor lists its rows by name.
    refdata::TFRMKURUM kurum(t.dm(), ctx);
    showActive(kurum);
    QStringList rows;
    for (int r = 0; kurum.rows().value(r, QStringLiteral("DKURUM")).isValid(); ++r)
        rows << kurum.rows().value(r, QStringLiteral("DKURUM")).toString();
    EXPECT_EQ(rows, Turkish);
    kurum.exit();

    QStringList after;
    for (const char* table : {"DISKUR", "BIRIM", "ECINS"})
        after << storedBytes(QLatin1String(table), QLatin1String(table) == QLatin1String("DISKUR")
                                                       ? QStringLiteral("DKURUM")
                                                       : QLatin1String(table));
    EXPECT_EQ(after, before);
}

} // namespace
