// Throughput of a search over 1 GiB of text that does not hold the search
// string, so every byte is scanned: forward from the top and backward from
// the end, exact and without regard to case.
//
// bench/compare.sh runs grep -F and grep -iF on the same bytes: with
// ORVEX_SEARCH_CORPUS set, the corpus is also written to that file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/search.h"
#include "document/document.h"

namespace {

// The search strings; compare.sh uses the same two. The corpus has no j, q,
// x or z, and no word ending in "nation".
const char* const Patterns[] = {
    "jukebox quiz",  // the scan's first bytes never turn up
    "nation state",  // common letters: many candidates to check
};

const char* const Words[] = {
    "the",     "of",    "and",     "to",       "in",      "is",   "was",     "he",
    "for",     "it",    "with",    "as",       "his",     "on",   "be",      "at",
    "by",      "had",   "are",     "but",      "from",    "or",   "have",    "an",
    "they",    "which", "one",     "you",      "were",    "her",  "all",     "she",
    "there",   "would", "their",   "we",       "him",     "been", "has",     "when",
    "who",     "will",  "more",    "no",       "if",      "out",  "so",      "said",
    "what",    "up",    "its",     "about",    "into",    "than", "them",    "can",
    "only",    "other", "new",     "some",     "could",   "time", "these",   "two",
    "may",     "then",  "do",      "first",    "any",     "my",   "now",     "such",
    "like",    "our",   "over",    "man",      "me",      "even", "most",    "made",
    "after",   "also",  "did",     "many",     "before",  "must", "through", "back",
    "years",   "where", "much",    "your",     "way",     "well", "down",    "should",
    "because", "each",  "those",   "people",   "how",     "too",  "little",  "state",
    "good",    "very",  "make",    "world",    "still",   "own",  "see",     "men",
    "work",    "long",  "get",     "here",     "between", "both", "life",    "being",
    "under",   "never", "day",     "same",     "another", "know", "while",   "last",
    "might",   "us",    "great",   "old",      "year",    "off",  "come",    "since",
    "against", "go",    "came",    "right",    "used",    "take", "three",   "States",
    "The",     "When",  "Station", "national", "Nations"};

// 1 GiB of words in lines of about 80 characters ended by CR LF.
std::vector<uint8_t> MakeCorpus() {
    const size_t size = size_t{1} << 30;
    std::vector<uint8_t> t(size);
    const size_t words = sizeof Words / sizeof Words[0];
    uint32_t seed = 2024;
    size_t p = 0, line = 0;
    while (p < size) {
        seed = seed * 1103515245u + 12345u;
        const char* w = Words[(seed >> 12) % words];
        for (; *w && p < size; ++w) t[p++] = static_cast<uint8_t>(*w);
        if (p - line > 80 && p + 2 <= size) {
            t[p++] = '\r';
            t[p++] = '\n';
            line = p;
        } else if (p < size) {
            t[p++] = ((seed >> 8) & 15) == 0 ? ',' : ' ';
        }
    }
    return t;
}

const std::vector<uint8_t>& Corpus() {
    static const std::vector<uint8_t> corpus = [] {
        std::vector<uint8_t> t = MakeCorpus();
        if (const char* path = std::getenv("ORVEX_SEARCH_CORPUS")) {
            std::FILE* f = std::fopen(path, "wb");
            if (!f || std::fwrite(t.data(), 1, t.size(), f) != t.size()) std::abort();
            std::fclose(f);
        }
        return t;
    }();
    return corpus;
}

// Args: pattern, backward, exact.
void BM_Find(benchmark::State& state) {
    const auto& text = Corpus();
    const char* pattern = Patterns[state.range(0)];
    const uint8_t reverse = state.range(1) ? 1 : 0;
    const uint8_t exact = state.range(2) ? 8 : 0;
    FileBuf = const_cast<uint8_t*>(text.data());
    FileSize = static_cast<int32_t>(text.size());
    Checked = ShowMode = _HEX_;
    ByteOffset = 0;
    NumBytes = static_cast<uint32_t>(FileSize);
    ByteNum = reverse ? FileSize - 1 : 0;
    MarkState = 0;
    for (auto _ : state) {
        const FindResult r = RunFind(pattern, exact, 0, reverse);
        if (r.status != FindNotFound) state.SkipWithError("the corpus holds the search string");
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FileSize);
    ResetDocument();
}
BENCHMARK(BM_Find)
    ->ArgsProduct({{0, 1}, {0, 1}, {1, 0}})
    ->ArgNames({"pattern", "back", "exact"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
