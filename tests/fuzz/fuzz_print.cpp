// The footer text as stored (any bytes), expanded part by part and placed,
// split into the dialog's edits and joined again; margin text as typed; the
// page plan and count of a view from the first bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "document/document.h"
#include "fuzz_input.h"
#include "print/footer.h"
#include "print/page_layout.h"
#include "print/print_choices.h"

namespace {
ClockTime Now() { return {2026, 12, 7, 13, 5}; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    ShowMode = static_cast<uint16_t>(_TEXT_ + in.Take(3));
    NumLines = static_cast<int32_t>(in.Take(0) & 0x7FFFFFFF);
    NumBytes = in.Take(0) & 0x7FFFFFFF;
    const int32_t lines = static_cast<int32_t>(in.Take(0));
    if (CountPages(lines) < 1) std::abort();
    const uint32_t height = in.Take(0);
    TakePrinterMetrics({static_cast<int32_t>(in.Take(0)), static_cast<int32_t>(in.Take(0)),
                        static_cast<int32_t>(height), static_cast<int32_t>(height >> 3),
                        static_cast<int32_t>(in.Take(0)), 0, 1, 1});
    PlanPage(72, 72, PageHeight, 0, 0, static_cast<int32_t>(in.Take(100)), true);

    char text[FooterTextMax + 1];
    const size_t n = in.size < FooterTextMax ? in.size : FooterTextMax;
    std::memcpy(text, in.data, n);
    text[n] = '\0';
    const FooterFacts facts = {"C:\\DIR\\FILE.TXT", "FILE.TXT", {2004, 5, 20, 13, 7}, Now, 2, 7};
    char part[FooterPartMax + 1];
    int32_t cx[3];
    for (int i = 0; i < 3; ++i) {
        cx[i] = ExpandFooterPart(text, i, facts, part);
        if (cx[i] > FooterPartMax || std::strlen(part) != static_cast<size_t>(cx[i])) std::abort();
    }
    PlaceFooter(cx, 0, 500);

    char left[FooterTextMax + 1], right[FooterTextMax + 1], centre[FooterTextMax + 1];
    SplitFooter(text, left, right, centre, sizeof left);
    char joined[FooterTextMax + 1];
    JoinFooter(left, right, centre, joined);
    const char* tab = std::strchr(joined, '\t');
    if (std::strlen(joined) > FooterTextMax || !tab || !std::strchr(tab + 1, '\t')) std::abort();

    char margin[16];
    FormatMargin(LimitMargin(ParseMargin(text), 0), margin);
    return 0;
}
