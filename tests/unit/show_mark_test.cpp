#include "app/show_mark.h"

#include <gtest/gtest.h>

#include <string>

#include "doc_fixture.h"
#include "document/document.h"

namespace {

using ShowMark = DocTest;

// The view position after showing a mark, with 10 rows of 40 columns on
// screen: ByteNum for hex and char drawing, LineNum and Col for text.
TEST_F(ShowMark, MovesTheViewOnlyWhenTheMarkIsOutOfSight) {
    std::string lines;  // 200 lines of 8 bytes: line i starts at i * 8
    for (int i = 0; i < 200; ++i) lines += "L" + std::string(3, static_cast<char>('0' + i % 10)) + "abc\n";
    const std::string cols = std::string("0123456789").append(60, '.') + "\n\t\t\t\t\t\tx\n";
    const std::string bytes4k(4096, 'x'), bytes8k(8192, 'x');
    const struct {
        const char* what;
        uint16_t checked, show;
        const std::string& doc;
        int32_t offset, num, pos, col, start, end;  // start -1: nothing marked
        ShowMarkStatus status;
        int32_t toPos, toCol;  // toPos -1: not looked at
    } cases[] = {
        {"hex, nothing marked", _HEX_, _HEX_, bytes4k, -1, 0, 512, 1, -1, 0, MarkNothing, 512, 1},
        {"hex, nine full rows in view", _HEX_, _HEX_, bytes4k, -1, 0, 0, 1, 100, 144, MarkShown, 0, 1},
        {"hex, one byte beyond", _HEX_, _HEX_, bytes4k, -1, 0, 0, 1, 100, 145, MarkShown, 80, 1},
        {"hex, a row's start goes to the second row", _HEX_, _HEX_, bytes4k, -1, 0, 0, 1, 192, 193,
         MarkShown, 176, 1},
        {"hex, above the view", _HEX_, _HEX_, bytes4k, -1, 0, 1024, 1, 5, 6, MarkShown, 0, 1},
        {"hex, far below", _HEX_, _HEX_, bytes4k, -1, 0, 0, 1, 3000, 3010, MarkShown, 2976, 1},
        {"char rows of 64", _CHAR_, _CHAR_, bytes4k, -1, 0, 0, 1, 500, 576, MarkShown, 0, 1},
        {"char, one byte beyond", _CHAR_, _CHAR_, bytes4k, -1, 0, 0, 1, 500, 577, MarkShown, 480, 1},
        {"table, in view", _INTERP_, _HEX_, bytes8k, 1000, 500, 0, 1, 1100, 1104, MarkShown, 0, 1},
        {"table, below the rows", _INTERP_, _HEX_, bytes8k, 1000, 500, 0, 1, 1400, 1404, MarkShown, 384, 1},
        {"before the table: its top", _INTERP_, _HEX_, bytes8k, 1000, 500, 384, 1, 10, 12, MarkNotInTable,
         0, 1},
        {"after it: its last row", _INTERP_, _HEX_, bytes8k, 1000, 500, 0, 1, 5000, 5002, MarkNotInTable,
         496, 1},
        {"its last byte", _INTERP_, _HEX_, bytes8k, 1000, 500, 0, 1, 1499, 1500, MarkShown, -1, 1},
        {"the byte after it", _INTERP_, _HEX_, bytes8k, 1000, 500, 0, 1, 1500, 1501, MarkShown, -1, 1},
        {"ending at its start", _INTERP_, _HEX_, bytes8k, 1000, 500, 0, 1, 990, 1000, MarkNotInTable, -1, 1},
        {"char table, on screen outside it", _INTERP_, _CHAR_, bytes8k, 1000, 10, 0, 1, 1100, 1101,
         MarkShown, 0, 1},
        {"hex table, on screen outside it", _INTERP_, _HEX_, bytes8k, 1000, 10, 0, 1, 1100, 1101,
         MarkNotInTable, -1, 1},
        {"char table, off screen", _INTERP_, _CHAR_, bytes8k, 1000, 10, 0, 1, 5000, 5001, MarkNotInTable,
         -1, 1},
        {"text, nothing marked", _TEXT_, _TEXT_, lines, -1, 0, 30, 1, -1, 0, MarkNothing, 30, 1},
        {"text, the last whole line", _TEXT_, _TEXT_, lines, -1, 0, 1, 1, 64, 66, MarkShown, 1, 1},
        {"text, the line below it", _TEXT_, _TEXT_, lines, -1, 0, 1, 1, 72, 74, MarkShown, 1, 1},
        {"text, far below", _TEXT_, _TEXT_, lines, -1, 0, 1, 1, 800, 801, MarkShown, 91, 1},
        {"text, the top line", _TEXT_, _TEXT_, lines, -1, 0, 91, 1, 720, 721, MarkShown, 91, 1},
        {"text, above the top line", _TEXT_, _TEXT_, lines, -1, 0, 91, 1, 712, 713, MarkShown, 80, 1},
        {"text listing of a table", _INTERP_, _TEXT_, lines, -1, 0, 5, 1, 1200, 1201, MarkShown, 5, 1},
        {"column in view for its width", _TEXT_, _TEXT_, cols, -1, 0, 1, 1, 20, 25, MarkShown, 1, 1},
        {"column too wide to fit", _TEXT_, _TEXT_, cols, -1, 0, 1, 1, 20, 40, MarkShown, 1, 11},
        {"the first column shown", _TEXT_, _TEXT_, cols, -1, 0, 1, 11, 10, 11, MarkShown, 1, 11},
        {"left of it", _TEXT_, _TEXT_, cols, -1, 0, 1, 11, 9, 10, MarkShown, 1, 1},
        {"display columns after tabs", _TEXT_, _TEXT_, cols, -1, 0, 1, 1, 77, 78, MarkShown, 1, 39},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Checked = c.show;
        Load(c.doc);
        Checked = c.checked;
        ShowMode = c.show;
        ScreenLines = 10;
        ScreenCols = 40;
        if (c.offset >= 0) {
            ByteOffset = c.offset;
            NumBytes = static_cast<uint32_t>(c.num);
        }
        int32_t& pos = c.show == _TEXT_ ? LineNum : ByteNum;
        pos = c.pos;
        Col = c.col;
        MarkState = c.start >= 0;
        MarkStart = c.start;
        MarkEnd = c.end;
        EXPECT_EQ(ShowMarkPosition(), c.status);
        if (c.toPos >= 0) {
            EXPECT_EQ(pos, c.toPos);
        }
        EXPECT_EQ(Col, c.toCol);
    }
    MarkState = 0;
}

}  // namespace
