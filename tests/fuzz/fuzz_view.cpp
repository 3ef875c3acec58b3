// Arbitrary bytes as a file, with view settings, marks and a search string taken from the first
// bytes: the line index and its queries, the text and hex rows, then in any mode and range a search
// checked against a byte-by-byte scan, the block text and the marked text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/block_text.h"
#include "app/search.h"
#include "document/document.h"
#include "document/line_index.h"
#include "fuzz_input.h"
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

bool MatchAt(int64_t p) {
    for (int32_t i = 0; i < FindLen; ++i) {
        const uint8_t d = FileBuf[p + i];
        if (d != FindText[i] && !(FindMask[i] && (d ^ FindText[i]) == 0x20)) return false;
    }
    return true;
}

// What a search should do, worked out from the view state without the search's own helpers:
// the bytes it may look at (the whole file, or in interpret mode the table's bytes inside the
// file), the first candidate and whether the mark is given up.
struct SearchPlan {
    int64_t lo, hi, start;
    bool dropMark;
};

SearchPlan PlanSearch(bool reverse) {
    SearchPlan plan{0, FileSize, 0, false};
    const bool interp = Checked == _INTERP_;
    if (interp) {
        plan.lo = std::min<int64_t>(std::max(ByteOffset, 0), FileSize);
        plan.hi = std::max(plan.lo, std::min<int64_t>(int64_t{ByteOffset} + NumBytes, FileSize));
    }
    if (Checked == _TEXT_) {
        // The first byte of the top line, a line the table holds.
        const int32_t line = std::max(0, std::min(LineNum - 1, TableLines() - 1));
        plan.start = std::min<int64_t>(LinePtr[line] & LineOffsetMask, FileSize);
    } else {
        plan.start = int64_t{ByteNum} + ByteOffset;
    }
    if (MarkState == 0) return plan;
    const bool markOutside = MarkStart < plan.start || plan.start + NumBytes < MarkEnd;
    if (interp && markOutside)
        plan.dropMark = true;
    else
        plan.start = int64_t{MarkStart} + (reverse ? -1 : 1);
    return plan;
}

// The hit a byte-by-byte scan finds, or -1.
int64_t SlowFind(const SearchPlan& plan, bool reverse) {
    int64_t p = reverse ? std::min<int64_t>(plan.start, plan.hi - FindLen)
                        : std::max<int64_t>(plan.start, plan.lo);
    // Backward the scan goes on below the table, down to the file's first byte.
    for (; p >= (reverse ? 0 : plan.lo) && p + FindLen <= plan.hi; p += reverse ? -1 : 1)
        if (MatchAt(p)) return p;
    return -1;
}

void CheckSearch(const std::string& typed, uint32_t flags) {
    const bool reverse = (flags & 4) != 0;
    const SearchPlan plan = PlanSearch(reverse);
    const FindResult r = RunFind(typed.c_str(), (flags & 1) ? 8 : 0, (flags & 2) ? 8 : 0, reverse);
    const bool searched = r.status != FindNoString && r.status != FindBadHex;
    if (r.dropMark != (searched && plan.dropMark)) __builtin_trap();
    if ((r.status == FindNoString) != (typed.c_str()[0] == 0)) __builtin_trap();
    if (r.status != FindFound && r.status != FindNotFound) return;
    const int64_t want = FileSize <= 65536 ? SlowFind(plan, reverse) : -2;
    if (r.status == FindNotFound) {
        if (want >= 0) __builtin_trap();
        return;
    }
    if (r.start < 0 || r.end != r.start + FindLen || r.end > FileSize) __builtin_trap();
    if (!MatchAt(r.start)) __builtin_trap();
    if (want != -2 && want != r.start) __builtin_trap();
}

void CheckBlockText() {
    const int64_t room = BlockTextRoom();
    if (room < 1) __builtin_trap();
    if (room > (int64_t{1} << 22)) return;
    std::vector<char> out(static_cast<size_t>(room));
    const int32_t len = GetBlockText(out.data(), room);
    if (len < 0 || len >= room || BlockSize != len + 1 || out[static_cast<size_t>(len)] != 0)
        __builtin_trap();
    // The room asked for is enough: every line ends in CR LF.
    if (len < 2 || out[static_cast<size_t>(len) - 2] != '\r' ||
        out[static_cast<size_t>(len) - 1] != '\n')
        __builtin_trap();
}

void CheckMarkedText() {
    const MarkedSpan s = MarkedBytes();
    if (s.start < 0 || s.len < 0 || s.start + s.len > FileSize) __builtin_trap();
    std::vector<char> out(static_cast<size_t>(s.len) + 1);
    const int32_t len = GetMarkedText(out.data(), s.len + 1);
    if (len < 0 || len > s.len || std::strlen(out.data()) != static_cast<size_t>(len))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    const uint32_t flags = in.Take(0);
    const int32_t width = static_cast<int32_t>(in.Take(300)) - 5,
                  first = static_cast<int32_t>(in.Take(0));
    const int32_t col = static_cast<int32_t>(in.Take(400)) - 3;
    const uint32_t markA = in.Take(0), markB = in.Take(0);
    uint32_t v[7];  // of the search
    for (uint32_t& x : v) x = in.Take(0);
    const uint32_t sflags = v[0], offset = v[1], count = v[2], top = v[3], markC = v[4],
                   markD = v[5], cols = v[6];
    const size_t take = std::min<size_t>(in.Take(0) % 40, in.size);
    const std::string typed(reinterpret_cast<const char*>(in.data), take);
    in.data += take;
    in.size -= take;

    // The file: the rest, where a load holds it or in an exactly sized block that shows any
    // overrun.
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
    const int32_t lo = static_cast<int32_t>(markA % (fileSize + 1u)),
                  hi = static_cast<int32_t>(markB % (fileSize + 1u));
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

    // The search over the same bytes as the find commands run it.
    static const uint16_t Modes[] = {_TEXT_, _HEX_, _CHAR_, _INTERP_};
    Checked = Modes[(sflags >> 8) & 3];
    ShowMode = Checked == _INTERP_ ? _HEX_ : Checked;
    WrapFlag = (sflags & 0x400) ? 8 : 0;
    ConvertFlag = 0;
    AddrMode = AddrPhysical;
    ScreenCols = static_cast<int32_t>((sflags >> 16) % 120) + 1;
    MaxLines = buf == FileArea ? MaxLinesInArea : MaxLinesInBlock;
    GetLinePtrs(0, FileSize);
    ByteOffset = static_cast<int32_t>(offset % (fileSize + 8u)) - ((sflags & 0x800) ? 4 : 0);
    NumBytes = (sflags & 0x1000) ? count : count % (fileSize + 8u);
    ByteNum = static_cast<int32_t>(top % (fileSize + 2u));
    LineNum = static_cast<int32_t>(top % 70) - 2;
    MarkState = static_cast<uint8_t>((sflags >> 12) % 3);
    MarkStart = static_cast<int32_t>(markC % (fileSize + 3u)) - 1;
    MarkEnd = static_cast<int32_t>(markD % (fileSize + 3u)) - 1;
    BlockCol1 = static_cast<int32_t>(cols & 0xFF) - 4;
    BlockCol2 = static_cast<int32_t>((cols >> 8) & 0xFF) - 4;
    CheckSearch(typed, sflags);
    CheckBlockText();
    CheckMarkedText();
    return 0;
}
