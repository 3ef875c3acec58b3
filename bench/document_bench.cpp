// Throughput of the line index and of building rows.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "document/document.h"
#include "document/line_index.h"
#include "view/hex_rows.h"
#include "view/text_rows.h"

namespace {

// 64 MiB of text in lines of about 1000 bytes with a few tabs: few enough
// lines (about 67000) for the block's line limit, so the whole file is
// scanned.
const std::vector<uint8_t>& LongLines() {
    static std::vector<uint8_t> text = [] {
        std::vector<uint8_t> t;
        const size_t size = 64u << 20;
        t.reserve(size);
        uint32_t seed = 12345;
        while (t.size() < size) {
            seed = seed * 1103515245u + 12345u;
            const size_t len = 900 + (seed >> 16) % 200;
            for (size_t i = 0; i < len && t.size() < size; ++i)
                t.push_back(i % 97 == 50 ? '\t' : static_cast<uint8_t>('a' + (i * 7 + len) % 26));
            t.push_back('\r');
            t.push_back('\n');
        }
        t.resize(size);
        return t;
    }();
    return text;
}

void Adopt(const std::vector<uint8_t>& bytes) {
    FileBuf = const_cast<uint8_t*>(bytes.data());
    FileSize = static_cast<int32_t>(bytes.size());
    NumBytes = static_cast<uint32_t>(bytes.size());
    ByteOffset = 0;
    MaxLines = MaxLinesInBlock;
}

void BM_LineIndex(benchmark::State& state) {
    const auto& text = LongLines();
    Adopt(text);
    WrapFlag = state.range(0) ? 8 : 0;
    ScreenCols = 4000;  // wider than every line: wrapping scans but never breaks
    for (auto _ : state) {
        GetLinePtrs(0, FileSize);
        benchmark::DoNotOptimize(NumLines);
    }
    if (NumLines > MaxLines) state.SkipWithError("line limit reached: the scan stopped early");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FileSize);
    state.counters["lines"] = NumLines;
    ResetDocument();
}
BENCHMARK(BM_LineIndex)->Arg(0)->Arg(1)->ArgName("wrap")->Unit(benchmark::kMillisecond);

class NullSink final : public RowSink {
  public:
    void Put(const Row& row) override {
        benchmark::DoNotOptimize(row.text);
        sum += static_cast<uint32_t>(row.text[row.len / 2]);
    }
    uint32_t sum = 0;
};

void BM_HexRows(benchmark::State& state) {
    static std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> b(16u << 20);
        for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<uint8_t>(i * 31 + (i >> 9));
        return b;
    }();
    Adopt(bytes);
    ShowMode = static_cast<uint16_t>(state.range(0));
    ConvertFlag = 8;
    const int32_t per = ShowMode == _CHAR_ ? 64 : 16;
    const int32_t width = ShowMode == _CHAR_ ? CharRowWidth : HexRowWidth;
    const int32_t rows = FileSize / per;
    NullSink sink;
    for (auto _ : state) BuildHexRows(rows, per, width, 0, 1, 0, sink);
    benchmark::DoNotOptimize(sink.sum);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FileSize);
    ResetDocument();
}
BENCHMARK(BM_HexRows)->Arg(_HEX_)->Arg(_CHAR_)->ArgName("mode")->Unit(benchmark::kMillisecond);

// One screen of text rows, as a repaint builds them: 60 rows of 200 columns,
// scrolled to the middle of the file, with a mark across the screen.
void BM_TextScreen(benchmark::State& state) {
    const auto& text = LongLines();
    Adopt(text);
    WrapFlag = 0;
    GetLinePtrs(0, FileSize);
    const int32_t first = NumLines / 2;
    MarkStart = static_cast<int32_t>(LinePtr[first + 10] & LineOffsetMask) + 5;
    MarkEnd = MarkStart + 5000;
    NullSink sink;
    for (auto _ : state)
        BuildTextRows(60, 200, first, 1, 0, static_cast<int32_t>(state.range(0)), sink);
    benchmark::DoNotOptimize(sink.sum);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 60);
    ResetDocument();
}
BENCHMARK(BM_TextScreen)->Arg(0)->Arg(1)->ArgName("mark");

}  // namespace
