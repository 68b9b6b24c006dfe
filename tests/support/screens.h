#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

// How a test opens a screen and finds its widgets, as every folder needs.
namespace testsupport {

// Shows a screen as the active window, as opening it does.
inline void open(QWidget& screen)
{
    screen.show();
    QApplication::setActiveWindow(&screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
}

// A widget of a screen by its object name.
template <class T> T& child(QWidget& screen, const char* name)
{
    T* w = screen.findChild<T*>(QString::fromLatin1(name));
    if (!w)
        throw std::runtime_error(std::string("no widget ") + name);
    return *w;
}

} // namespace testsupport
