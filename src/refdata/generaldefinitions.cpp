#include "generaldefinitions.h"

#include "core/errors.h"

#include <QFile>
#include <QRegularExpression>

#include <stdexcept>

namespace refdata {
namespace {

QVariant blobValue(const QByteArray& bytes)
{
    return bytes.isEmpty() ? QVariant() : QVariant(bytes);
}

} // namespace

const core::CodeWords& themeWords()
{
    static const core::CodeWords words = {
        {QStringLiteral("Y"), QStringLiteral("Yeşil")},
        {QStringLiteral("T"), QStringLiteral("Turuncu")},
        {QStringLiteral("M"), QStringLiteral("Mavi")},
    };
    return words;
}

Definitions readDefinitions(db::Query& query)
{
    query.close();
    query.clear();
    query.add(QStringLiteral("SELECT KURUM,SUBE,RNK,ONIZ,LOGO,BASLIK FROM TANIM"));
    query.open();
    Definitions d;
    if (!query.isEmpty()) {
        d.institution = query.field(QStringLiteral("KURUM")).toString();
        d.unit = query.field(QStringLiteral("SUBE")).toString();
        d.theme = query.field(QStringLiteral("RNK")).toString();
        d.preview = query.field(QStringLiteral("ONIZ")).toString();
        d.emblem = query.field(QStringLiteral("LOGO")).toBytes();
        d.heading = query.field(QStringLiteral("BASLIK")).toString();
    }
    query.close();
    return d;
}

void writeDefinitions(db::Query& query, const Definitions& d)
{
    const QVariantList values = {d.institution,       d.unit,   d.theme, d.preview,
                                 blobValue(d.emblem), d.heading};
    query.close();
    query.clear();
    query.add(
        QStringLiteral("UPDATE TANIM SET KURUM=:KURUM,SUBE=:SUBE,RNK=:RNK,ONIZ=:ONIZ,LOGO=:LOGO,"
                       "BASLIK=:BASLIK"));
    query.bindAll(values);
    if (query.exec() > 0)
        return;
    query.clear();
    query.add(QStringLiteral("INSERT INTO TANIM (KURUM,SUBE,RNK,ONIZ,LOGO,BASLIK)"));
    query.add(QStringLiteral("VALUES(:KURUM,:SUBE,:RNK,:ONIZ,:LOGO,:BASLIK)"));
    query.bindAll(values);
    query.exec();
}

void writeEmblem(db::Query& query, const QByteArray& emblem)
{
    query.close();
    query.clear();
    query.add(QStringLiteral("UPDATE TANIM SET LOGO=:LOGO"));
    query.bind(0, blobValue(emblem));
    if (query.exec() > 0)
        return;
    query.clear();
    query.add(QStringLiteral("INSERT INTO TANIM (LOGO) VALUES(:LOGO)"));
    query.bind(0, blobValue(emblem));
    query.exec();
}

QByteArray readEmblem(db::Query& scratch)
{
    scratch.close();
    scratch.clear();
    scratch.add(QStringLiteral("SELECT LOGO FROM TANIM"));
    scratch.open();
    const QByteArray bytes = scratch.isEmpty() ? QByteArray() : scratch.value(0, 0).toBytes();
    scratch.close();
    return bytes;
}

QImage emblemImage(const QByteArray& emblem)
{
    return emblem.isEmpty() ? QImage() : QImage::fromData(emblem);
}

QByteArray readEmblemFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw core::ActionError(core::ErrorCause::NotAPicture, "the emblem file cannot be read");
    const QByteArray bytes = file.readAll();
    if (emblemImage(bytes).isNull())
        throw core::ActionError(core::ErrorCause::NotAPicture, "the emblem file holds no picture");
    return bytes;
}

bool isWorkingYear(const QString& text)
{
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    return fourDigits.match(text).hasMatch();
}

} // namespace refdata
