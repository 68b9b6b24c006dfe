#pragma once

#include "report/layout.h"

#include <QByteArray>
#include <QImage>
#include <QObject>

namespace letters {

// The printed letter of an outgoing document: one A4 portrait page with
// 10 mm margins, the letter's formatted text in a box that does not grow
// (what does not fit is not printed: a letter never takes a second page),
// and the institution's emblem stretched over its frame in the top left
// corner, over the text. Created once and reused; the emblem frame keeps
// the last picture given to it until the program ends.
class TQRPGIDYAZ : public QObject, public report::Layout {
    Q_OBJECT
public:
    explicit TQRPGIDYAZ(QObject* parent = nullptr);

    // The letter's METIN as stored.
    void setLetter(const QByteArray& stored) { m_letter = stored; }
    QByteArray letter() const { return m_letter; }
    void setLogo(const QImage& logo) { m_logo = logo; }
    QImage logo() const { return m_logo; }

    int render(QPainter& painter, QPagedPaintDevice& device) override;

    // The block of the page and what it holds, in millimetres from the
    // block's top left corner.
    static constexpr double BlockWidth = 190.2;
    static constexpr double BlockHeight = 273.5;
    static constexpr double TextWidth = 190.8;
    static constexpr double TextHeight = 272.9;
    static constexpr double LogoLeft = 2.6;
    static constexpr double LogoTop = 10.6;
    static constexpr double LogoWidth = 21.5;
    static constexpr double LogoHeight = 18.9;

private:
    QByteArray m_letter;
    QImage m_logo;
};

} // namespace letters
