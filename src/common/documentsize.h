#pragma once

#include <QtGlobal>

// How long a document the editor takes on. Qt's text document counts its positions in an int,
// and long before that limit a document needs several bytes of memory for each character: a
// file far larger than any Portfolio text would exhaust the memory, and the system would end
// the program with every unsaved change in it.
namespace DocumentSize {

inline constexpr qint64 MostCharacters = 250'000'000;
// The same limit in the words of the messages: a file of more bytes is not opened.
inline constexpr int MostMegabytes = int(MostCharacters / 1'000'000);

} // namespace DocumentSize
