#include "tooloutput.h"

#include <algorithm>
#include <cstring>

namespace {

const char *lastOf(const char *begin, const char *end, char c)
{
    return static_cast<const char *>(memrchr(begin, c, std::size_t(end - begin)));
}

} // namespace

void ToolOutput::append(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    ++m_version;
    const char *begin = bytes.data();
    const char *const end = begin + bytes.size();
    const char *lastFeed = lastOf(begin, end, '\n');
    if (lastFeed) {
        // Lines before the last KeptLines would only be dropped again: skip them unread.
        const char *from = lastFeed;
        for (qsizetype n = 0; n < KeptLines && from; ++n)
            from = from > begin ? lastOf(begin, from, '\n') : nullptr;
        if (from) {
            m_lines.clear();
            m_line.resize(0);
            m_returned = false;
            begin = from + 1;
        }
        while (begin <= lastFeed) {
            const char *feed =
                static_cast<const char *>(std::memchr(begin, '\n', std::size_t(end - begin)));
            putSegment(begin, feed);
            endLine();
            begin = feed + 1;
        }
    }
    putSegment(begin, end);
}

void ToolOutput::putSegment(const char *begin, const char *end)
{
    // Only what follows the last carriage return that has text behind it can be seen.
    const char *text = end;
    while (text > begin && text[-1] == '\r')
        --text;
    const bool returnAtEnd = text < end;
    if (text == begin) {
        m_returned = m_returned || returnAtEnd;
        return;
    }
    if (const char *cr = lastOf(begin, text, '\r')) {
        m_line.resize(0);
        begin = cr + 1;
    } else if (m_returned) {
        m_line.resize(0);
    }
    while (begin < text) {
        const qsizetype take = std::min<qsizetype>(LongestLine - m_line.size(), text - begin);
        m_line.append(begin, take);
        begin += take;
        if (m_line.size() >= LongestLine && begin < text)
            endLine();
    }
    m_returned = returnAtEnd;
}

void ToolOutput::endLine()
{
    m_lines.push_back(m_line);
    if (qsizetype(m_lines.size()) > KeptLines)
        m_lines.removeFirst();
    m_line.resize(0);
}

QString ToolOutput::text() const
{
    QByteArray all;
    all.reserve(keptBytes() + qsizetype(m_lines.size()));
    for (const QByteArray &line : m_lines) {
        all += line;
        all += '\n';
    }
    all += m_line;
    return QString::fromLocal8Bit(all);
}

qsizetype ToolOutput::keptBytes() const
{
    qsizetype bytes = m_line.size();
    for (const QByteArray &line : m_lines)
        bytes += line.size();
    return bytes;
}
