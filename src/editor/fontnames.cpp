#include "fontnames.h"

#include <QSet>

namespace FontNames {

QStringList families(const QStringList &listed)
{
    QStringList names;
    QSet<QString> seen;
    for (const QString &entry : listed) {
        QString name = entry;
        const qsizetype maker = name.lastIndexOf(QLatin1String(" ["));
        if (maker > 0 && name.endsWith(QLatin1Char(']')))
            name.truncate(maker);
        if (!seen.contains(name)) {
            seen.insert(name);
            names.append(name);
        }
    }
    return names;
}

} // namespace FontNames
