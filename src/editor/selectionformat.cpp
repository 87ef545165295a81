#include "selectionformat.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace SelectionFormat {

bool all(const QTextCursor &cursor, const std::function<bool(const QTextCharFormat &)> &has)
{
    if (!cursor.hasSelection())
        return has(cursor.charFormat());
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = cursor.document()->findBlock(start);
         block.isValid() && block.position() < end; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const bool inside =
                fragment.position() < end && fragment.position() + fragment.length() > start;
            if (inside && !has(fragment.charFormat()))
                return false;
        }
    }
    return true;
}

} // namespace SelectionFormat
