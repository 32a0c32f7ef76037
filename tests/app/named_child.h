#pragma once
// A control of a window by its design name; a missing one fails the test.

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

template <typename T>
T* NamedChild(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}
