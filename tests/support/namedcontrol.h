#pragma once

#include "lang/captioncontrols.h"

#include <QPoint>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

// A window's control found by its object name, as the user finds it on screen: the window's own,
// not one of the windows it owns (they reuse names such as "SpeedButton1"). A control that is
// missing, of another kind or named twice fails the test and ends it.
template <class T> T& control(const QWidget& window, const char* name) {
    T* found = nullptr;
    int count = 0;
    for (QObject* named : controlsNamed(window, name)) {
        if (auto* typed = dynamic_cast<T*>(named)) {
            found = typed;
            ++count;
        }
    }
    if (count != 1) {
        const std::string what = std::string(window.objectName().toStdString()) + " has " +
                                 std::to_string(count) + " controls named " + name + " of the kind asked";
        ADD_FAILURE() << what;
        throw std::logic_error(what);
    }
    return *found;
}

// A double click with the left button, ended by its release as a user's is.
inline void doubleClick(QWidget& target, QPoint at = {}) {
    QTest::mouseDClick(&target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&target, Qt::LeftButton, {}, at);
}
