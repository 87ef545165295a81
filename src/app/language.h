#pragma once

#include <QString>
#include <QStringList>

// The language of the program's texts. The original English needs no catalogue; any other
// language is a catalogue built into the program, with Qt's own catalogue for the texts of
// its standard boxes and menus.
namespace Language {

// The desktop's languages in order of preference, or only TARNWICK_LANGUAGE when it is set
// (TARNWICK_LANGUAGE=en shows the original texts on any desktop).
QStringList wanted();

// Installs the catalogue of the first of the languages that has one; English, or a language
// before it that has none, stops the search. Replaces what an earlier call installed. Returns
// the language chosen, or an empty text for the original English.
QString use(const QStringList &languages);

} // namespace Language
