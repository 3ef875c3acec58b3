// Feeds arbitrary bytes as a file to the line index, its queries and the
// row builders, with arbitrary view settings taken from the first bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "document/document.h"
#include "fuzz_input.h"
#include "document/line_index.h"
#include "view/hex_rows.h"
#include "view/text_rows.h"

namespace {

class CheckSink final : public RowSink {
public:
    void Put(const Row& row) override {
        // Touch every shown cell and check that the pieces stay in the row.
        for (int32_t i = 0; i < row.len; ++i) sum += static_cast<uint8_t>(row.text[i]);
        for (int32_t i = 0; i < row.count; ++i) {
            const RowPiece& p = row.pieces[i];
            if (p.cell < 0 || p.len < 0 || p.cell + p.len > row.len) __builtin_trap();
        }
    }
    uint32_t sum = 0;
};


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    const uint32_t flags = in.Take(0);
    const int32_t width = static_cast<int32_t>(in.Take(300)) - 5, first = static_cast<int32_t>(in.Take(0));
    const int32_t col = static_cast<int32_t>(in.Take(400)) - 3;
    const uint32_t markA = in.Take(0), markB = in.Take(0);

    // The file: the rest, held where a load would hold it; an exactly sized
    // copy for a block so that any overrun is caught.
    static std::vector<uint8_t> block;
    ResetDocument();
    Checked = ShowMode = _TEXT_;
    WrapFlag = (flags & 1) ? 8 : 0;
    ConvertFlag = (flags & 2) ? 8 : 0;
    ScreenCols = width;
    TooManyLinesHandler = nullptr;
    uint8_t* buf = AreaFor(static_cast<int64_t>(in.size));
    if (!buf || (flags & 4)) {
        block.assign(in.data, in.data + in.size);
        buf = block.data();
    } else if (in.size) {
        std::memcpy(buf, in.data, in.size);
    }
    AdoptFile(buf, static_cast<int32_t>(in.size));
    if (buf != FileArea) MaxLines = (flags & 8) ? 7 : MaxLinesInBlock;
    GetLinePtrs(0, FileSize);

    const int32_t fileSize = FileSize;
    const int32_t lo = static_cast<int32_t>(markA % (fileSize + 1u)), hi = static_cast<int32_t>(markB % (fileSize + 1u));
    MarkStart = lo < hi ? lo : hi;
    MarkEnd = lo < hi ? hi : lo;
    const int32_t mark = MarkStart < MarkEnd ? static_cast<int32_t>((flags >> 4) % 3) : 0;

    for (int32_t b = -1; b <= fileSize; b += 1 + fileSize / 64) {
        const int32_t line = GetTextLine(b);
        if (line < 0 || line >= TableLines()) __builtin_trap();
        const int32_t c = GetTextColumn(b);
        const int32_t back = GetTextByte(line, c);
        if (back < 0 || back > fileSize) __builtin_trap();
    }
    if (GetTextByte(first, col) > fileSize) __builtin_trap();

    CheckSink sink;
    const int32_t rows = static_cast<int32_t>((flags >> 8) % 70);
    BuildTextRows(rows, width, first % (NumLines + 2), col, static_cast<int32_t>((flags >> 16) % 6),
                  mark, sink);
    ShowMode = (flags & 0x40) ? _CHAR_ : _HEX_;
    AddrMode = static_cast<uint16_t>(AddrZero + (flags >> 20) % 3);
    ByteOffset = static_cast<int32_t>((flags >> 24) & 0x3F);
    NumBytes = static_cast<uint32_t>(fileSize) + ((flags & 0x80) ? 100u : 0u);
    BuildHexRows(rows, 16, width, first & 0xFFFF, col, mark, sink);
    return 0;
}
