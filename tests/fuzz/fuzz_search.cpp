// Runs a search, the block text and the marked text over arbitrary bytes,
// with the view state, the mark and the search string taken from the first
// bytes, and checks each hit against a byte-by-byte scan.
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

namespace {


bool MatchAt(int64_t p) {
    for (int32_t i = 0; i < FindLen; ++i) {
        const uint8_t d = FileBuf[p + i];
        if (d != FindText[i] && !(FindMask[i] && (d ^ FindText[i]) == 0x20)) return false;
    }
    return true;
}

// The hit a byte-by-byte scan finds from `start`, or -1.
int64_t SlowFind(int64_t start, bool reverse) {
    const FindRange r = FindSearchRange();
    for (int64_t p = reverse ? std::min<int64_t>(start, r.hi - FindLen) : std::max<int64_t>(start, r.lo);
         p >= r.lo && p + FindLen <= r.hi; p += reverse ? -1 : 1)
        if (MatchAt(p)) return p;
    return -1;
}

void CheckSearch(const std::string& typed, uint32_t flags) {
    const uint8_t reverse = (flags & 4) ? 1 : 0;
    const FindStart st = FindStartPos(reverse);
    const FindResult r = RunFind(typed.c_str(), (flags & 1) ? 8 : 0, (flags & 2) ? 8 : 0, reverse);
    if (r.dropMark != (r.status != FindNoString && r.status != FindBadHex && st.dropMark))
        __builtin_trap();
    if ((r.status == FindNoString) != (typed.c_str()[0] == 0)) __builtin_trap();
    if (r.status != FindFound && r.status != FindNotFound) return;
    const int64_t want = FileSize <= 65536 ? SlowFind(st.pos, reverse) : -2;
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
    if (len < 2 || out[static_cast<size_t>(len) - 2] != '\r' || out[static_cast<size_t>(len) - 1] != '\n')
        __builtin_trap();
}

void CheckMarkedText() {
    const MarkedSpan s = MarkedBytes();
    if (s.start < 0 || s.len < 0 || s.start + s.len > FileSize) __builtin_trap();
    std::vector<char> out(static_cast<size_t>(s.len) + 1);
    const int32_t len = GetMarkedText(out.data(), s.len + 1);
    if (len < 0 || len > s.len || std::strlen(out.data()) != static_cast<size_t>(len)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    uint32_t v[7];
    for (uint32_t& x : v) x = in.Take(0);
    const uint32_t flags = v[0], offset = v[1], count = v[2], top = v[3], markA = v[4], markB = v[5], cols = v[6];
    const size_t textLen = in.Take(0) % 40;
    const size_t take = textLen < in.size ? textLen : in.size;
    const std::string typed(reinterpret_cast<const char*>(in.data), take);
    in.data += take;
    in.size -= take;

    static std::vector<uint8_t> block;
    ResetDocument();
    static const uint16_t Modes[] = {_TEXT_, _HEX_, _CHAR_, _INTERP_};
    Checked = Modes[(flags >> 8) & 3];
    ShowMode = Checked == _INTERP_ ? _HEX_ : Checked;
    WrapFlag = (flags & 0x400) ? 8 : 0;
    ScreenCols = static_cast<int32_t>((flags >> 16) % 120) + 1;
    TooManyLinesHandler = nullptr;
    block.assign(in.data, in.data + in.size);  // exactly sized: overruns are caught
    AdoptFile(block.data(), static_cast<int32_t>(block.size()));
    if (Checked != _TEXT_) GetLinePtrs(0, FileSize);

    const int32_t fileSize = FileSize;
    ByteOffset = static_cast<int32_t>(offset % (fileSize + 8u)) - ((flags & 0x800) ? 4 : 0);
    NumBytes = (flags & 0x1000) ? count : count % (fileSize + 8u);
    ByteNum = static_cast<int32_t>(top % (fileSize + 2u));
    LineNum = static_cast<int32_t>(top % 70) - 2;
    MarkState = static_cast<uint8_t>((flags >> 12) % 3);
    MarkStart = static_cast<int32_t>(markA % (fileSize + 3u)) - 1;
    MarkEnd = static_cast<int32_t>(markB % (fileSize + 3u)) - 1;
    BlockCol1 = static_cast<int32_t>(cols & 0xFF) - 4;
    BlockCol2 = static_cast<int32_t>((cols >> 8) & 0xFF) - 4;

    CheckSearch(typed, flags);
    CheckBlockText();
    CheckMarkedText();
    return 0;
}
