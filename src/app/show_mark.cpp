#include "app/show_mark.h"

#include <algorithm>

#include "document/document.h"
#include "document/line_index.h"

namespace {

// Hex and char drawing: the first byte shown moves to the row before the
// mark's, on a 16-byte boundary, when the mark is not wholly on screen.
// Returns whether it already was.
bool ShowBytes() {
    const int64_t rowBytes = ShowMode == _CHAR_ ? 64 : 16;
    const int64_t top = int64_t{ByteNum} + ByteOffset;
    const bool visible = top <= MarkStart && top + (ScreenLines - 1) * rowBytes >= MarkEnd;
    if (visible) return true;
    int64_t num = (int64_t{MarkStart} - ByteOffset - 15) & ~int64_t{15};
    // A mark past the end of the selected table leaves the view on the
    // table's last row rather than beyond it.
    const int64_t shown = Checked == _INTERP_ ? int64_t{NumBytes} : int64_t{FileSize} - ByteOffset;
    const int64_t last = (std::max<int64_t>(shown, 1) - 1) & ~int64_t{15};
    num = std::clamp<int64_t>(num, 0, last);
    ByteNum = static_cast<int32_t>(num);
    return false;
}

bool InTable() { return MarkEnd > ByteOffset && int64_t{ByteOffset} + NumBytes >= MarkStart; }

// Text drawing: the line and column of the mark's first byte go ten rows
// and ten columns in from the edges when they are out of view. The top row
// and the first column shown count as in view.
void ShowText() {
    const int32_t start = std::clamp(MarkStart, 0, std::max(FileSize, 0));
    const int64_t line = GetTextLine(start);  // 0-based
    if (line >= int64_t{LineNum} + ScreenLines - 2 || line + 1 < LineNum)
        LineNum = static_cast<int32_t>(std::max<int64_t>(line - 9, 1));
    const int64_t column = GetTextColumn(start);  // 0-based
    const int64_t width = int64_t{MarkEnd} - MarkStart;
    if (column >= int64_t{Col} + ScreenCols - width - 2 || column + 1 < Col)
        Col = static_cast<int32_t>(std::max<int64_t>(column - 9, 1));
}

}  // namespace

ShowMarkStatus ShowMarkPosition() {
    if (MarkState == 0) return MarkNothing;
    if (ShowMode == _HEX_ || ShowMode == _CHAR_) {
        const bool wasVisible = ShowBytes();
        if (Checked == _INTERP_ && !(ShowMode == _CHAR_ && wasVisible) && !InTable())
            return MarkNotInTable;
        return MarkShown;
    }
    // The line table describes the text view only; a listing drawn as text in
    // interpret mode has no lines of the file to move to.
    if (Checked == _TEXT_) ShowText();
    return MarkShown;
}
