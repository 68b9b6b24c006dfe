#include "pictures.h"

#include "picturefiles.h"

#include "db/query.h"

#include <QFileInfo>

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

void DocumentPictures::add(const QByteArray& bytes)
{
    // The number is taken as the row is written, past what the file holds
    // now: another workstation may have added pages to the same document
    // since this one opened it.
    m_q.openLines(
        {QStringLiteral("SELECT MAX(HARNO) SAY FROM TEXT"), QStringLiteral("WHERE KAYNO=:KAYNO")},
        {m_kayno});
    m_next = std::max(m_next, int(m_q.field(QStringLiteral("SAY")).toInt()) + 1);
    m_q.close();
    m_q.execLines({QStringLiteral("INSERT INTO TEXT (HARNO,KAYNO,METIN)"),
                   QStringLiteral("VALUES(:HARNO,:KAYNO,:METIN)")},
                  {m_next, m_kayno, bytes});
    m_pictures.append({m_next, bytes});
    ++m_next;
    m_current = count() - 1;
}

QStringList DocumentPictures::addFiles(const QStringList& paths)
{
    QStringList refusals;
    for (const QString& path : paths) {
        const PictureFile file = readPictureFile(path);
        if (!file.refusal.isEmpty())
            refusals << file.refusal;
        for (const QByteArray& page : file.pages)
            add(page);
    }
    return refusals;
}

QString DocumentPictures::replace(const QString& path)
{
    if (m_current < 0)
        return {};
    const PictureFile file = readPictureFile(path);
    if (!file.refusal.isEmpty())
        return file.refusal;
    if (file.pages.size() != 1)
        return QStringLiteral("DİKKAT! \"%1\" dosyasında %2 sayfa var; bir resim yalnız "
                              "tek sayfa ile değiştirilebilir.")
            .arg(QFileInfo(path).fileName())
            .arg(file.pages.size());
    Picture& p = m_pictures[m_current];
    m_q.execLines({QStringLiteral("UPDATE TEXT SET METIN=:METIN"),
                   QStringLiteral("WHERE KAYNO=:KAYNO AND HARNO=:HARNO")},
                  {file.pages.front(), m_kayno, p.harno});
    p.bytes = file.pages.front();
    return {};
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
