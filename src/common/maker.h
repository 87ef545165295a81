#pragma once

#include <QString>

// Everything that names the program's maker, kept in one place.
namespace Maker {

inline const QString Copyright = QStringLiteral("(c) 2026 The Tarnwick developers");
inline const QString WebAddress = QStringLiteral("https://www.example.org/tarnwick/");
inline const QString DonationPage = QStringLiteral("https://www.example.org/tarnwick/donate");
inline const QString DonationEmail = QStringLiteral("donations@example.org");
inline const QString ContactEmail = QStringLiteral("tarnwick@example.org");
inline const QString ToolCredit = QStringLiteral("Written and kept up by its own author; thanks!");

} // namespace Maker
