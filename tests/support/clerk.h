#pragma once

// How a test drives a screen as the clerk does: shows it active so that its
// function keys reach it, finds its widgets by their object names, and types
// key by key.

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace testsupport {

inline void showActive(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

// The widget of that object name; throws, failing the test, when there is
// none.
template <typename T> T& child(const QObject& screen, const char* name)
{
    T* w = screen.findChild<T*>(QString::fromLatin1(name));
    if (!w)
        throw std::runtime_error(std::string("no widget ") + name + " in " +
                                 screen.objectName().toStdString());
    return *w;
}

// Types the text key by key, Turkish letters included (QTest::keyClicks
// takes Latin-1 keys only); a line break is the Enter key.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(widget, Qt::Key_Return);
            continue;
        }
        const QChar upper = c.toUpper();
        const auto key = upper.unicode() < 0x80 ? Qt::Key(upper.unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}

} // namespace testsupport
