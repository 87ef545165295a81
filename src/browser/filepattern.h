#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

// A ";"-separated list of wildcard patterns; "*" is any run of characters, "?" one character.
// Names are compared without regard to letter case.
class FilePattern
{
public:
    explicit FilePattern(const QString &patterns);

    bool matches(const QString &name) const;
    // True when every name matches, so that nothing needs to be looked at.
    bool matchesAll() const { return m_matchesAll; }

    // What "Show only Atari Portfolio files" narrows the file list to.
    static QString portfolio()
    {
        return QStringLiteral("*.txt*;*.com*;*.dat*;*.wks*;*.adr*;*.dry*;*.exe*;*.bat*");
    }
    static QString all() { return QStringLiteral("*.*"); }

private:
    bool m_matchesAll = false;
    QList<QRegularExpression> m_expressions;
};
