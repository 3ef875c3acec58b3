#include "interpret/selection.h"

#include <cstdio>
#include <utility>

#include "document/document.h"
#include "document/text_number.h"
#include "interpret/file_bytes.h"
#include "interpret/image_check.h"
#include "interpret/image_table.h"
#include "interpret/listings.h"
#include "interpret/resource_files.h"

uint8_t SelKind = 0;
uint8_t SelType = 0;
uint16_t ExportCmd = 0;
uint8_t ImageShow = ImagesNone;
int16_t ImageFirst = 0;
int16_t ImageLast = -1;
std::vector<int16_t> SelImages;
std::vector<uint32_t> SelGroupEntries;
uint8_t ShowDialogPreview = 0;
int32_t SelNode = -1;

namespace {

// ByteOffset as the unsigned file position it stands for.
uint32_t Start() { return static_cast<uint32_t>(ByteOffset); }

void ShowRange(int16_t first, int16_t last) {
    ImageShow = ImagesGrid;
    // The range never names an index outside the table: what lies outside
    // is left out, which may leave it empty (ImageLast < ImageFirst).
    ImageFirst = first < 0 ? 0 : first;
    ImageLast = last < ImageCount ? last : static_cast<int16_t>(ImageCount - 1);
    SelImages.clear();
    SelGroupEntries.clear();
    for (int32_t i = ImageFirst; i <= ImageLast; ++i) SelImages.push_back(static_cast<int16_t>(i));
}

// The structure at Ref is an RVA and a size: the range it names.
void RangeFromRef(const TreeNode& n) {
    uint32_t rva = 0, size = 0;
    ReadU32(static_cast<uint64_t>(n.Ref), rva);
    ReadU32(static_cast<uint64_t>(n.Ref) + 4, size);
    ByteOffset = static_cast<int32_t>(RvaToOffset(rva, RvaBias));
    NumBytes = size;
}

void StartListing(int32_t lines) {
    NumLines = lines;
    LineNum = 1;
    Col = 1;
    NumCols = 49;
    ShowMode = _TEXT_;
}

// A single CURSOR, ICON or BITMAP entry: its data must start with a 40-byte
// bitmap header (after the hotspot of a cursor), and a bitmap's colour table
// and bits must lie inside the resource and the file. The image of a CURSOR
// or ICON entry is named even when it cannot be shown, so that it can still
// be exported.
void SelectSingleImage(const TreeNode& n, UserMessages& shown) {
    uint32_t header = 0;
    const uint64_t at = static_cast<uint64_t>(Start()) + (SelType == 1 ? 4 : 0);
    uint32_t w = 0, h = 0;
    uint16_t bits = 0;
    const bool png = SelType != 2 && NumBytes >= (SelType == 1 ? 4u : 0u) &&
                     PngImage(at, NumBytes - (SelType == 1 ? 4 : 0), w, h, bits);
    const bool known = (ReadU32(at, header) && header == 40) || png;
    DibParts parts;
    if (SelType == 2 && known && BitmapFits(Start(), NumBytes, parts)) {
        ImageShow = ImagesBitmap;
        return;
    }
    if (SelType != 2) {
        int16_t index = ImageIndexOfEntry(n.Ref);
        if (index >= 0 && ImageTypes[index] != SelType) index = -1;
        ShowRange(index, index);
        if (known) return;
        ImageShow = ImagesNone;
    }
    AddMessage(shown, "Unrecognized format!", nullptr);
    ImageShow = ImagesNone;
}

// A GROUP_CURSOR or GROUP_ICON entry: the images its entries name, as
// many as its bytes hold, in the group's order; the range has as many
// places.
void SelectGroup() {
    ExportImages group;
    ReadGroupImages(Start(), NumBytes, SelType, group);
    ImageShow = ImagesGrid;
    SelImages = std::move(group.Indexes);
    SelGroupEntries = std::move(group.GroupEntries);
    ImageFirst = SelImages.empty() ? 0 : SelImages.front();
    ImageLast = static_cast<int16_t>(ImageFirst + static_cast<int32_t>(SelImages.size()) - 1);
}

void SelectResourceType(const TreeNode& n) {
    uint16_t named = 0, ids = 0;
    ReadU16(static_cast<uint64_t>(n.Ref) + 12, named);
    ReadU16(static_cast<uint64_t>(n.Ref) + 14, ids);
    ByteOffset = n.Ref;
    NumBytes = (static_cast<uint32_t>(named) + ids + 2) * 8;
    if (SelType == 1 || SelType == 12)
        ShowRange(0, LastCursorIndex);
    else if (SelType == 3 || SelType == 14)
        ShowRange(FirstIconIndex, LastIconIndex);
}

void SelectExeNode(const TreeNode& n, UserMessages& shown) {
    RvaBias = n.Section >= 0 && static_cast<size_t>(n.Section) < SectionBias.size()
                  ? SectionBias[static_cast<size_t>(n.Section)]
                  : 0;
    SelKind = static_cast<uint8_t>(n.Kind & 0xFF);
    SelType = static_cast<uint8_t>(n.Kind >> 8);
    if (SelKind == KindLibrary) {
        ByteOffset = n.Ref;
        NumBytes = 20;
        StartListing(CountImports(n.Ref));
        return;
    }
    if (SelKind == KindResType || SelKind == KindResEntry) ExportCmd = ExportCommandOf(SelType);
    if (SelKind == KindResType) {
        SelectResourceType(n);
        return;
    }
    RangeFromRef(n);
    if (SelKind == KindExports) {
        StartListing(CountExports(ByteOffset));
    } else if (SelKind == KindResEntry) {
        if (SelType == 1 || SelType == 2 || SelType == 3)
            SelectSingleImage(n, shown);
        else if (SelType == 5)
            ShowDialogPreview = 1;
        else if (SelType == 12 || SelType == 14)
            SelectGroup();
    }
}

// A range that reaches past the end of the file is reported and cut; one
// that starts beyond it is moved to the last byte.
void CheckRange(UserMessages& shown) {
    const uint64_t start = Start();
    if (start + NumBytes <= static_cast<uint64_t>(FileSize)) return;
    char text[64];
    std::snprintf(text, sizeof text, "ByteOffset=%X, NumBytes=%X", static_cast<unsigned>(start),
                  static_cast<unsigned>(NumBytes));
    AddMessage(shown, text, "Addressing past End of File");
    uint64_t cut = start;
    if (cut >= static_cast<uint64_t>(FileSize)) cut = FileSize > 0 ? FileSize - 1 : 0;
    ByteOffset = static_cast<int32_t>(cut);
    NumBytes = static_cast<uint32_t>(static_cast<uint64_t>(FileSize) - cut);
}

}  // namespace

void SelectNode(int32_t node, UserMessages& shown) {
    RvaBias = 0;
    ByteNum = 0;
    ExportCmd = 0;
    SelType = 0;
    SelKind = 0;
    ShowMode = _HEX_;
    ImageShow = ImagesNone;
    ImageFirst = 0;
    ImageLast = -1;
    SelImages.clear();
    SelGroupEntries.clear();
    ShowDialogPreview = 0;
    SelNode = node;
    if (node < 0 || static_cast<size_t>(node) >= TreeNodes.size()) return;
    const TreeNode& n = TreeNodes[static_cast<size_t>(node)];
    if (node == RootNode) {
        ByteOffset = 0;
        NumBytes = static_cast<uint32_t>(FileSize);
        if (InterpKind == InterpIconFile) ShowRange(0, static_cast<int16_t>(ImageCount - 1));
    } else if (InterpKind == InterpIconFile) {
        uint32_t size = 0, offset = 0;
        ReadU32(static_cast<uint64_t>(n.Ref), size);
        ReadU32(static_cast<uint64_t>(n.Ref) + 4, offset);
        NumBytes = size;
        ByteOffset = static_cast<int32_t>(offset);
        const int16_t index = static_cast<int16_t>(n.Section - 1);
        ShowRange(index, index);
    } else if (InterpKind == InterpFont) {
        uint32_t offset = 0, length = 0;
        ReadU32BE(static_cast<uint64_t>(n.Ref), offset);
        ReadU32BE(static_cast<uint64_t>(n.Ref) + 4, length);
        ByteOffset = static_cast<int32_t>(offset);
        NumBytes = length;
    } else if (InterpKind == InterpExe) {
        SelectExeNode(n, shown);
    }
    CheckRange(shown);
}

void ClearSelection() {
    SelKind = 0;
    SelType = 0;
    ExportCmd = 0;
    ImageShow = ImagesNone;
    ImageFirst = 0;
    ImageLast = -1;
    SelImages.clear();
    SelGroupEntries.clear();
    ShowDialogPreview = 0;
    SelNode = -1;
}
