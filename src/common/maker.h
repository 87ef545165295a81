#pragma once

#include <QString>
#include <QtGlobal>

// Everything that names the program's maker, kept in one place.
namespace Maker {

inline const QString Copyright = QStringLiteral("(c) 2026 The Tarnwick developers");
inline const QString WebAddress = QStringLiteral("https://www.example.org/tarnwick/");
inline const QString DonationPage = QStringLiteral("https://www.example.org/tarnwick/donate");
inline const QString DonationEmail = QStringLiteral("donations@example.org");
inline const QString ContactEmail = QStringLiteral("tarnwick@example.org");
// A line of the about text, translated where it is shown.
inline const char ToolCredit[] =
    QT_TRANSLATE_NOOP("AboutText", "Written and kept up by its own author; thanks!");

} // namespace Maker
