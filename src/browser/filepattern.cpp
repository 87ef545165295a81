#include "filepattern.h"

FilePattern::FilePattern(const QString &patterns)
{
    for (const QString &part : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        // "*.*" lists every file, also those without a dot, as the DOS rule has it.
        if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) {
            m_matchesAll = true;
            continue;
        }
        m_expressions.append(QRegularExpression(
            // File names hold no separator, so the path rules of the conversion never apply.
            QRegularExpression::wildcardToRegularExpression(pattern),
            QRegularExpression::CaseInsensitiveOption));
    }
}

bool FilePattern::matches(const QString &name) const
{
    if (m_matchesAll)
        return true;
    for (const QRegularExpression &expression : m_expressions) {
        if (expression.match(name).hasMatch())
            return true;
    }
    return false;
}
