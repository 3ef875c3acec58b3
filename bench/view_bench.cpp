// Row building of one full screen of the view, as a paint does it: only the
// visible rows, handed to a sink that keeps nothing.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "document/document.h"
#include "view/hex_rows.h"
#include "view/text_rows.h"
#include "view/view_nav.h"

namespace {

class CountSink final : public RowSink {
  public:
    void Put(const Row& row) override { chars += row.len + row.count; }
    int64_t chars = 0;
};

void LoadBytes(std::vector<uint8_t>& bytes, uint16_t mode) {
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i % 96 + 32);
    for (size_t i = 70; i < bytes.size(); i += 71) bytes[i] = '\n';
    Checked = ShowMode = mode;
    ScreenCols = 160;
    AdoptFile(bytes.data(), static_cast<int32_t>(bytes.size()));
    SetRowMetrics();
}

// 60 rows of a full-screen hex view, with a mark across them.
void BM_HexScreen(benchmark::State& state) {
    std::vector<uint8_t> bytes(1 << 20);
    LoadBytes(bytes, _HEX_);
    MarkStart = 100;
    MarkEnd = 700;
    CountSink sink;
    for (auto _ : state) {
        BuildHexRows(60, 16, 71, 4096 + 3, 1, 1, sink);
        benchmark::DoNotOptimize(sink.chars);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HexScreen);

void BM_TextScreen(benchmark::State& state) {
    std::vector<uint8_t> bytes(1 << 20);
    LoadBytes(bytes, _TEXT_);
    CountSink sink;
    for (auto _ : state) {
        BuildTextRows(60, 160, 1000, 1, 0, 0, sink);
        benchmark::DoNotOptimize(sink.chars);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextScreen);

}  // namespace
