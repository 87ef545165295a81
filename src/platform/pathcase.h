#pragma once

#include <QtGlobal>

// How the system tells file paths apart: Windows ignores letter case, others do not.
#ifdef Q_OS_WIN
inline constexpr Qt::CaseSensitivity PathCase = Qt::CaseInsensitive;
#else
inline constexpr Qt::CaseSensitivity PathCase = Qt::CaseSensitive;
#endif
