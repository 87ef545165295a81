#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

// Lets GoogleTest show Qt strings as text in failure messages instead of as bytes.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(list[i], os);
    }
    *os << '}';
}

// A control of a window by its name; a missing one fails the test that asked.
template<typename T = QWidget> T *child(const QWidget &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}
