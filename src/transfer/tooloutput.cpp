#include "tooloutput.h"

#include <algorithm>

void ToolOutput::append(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    ++m_version;
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    while (p < end) {
        const char *stop = p;
        while (stop < end && *stop != '\n' && *stop != '\r')
            ++stop;
        if (stop > p) {
            if (m_returned) {
                m_line.clear();
                m_returned = false;
            }
            while (p < stop) {
                const qsizetype room = LongestLine - m_line.size();
                const qsizetype take = std::min<qsizetype>(room, stop - p);
                m_line.append(p, take);
                p += take;
                if (m_line.size() >= LongestLine && p < stop)
                    endLine();
            }
        }
        if (stop == end)
            break;
        if (*stop == '\n')
            endLine();
        else
            m_returned = true;
        p = stop + 1;
    }
}

void ToolOutput::endLine()
{
    m_lines.push_back(m_line);
    if (qsizetype(m_lines.size()) > KeptLines)
        m_lines.pop_front();
    m_line.clear();
    m_returned = false;
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
