#include "pictures.h"

#include "core/errors.h"
#include "db/query.h"

#include <QFile>

#include <algorithm>
#include <stdexcept>

namespace registers {
QImage decodePicture(const QByteArray& bytes)
{
    return bytes.isEmpty() ? QImage() : QImage::fromData(bytes);
}

void DocumentPictures::setUp(EntryMode mode, int kayno)
{
    if (mode == EntryMode::New)
        prepareNew(kayno);
    else
        load(kayno);
}

void DocumentPictures::prepareNew(int kayno)
{
    m_kayno = kayno;
    m_pictures.clear();
    m_current = -1;
    m_next = 1;
}

void DocumentPictures::load(int kayno)
{
    prepareNew(kayno);
    m_q.close();
    m_q.clear();
    m_q.add(QStringLiteral("SELECT * FROM TEXT"));
    m_q.add(QStringLiteral("WHERE KAYNO=:KN"));
    m_q.bind(0, kayno);
    m_q.open();
    const int harno = m_q.columnIndex(QStringLiteral("HARNO"));
    const int metin = m_q.columnIndex(QStringLiteral("METIN"));
    for (int r = 0; r < m_q.rowCount(); ++r)
        m_pictures.append({int(m_q.value(r, harno).toInt()), m_q.value(r, metin).toBytes()});
    m_q.close();
    std::sort(m_pictures.begin(), m_pictures.end(),
              [](const Picture& a, const Picture& b) { return a.harno < b.harno; });
    for (const Picture& p : m_pictures)
        m_next = std::max(m_next, p.harno + 1);
    m_current = m_pictures.isEmpty() ? -1 : 0;
}

void DocumentPictures::setCurrent(int index)
{
    if (index >= 0 && index < count())
        m_current = index;
}

const Picture* DocumentPictures::currentPicture() const
{
    return m_current >= 0 && m_current < count() ? &m_pictures[m_current] : nullptr;
}

QByteArray DocumentPictures::readPictureFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw core::ActionError(core::ErrorCause::NotAPicture, "the picture file cannot be read");
    const QByteArray bytes = file.readAll();
    if (decodePicture(bytes).isNull())
        throw core::ActionError(core::ErrorCause::NotAPicture, "the file is no picture");
    return bytes;
}

void DocumentPictures::add(const QString& path)
{
    const QByteArray bytes = readPictureFile(path);
    m_q.execLines({QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN)"),
                   QStringLiteral("VALUES(:HARNO,:KAYNO,:METIN)")},
                  {m_next, m_kayno, bytes});
    m_pictures.append({m_next, bytes});
    ++m_next;
    m_current = count() - 1;
}

void DocumentPictures::replace(const QString& path)
{
    if (m_current < 0)
        return;
    const QByteArray bytes = readPictureFile(path);
    Picture& p = m_pictures[m_current];
    m_q.execLines({QStringLiteral("UPDATE TEXT SET METIN=:METIN"),
                   QStringLiteral("WHERE KAYNO=:KAYNO AND HARNO=:HARNO")},
                  {bytes, m_kayno, p.harno});
    p.bytes = bytes;
}

void DocumentPictures::remove()
{
    if (m_current < 0)
        return;
    m_q.execLines(
        {QStringLiteral("DELETE FROM TEXT"), QStringLiteral("WHERE KAYNO=:KAYNO AND HARNO=:HARNO")},
        {m_kayno, m_pictures[m_current].harno});
    m_pictures.removeAt(m_current);
    m_current = std::min(m_current, count() - 1);
}

} // namespace registers
