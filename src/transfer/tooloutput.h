#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// What a tool printed, as a terminal would show it: a carriage return starts its line again,
// so progress overwrites itself. Only the last lines are kept, so a tool that prints without
// end neither fills the memory nor slows the window.
class ToolOutput final
{
public:
    static constexpr qsizetype KeptLines = 1000;
    // A longer line is broken, as a terminal wraps it.
    static constexpr qsizetype LongestLine = 4096;

    void append(QByteArrayView bytes);
    // The kept lines, each ended by a line feed, then the line being written.
    QString text() const;
    // Grows with every change, so a window can tell whether to show the text again.
    quint64 version() const { return m_version; }
    // The bytes kept, for memory checks.
    qsizetype keptBytes() const;

private:
    // Text between line feeds.
    void putSegment(const char *begin, const char *end);
    void endLine();

    QList<QByteArray> m_lines; // moved without a copy, so queued entries move cheaply too
    QByteArray m_line;
    bool m_returned = false; // a carriage return came last: the next text starts the line again
    quint64 m_version = 0;
};
