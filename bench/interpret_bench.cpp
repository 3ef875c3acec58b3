// The interpretation tree of a large real DLL: reading every section,
// directory, import and resource, and selecting every node.
#include <benchmark/benchmark.h>

#include <string>

#include "document/document.h"
#include "document/file_load.h"
#include "interpret/interp_tree.h"
#include "interpret/selection.h"

namespace {

bool LoadPe32(const char* name, benchmark::State& state) {
    const std::string path = std::string(ORVEX_GOLDEN_PE32) + "/" + name;
    Checked = _INTERP_;
    if (LoadDocumentFile(path.c_str()) != LoadResult::Ok) {
        state.SkipWithError("missing input: run scripts/fetch-golden.sh");
        return false;
    }
    return true;
}

void BM_TreeOfShell32(benchmark::State& state) {
    if (!LoadPe32("shell32.dll", state)) return;
    UserMessages shown;
    for (auto _ : state) {
        shown.clear();
        BuildInterpTree(shown);
        benchmark::DoNotOptimize(TreeNodes.data());
    }
    state.counters["nodes"] = static_cast<double>(TreeNodes.size());
    state.counters["bytes"] = FileSize;
}
BENCHMARK(BM_TreeOfShell32)->Unit(benchmark::kMillisecond);

void BM_SelectEveryNodeOfShell32(benchmark::State& state) {
    if (!LoadPe32("shell32.dll", state)) return;
    UserMessages shown;
    BuildInterpTree(shown);
    for (auto _ : state) {
        for (size_t n = 0; n < TreeNodes.size(); ++n) {
            shown.clear();
            SelectNode(static_cast<int32_t>(n), shown);
        }
        benchmark::DoNotOptimize(ByteOffset);
    }
    state.counters["nodes"] = static_cast<double>(TreeNodes.size());
}
BENCHMARK(BM_SelectEveryNodeOfShell32)->Unit(benchmark::kMillisecond);

}  // namespace
