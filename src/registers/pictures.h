#pragma once

#include "entryattachment.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class Query;
}

namespace registers {

// One scanned page of an incoming document: a row of TEXT.
struct Picture {
    int harno = 0;
    QByteArray bytes; // the picture file exactly as read from disk
};

// A picture file's bytes as an image, whatever its kind (JPEG, BMP, PNG):
// the content decides, not the name. A null image when it is no picture.
QImage decodePicture(const QByteArray& bytes);

// The scanned pages of the incoming document being entered, as the entry
// screen's picture area edits them. Each change is written at once as a
// row of TEXT in the program's transaction: the entry's saving commits them
// all, its cancelling rolls them all back. A picture's number is taken when
// it is written: past the highest the file holds for the document (another
// workstation may have added pages meanwhile) and past every number given
// on this visit, so that numbers only grow during a visit and a deleted
// number is given again only on a later visit.
class DocumentPictures : public EntryAttachment {
public:
    explicit DocumentPictures(db::Query& scratch) : m_q(scratch) {}

    // The opening of the entry: prepareNew or load.
    void setUp(EntryMode mode, int kayno) override;
    // The pages of the document are not kept while the entry is closed.
    void close() override { prepareNew(0); }

    // A new document: no pictures, the first one gets number 1.
    void prepareNew(int kayno);
    // A stored document: its pictures in number order; the next one gets
    // the highest number plus one.
    void load(int kayno);

    int kayno() const { return m_kayno; }
    const QList<Picture>& pictures() const { return m_pictures; }
    int count() const { return int(m_pictures.size()); }
    bool isEmpty() const { return m_pictures.isEmpty(); }
    // NextImageHarno: the least number the next added picture receives.
    int nextHarno() const { return m_next; }

    // The row the list stands on; -1 without pictures.
    int current() const { return m_current; }
    void setCurrent(int index);
    const Picture* currentPicture() const;

    // A new picture with the next number, written at once, becomes the
    // current one: a picture file, a page of a PDF or TIFF, a scanned page.
    // Every new row of TEXT is written here.
    void add(const QByteArray& bytes);
    // "Ekle": the pages of each file (readPictureFile) in the order given,
    // each a new picture. A file refused adds nothing; the refusals are
    // returned in order.
    QStringList addFiles(const QStringList& paths);
    // "Değiş": the current picture takes the file's one page, keeping its
    // number. A file refused, or of several pages, changes nothing; the
    // refusal is returned.
    QString replace(const QString& path);
    // "Sil": the current picture is deleted; the list moves to the next one
    // (the previous one at the end). Nothing happens without pictures.
    void remove();

private:
    db::Query& m_q;
    int m_kayno = 0;
    int m_next = 1;
    int m_current = -1;
    QList<Picture> m_pictures;
};

} // namespace registers
