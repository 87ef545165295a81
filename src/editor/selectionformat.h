#pragma once

#include <functional>

class QTextCharFormat;
class QTextCursor;

// Reading the character format of a selection. No widgets here.
namespace SelectionFormat {

// True when every character of the selection has the property, or, with nothing selected,
// when the text typed next at the cursor would have it.
bool all(const QTextCursor &cursor, const std::function<bool(const QTextCharFormat &)> &has);

} // namespace SelectionFormat
