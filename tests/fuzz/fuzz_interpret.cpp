// One fuzz input is loaded as the document under FUZZ_INPUT_NAME, whose extension picks the reader
// (a target per reader); the tree is built and every node selected with its listings and export
// files.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "document/document.h"
#include "interpret/image_check.h"
#include "interpret/image_pane.h"
#include "interpret/image_table.h"
#include "interpret/interp_tree.h"
#include "interpret/listings.h"
#include "interpret/resource_files.h"
#include "interpret/selection.h"

class CountingSink final : public ListingSink {
  public:
    size_t chars = 0;
    void Put(const ListingLine& line) override {
        for (const char* p = line.Text; *p; ++p) ++chars;
        for (const char* p = line.Name; *p; ++p) ++chars;
    }
};

static void ListAround(CountingSink& sink) {
    const int32_t lines = std::min<int32_t>(NumLines, 1 << 20);
    const int32_t firsts[] = {1, 2, 3, lines / 2, lines - 1};
    for (int32_t first : firsts) {
        if (SelKind == KindExports) ListExportLines(first, 40, sink);
        if (SelKind == KindLibrary) ListImportLines(first, 40, sink);
    }
}

// Counts the exported bytes instead of keeping them: a hostile group may name gigabytes.
struct SizeSink final : ByteSink {
    uint64_t total = 0;
    bool Write(const uint8_t* data, size_t len) override {
        if (len) total += data[0] + data[len - 1];
        return true;
    }
};

static void ExportAll(int32_t node) {
    SizeSink sink;
    if (SelKind == KindResEntry) {
        if (ExportCmd == ExportBitmaps) StreamBmpFile(ByteOffset, NumBytes, sink);
        if (ExportCmd == ExportCursors || ExportCmd == ExportIcons)
            StreamIconFile(ExportImages{SelImages, SelGroupEntries}, ExportCmd, sink);
    } else if (SelKind == KindResType && ExportCmd) {
        std::vector<ExportItem> items;
        PlanFolderExport(node, ExportCmd, items);
        for (const ExportItem& item : items) StreamExportFile(item, ExportCmd, sink);
    }
}

// What the window layer checks before the system sees image and dialog
// bytes, and the pane's arithmetic for the selection.
static void CheckForTheSystem() {
    if (SelKind == KindResEntry && SelType == 2) {
        DibParts parts;
        BitmapFits(static_cast<uint32_t>(ByteOffset), NumBytes, parts);
    }
    if (ShowDialogPreview)
        DialogTemplateFits(FileBuf + static_cast<uint32_t>(ByteOffset), NumBytes, nullptr);
    if (ImageShow != ImagesNone) {
        SetImageCells();
        LayOutPane(300, 200, 17, 17);
        PaneKey(0x22, false);
        PaneHScroll(7, 0);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> held;
    held.assign(data, data + size);
    held.push_back(0);
    std::snprintf(FileName, sizeof FileName, "C:\\fuzz\\%s", FUZZ_INPUT_NAME);
    SetFileNameParts();
    Checked = _INTERP_;
    AddrMode = (size & 1) ? AddrRva : AddrPhysical;
    AdoptFile(held.data(), static_cast<int32_t>(size));
    UserMessages shown;
    BuildInterpTree(shown);
    CountingSink sink;
    for (int16_t i = 0; i < ImageCount; ++i) IconImageFits(ImageOffsets[i], ImageLengths[i]);
    // A library's listing walks its thunks to the end of the file; a large input whose import
    // descriptors run on for the whole file would make selecting every library quadratic, so
    // only the first libraries are selected (each selection stays linear, as in the viewer).
    int32_t libraries = 0;
    for (size_t n = 0; n < TreeNodes.size(); ++n) {
        if (TreeNodes[n].Kind == KindLibrary && ++libraries > 64) continue;
        SelectNode(static_cast<int32_t>(n), shown);
        if (NumBytes > static_cast<uint32_t>(FileSize) ||
            static_cast<uint64_t>(static_cast<uint32_t>(ByteOffset)) + NumBytes >
                static_cast<uint64_t>(FileSize))
            __builtin_trap();  // the selection must leave a range inside the file
        ListAround(sink);
        CheckForTheSystem();
        ExportAll(static_cast<int32_t>(n));
        shown.clear();
    }
    return 0;
}
