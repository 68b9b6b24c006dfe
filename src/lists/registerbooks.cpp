#include "registerbooks.h"

namespace lists {
namespace {

using report::CellValue;
using report::TableColumn;
using report::TableDesign;
using report::ValueFormat;

constexpr double ListRow = 7.5; // two text lines
constexpr double BookRow = 6;   // one text line

CellValue centred(const QString& field)
{
    return {field, Qt::AlignHCenter};
}
CellValue left(const QString& field)
{
    return {field, Qt::AlignLeft};
}
CellValue grouped(const QString& field)
{
    return {field, Qt::AlignRight, ValueFormat::Grouped};
}
// A column ruled for handwriting.
const CellValue Blank{};

// A column of one heading line (or two, split at " / ") and its content.
TableColumn column(double width, const QString& heading, QList<QList<CellValue>> lines,
                   const QString& group = QString())
{
    QList<QStringList> headingLines;
    for (const QString& line : heading.split(QStringLiteral(" / ")))
        headingLines.append({line});
    return {width, group, headingLines, std::move(lines)};
}

// The lists: the register's number and date, the other side, the
// document's own number and date, the subject, the department, who took
// the document over, and the reply state.
TableDesign list(const QString& name, const QString& title, const TableColumn& first,
                 const TableColumn& second, const TableColumn& third, const QString& department)
{
    return {
        .name = name,
        .title = title,
        .rowHeight = ListRow,
        .columns = {first,
                    second,
                    third,
                    column(79, QStringLiteral("Konusu  (Özü)"), {{left(QStringLiteral("KONU"))}}),
                    column(39, department, {{left(QStringLiteral("BIRIM"))}}),
                    column(31, QStringLiteral("Evrağı Teslim Alan"),
                           {{left(QStringLiteral("TESADI"))}, {left(QStringLiteral("TESGOR"))}}),
                    {30,
                     {},
                     {{QStringLiteral("Cevap Durumu")},
                      {QStringLiteral("No"), QStringLiteral("İlgi No")}},
                     {{{QStringLiteral("CEVDUR"), Qt::AlignHCenter, ValueFormat::ReplyExpected}},
                      {grouped(QStringLiteral("CEVNO")), grouped(QStringLiteral("ILGNO"))}}}},
    };
}

TableDesign documentList(const QString& name, const QString& title, const QString& no,
                         const QString& date, const QString& place, const QString& department)
{
    return list(name, title,
                column(16, QStringLiteral("Kayıt No / Tarihi"), {{centred(no)}, {centred(date)}}),
                column(54, place, {{left(QStringLiteral("DKURUM"))}}),
                column(18, QStringLiteral("Evrak No / Tarihi"),
                       {{centred(QStringLiteral("EVSAY"))}, {centred(QStringLiteral("EVTAR"))}}),
                department);
}

// The first columns of every register book: the running number and the
// register's own number and date.
QList<TableColumn> bookStart(const QString& no, const QString& date)
{
    return {column(8, QStringLiteral("Sıra / No"),
                   {{{QString(), Qt::AlignRight, ValueFormat::RowNumber}}}),
            column(9, QStringLiteral("Kayıt / No"), {{centred(no)}}),
            column(16, QStringLiteral("Kayıt / Tarihi"), {{centred(date)}})};
}

// The incoming and outgoing books: the document's own number, date and
// attachments under the group heading, then the other side and the subject,
// then the department and the columns of the book's own end. The first book
// has a type column, ruled for handwriting; the second wider columns.
QList<TableColumn> documentBook(const QString& no, const QString& date, const QString& group,
                                const QString& place, const QString& department, bool first,
                                const QList<TableColumn>& end)
{
    QList<TableColumn> columns = bookStart(no, date);
    columns << column(10, QStringLiteral("No su"), {{centred(QStringLiteral("EVSAY"))}}, group)
            << column(16, QStringLiteral("Tarihi"), {{centred(QStringLiteral("EVTAR"))}}, group)
            << column(8, QStringLiteral("Eki"), {{centred(QStringLiteral("EKSAY"))}}, group);
    if (first)
        columns << column(10, QStringLiteral("Cinsi"), {{Blank}}, group);
    columns << column(first ? 35 : 40, place, {{left(QStringLiteral("DKURUM"))}}, group)
            << column(first ? 82 : 104, QStringLiteral("Özü"), {{left(QStringLiteral("KONU"))}},
                      group)
            << column(first ? 34 : 33, department, {{left(QStringLiteral("BIRIM"))}});
    return columns << end;
}

const QString IncomingGroup = QStringLiteral("GELEN YAZININ");
const QString OutgoingGroup = QStringLiteral("GİDEN YAZININ");
const QString IncomingBook = QStringLiteral("GELEN YAZILAR DEFTERİ");
const QString OutgoingBook = QStringLiteral("GİDEN YAZILAR DEFTERİ");

TableColumn thoughts()
{
    return column(24, QStringLiteral("Düşünce"), {{Blank}});
}

TableDesign book(const QString& name, const QString& title, QList<TableColumn> columns)
{
    return {.name = name,
            .title = title,
            .pageNumbers = true,
            .rowHeight = BookRow,
            .columns = std::move(columns)};
}

} // namespace

const TableDesign& TQRPGELLIST()
{
    static const TableDesign design =
        documentList(QStringLiteral("TQRPGELLIST"), QStringLiteral("GELEN EVRAKLAR LİSTESİ"),
                     QStringLiteral("GELNO"), QStringLiteral("GELTAR"),
                     QStringLiteral("Gönderen Kurum"), QStringLiteral("Verildiği Birim"));
    return design;
}

const TableDesign& TQRPGIDLIST()
{
    static const TableDesign design =
        documentList(QStringLiteral("TQRPGIDLIST"), QStringLiteral("GİDEN EVRAKLAR LİSTESİ"),
                     QStringLiteral("GIDNO"), QStringLiteral("GIDTAR"),
                     QStringLiteral("Gönderildiği Kurum"), QStringLiteral("Gönderen Birim"));
    return design;
}

const TableDesign& TQRPDILLIST()
{
    // The petition's own date stands alone, between the two text lines.
    static const TableDesign design =
        list(QStringLiteral("TQRPDILLIST"), QStringLiteral("DİLEKÇELER LİSTESİ"),
             column(16, QStringLiteral("Kayıt No / Tarihi"),
                    {{centred(QStringLiteral("DILNO"))}, {centred(QStringLiteral("GELTAR"))}}),
             column(54, QStringLiteral("Adı ve Soyadı"), {{left(QStringLiteral("ADSOY"))}}),
             column(18, QStringLiteral("Dilekçe / Tarihi"), {{centred(QStringLiteral("DILTAR"))}}),
             QStringLiteral("Verildiği Birim"));
    return design;
}

const TableDesign& TQRPGELDEF1()
{
    // The reply: its date (GIDTAR of the outgoing document CEVNO names,
    // joined into the ledger's result as CEVTAR) and CEVNO.
    static const TableDesign design = book(
        QStringLiteral("TQRPGELDEF1"), IncomingBook,
        documentBook(QStringLiteral("GELNO"), QStringLiteral("GELTAR"), IncomingGroup,
                     QStringLiteral("Geldiği Yer"), QStringLiteral("İlgili Birim"), true,
                     {column(17, QStringLiteral("Açıklama"), {{Blank}}),
                      {24,
                       {},
                       {{QStringLiteral("Cevap")}, {QStringLiteral("Tarih"), QStringLiteral("No")}},
                       {{centred(QStringLiteral("CEVTAR")), grouped(QStringLiteral("CEVNO"))}},
                       {13, 11}}}));
    return design;
}

const TableDesign& TQRPGELDEF2()
{
    static const TableDesign design =
        book(QStringLiteral("TQRPGELDEF2"), IncomingBook,
             documentBook(QStringLiteral("GELNO"), QStringLiteral("GELTAR"), IncomingGroup,
                          QStringLiteral("Geldiği Yer"), QStringLiteral("İlgili Birim"), false,
                          {thoughts()}));
    return design;
}

const TableDesign& TQRPGIDDEF1()
{
    static const TableDesign design =
        book(QStringLiteral("TQRPGIDDEF1"), OutgoingBook,
             documentBook(QStringLiteral("GIDNO"), QStringLiteral("GIDTAR"), OutgoingGroup,
                          QStringLiteral("Gittiği Yer"), QStringLiteral("İlgili Birim"), true,
                          {column(40, QStringLiteral("Açıklama"), {{Blank}})}));
    return design;
}

const TableDesign& TQRPGIDDEF2()
{
    static const TableDesign design =
        book(QStringLiteral("TQRPGIDDEF2"), OutgoingBook,
             documentBook(QStringLiteral("GIDNO"), QStringLiteral("GIDTAR"), OutgoingGroup,
                          QStringLiteral("Gittiği Yer"), QStringLiteral("Gönderen Birim"), false,
                          {thoughts()}));
    return design;
}

const TableDesign& TQRPDILDEF1()
{
    static const TableDesign design = [] {
        const QString group = QStringLiteral("DİLEKÇENİN");
        QList<TableColumn> columns = bookStart(QStringLiteral("DILNO"), QStringLiteral("GELTAR"));
        columns << column(17, QStringLiteral("Tarihi"), {{centred(QStringLiteral("DILTAR"))}},
                          group)
                << column(10, QStringLiteral("Eki"), {{centred(QStringLiteral("EKSAY"))}}, group)
                << column(44, QStringLiteral("Adı ve Soyadı"), {{left(QStringLiteral("ADSOY"))}},
                          group)
                << column(89, QStringLiteral("Özü"), {{left(QStringLiteral("KONU"))}}, group)
                << column(34, QStringLiteral("İlgili Birim"), {{left(QStringLiteral("BIRIM"))}})
                << column(40, QStringLiteral("Açıklama"), {{Blank}});
        return book(QStringLiteral("TQRPDILDEF1"), QStringLiteral("DİLEKÇE DEFTERİ"), columns);
    }();
    return design;
}

} // namespace lists
