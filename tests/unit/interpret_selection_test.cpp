// Selecting nodes of small executables: the bytes or listing shown, the
// images named, and the files their resources are exported as.
#include <gtest/gtest.h>

#include "interpret/image_table.h"
#include "interpret/listings.h"
#include "interpret/resource_files.h"
#include "interpret/selection.h"
#include "interpret_test_files.h"

namespace {

using Texts = std::vector<std::string>;
using Images = std::vector<int16_t>;
using Raw = std::vector<uint8_t>;

class Lines final : public ListingSink {
public:
    Texts text, names;
    void Put(const ListingLine& line) override {
        text.push_back(line.Text);
        names.push_back(line.Name);
    }
};
Lines Exports(int32_t first, int32_t count) {
    Lines l;
    ListExportLines(first, count, l);
    return l;
}
Lines Imports(int32_t first, int32_t count) {
    Lines l;
    ListImportLines(first, count, l);
    return l;
}

UserMessages Select(int32_t node) {
    UserMessages shown;
    EXPECT_GE(node, 0);
    SelectNode(node, shown);
    return shown;
}
UserMessages Select(const char* text) { return Select(FindNode(text)); }
UserMessages Select(const char* type, const char* entry) {
    return Select(FindNode(entry, TreeNodes[static_cast<size_t>(FindNode(type))].FirstChild));
}
void Load(const Bytes& b, const char* name) {
    LoadBytes(b.data, name);
    BuildTree();
}

// .text at RVA 0x1000 / file 0x400, .edata at RVA 0x2000 / file 0x800 with
// an export directory of three names, .idata at RVA 0x3000 / file 0xC00 with
// one library, importing by name, by name with hint 0 and by ordinal.
Bytes ListingPe() {
    Bytes b = MakePe({{".text", 0x1000, 0x400, 0x400}, {".edata", 0x2000, 0x800, 0x400},
                      {".idata", 0x3000, 0xC00, 0x400}});
    SetDir(b, 0, 0x2000, 0x80);
    b.U32(0x800 + 24, 3).U32(0x800 + 28, 0x2040).U32(0x800 + 32, 0x2060).U32(0x800 + 36, 0x2070);
    b.U32(0x840, 0x1000).U32(0x844, 0x1010).U32(0x848, 0x1234);          // functions
    b.U32(0x860, 0x2100).U32(0x864, 0x2108).U32(0x868, 0x2110);          // names
    b.U16(0x870, 0).U16(0x872, 2).U16(0x874, 1);                         // name ordinals
    b.Text(0x900, "Start").Text(0x908, "Middle").Text(0x910, "Other");
    SetDir(b, 1, 0x3000, 40);
    b.U32(0xC00, 0x3040).U32(0xC00 + 12, 0x3080).U32(0xC00 + 16, 0x3060);  // OFT, name, FT
    b.U32(0xC40, 0x30A0).U32(0xC44, 0x30B0).U32(0xC48, 0x80000005u);       // names array
    b.U32(0xC60, 1).U32(0xC64, 1).U32(0xC68, 1);                           // FT: 3 values
    b.Text(0xC80, "lib.dll");
    b.U16(0xCA0, 0x12).Text(0xCA2, "Named");
    b.U16(0xCB0, 0).Text(0xCB2, "NoHint");
    return b;
}

TEST(Selection, NodesShowTheirBytesOrTheirListing) {
    const Bytes b = ListingPe();
    struct Row {
        const char* node;
        int32_t offset;
        uint32_t bytes;
        uint16_t mode;
        int kind;
        int32_t lines;
    } const rows[] = {{"a.dll", 0, 0x1000, _HEX_, 0, -1},
                      {"00000C00: Imports", 0xC00, 40, _HEX_, KindImports, -1},
                      {"00000800: Exports", 0x800, 0x80, _TEXT_, KindExports, 5},
                      {"lib.dll", 0xC00, 20, _TEXT_, KindLibrary, 3}};  // lines from FirstThunk
    Load(b, "a.dll");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.node);
        LineNum = 40;
        Col = 7;
        EXPECT_TRUE(Select(r.node).empty());
        EXPECT_EQ(ByteOffset, r.offset);
        EXPECT_EQ(NumBytes, r.bytes);
        EXPECT_EQ(ShowMode, r.mode);
        EXPECT_EQ(ImageShow, ImagesNone);
        if (r.kind) { EXPECT_EQ(SelKind, r.kind); }
        if (r.lines < 0) continue;
        EXPECT_EQ(NumLines, r.lines);
        EXPECT_EQ(LineNum, 1);
        EXPECT_EQ(Col, 1);
    }
    Select("00000800: Exports");
    EXPECT_EQ(NumCols, 49);
    // A section in every address mode: its file bytes and its RVA bias.
    for (uint16_t mode : {AddrZero, AddrPhysical, AddrRva}) {
        AddrMode = mode;
        Load(b, "a.dll");
        AddrMode = AddrPhysical;
        Select(SectionNode[1]);
        EXPECT_EQ(ByteOffset, 0x800);
        EXPECT_EQ(NumBytes, 0x400u);
        EXPECT_EQ(RvaBias, 0x2000 - 0x800);
        EXPECT_EQ(ShowMode, _HEX_);
        EXPECT_EQ(SelKind, 0);
    }
    Select("a.dll");
    EXPECT_EQ(RvaBias, 0);
}

TEST(Listings, LinesFromAnyFirstLineHeadingsAlwaysGiven) {
    Load(ListingPe(), "a.dll");
    const std::string h1 = "Ordinal  RVA         Name", h2 = "-------  ----------  --------",
                      start = "0x0000   0x00001000  Start", middle = "0x0002   0x00001234  Middle",
                      other = "0x0001   0x00001010  Other";
    struct Row {
        int32_t first, count;
        Texts lines;
    } const rows[] = {{1, 100, {h1, h2, start, middle, other}},
                      {2, 100, {h2, start, middle, other}},
                      {3, 2, {start, middle}},
                      {1, 1, {h1, h2, start}}};
    Select("00000800: Exports");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.first * 1000 + r.count);
        EXPECT_EQ(Exports(r.first, r.count).text, r.lines);
    }
    Select("lib.dll");
    const Lines all = Imports(1, 100);
    EXPECT_EQ(all.text, (Texts{"hint=0x0012", "", "  ordinal:     0x0005"}));
    EXPECT_EQ(all.names, (Texts{"Named", "NoHint", ""}));
    EXPECT_EQ(Imports(3, 1).text, Texts{"  ordinal:     0x0005"});
}

TEST(Listings, ReadOnlyWhatLiesInTheFile) {
    Bytes b = ListingPe();
    b.U32(0x800 + 24, 0x7FFFFFFF);  // far more names than the file holds
    b.U32(0x868, 0x9000);           // a name outside the file
    b.U16(0x874, 0x4000);           // a function index outside the file
    b.U32(0xC00, 0);                // no OriginalFirstThunk: names from FirstThunk
    b.U32(0xC60, 0x30A0).U32(0xC64, 0x7FFFFF00).U32(0xC68, 0);
    const std::string longName(300, 'N');
    b.Text(0xE00, longName.c_str()).U32(0x860, 0x2600);  // first export's name
    Load(b, "a.dll");
    Select("00000800: Exports");
    EXPECT_EQ(NumLines, 490);  // the names up to the end of the file
    EXPECT_EQ(Exports(3, 3).text, (Texts{"0x0000   0x00001000  " + longName.substr(0, 234),
                                         "0x0002   0x00001234  Middle",
                                         "0x4000   ----------  (outside the file)"}));
    Select("lib.dll");
    EXPECT_EQ(NumLines, 2);
    EXPECT_EQ(Imports(1, 10).names, (Texts{"Named", "(outside the file)"}));
    b.U16(0xE00 - 2, 7).U32(0xC60, 0x31FE);  // the first import's name is the long one
    Load(b, "a.dll");
    Select("lib.dll");
    EXPECT_EQ(Imports(1, 1).names, Texts{longName.substr(0, 255)});

    // Thunk arrays that run to the end of the file end the count there.
    Bytes open = ListingPe();
    open.U32(0xC00 + 16, 0x3100);
    for (size_t p = 0xD00; p < 0x1000; p += 4) open.U32(p, 1);
    Load(open, "a.dll");
    Select("lib.dll");
    EXPECT_EQ(NumLines, 192);
}

TEST(Selection, RangesPastTheEndOfTheFileAreReportedAndCut) {
    Bytes b = ListingPe();
    SetDir(b, 0, 0x2000, 0x900);  // 0x800 + 0x900 > 0x1000
    SetDir(b, 6, 0x7000, 0x10);   // starts beyond the end
    Load(b, "a.dll");
    UserMessages shown = Select("00000800: Exports");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_STREQ(shown[0].Caption, "Addressing past End of File");
    EXPECT_STREQ(shown[0].Text, "ByteOffset=800, NumBytes=900");
    EXPECT_EQ(ByteOffset, 0x800);
    EXPECT_EQ(NumBytes, 0x800u);
    shown = Select("00004C00: Debug");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_STREQ(shown[0].Text, "ByteOffset=4C00, NumBytes=10");
    EXPECT_EQ(ByteOffset, 0xFFF);
    EXPECT_EQ(NumBytes, 1u);
}

// Resources: cursors 1 and 2 (width 32, 1 and 4 bits), icons 1, 2 and 9
// (widths 16, 32, 48), a group of icons 2 and 9, a group naming only an id
// that is missing, a 4-bit bitmap and one that is none, a dialog and a
// named type.
Bytes ResourcePe() {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x3000}});
    SetDir(b, 2, 0x5000, 0x100);
    const size_t base = 0x400;
    size_t at = base + 0x1000;
    auto blob = [&](const Raw& bytes) {
        const size_t here = at;
        for (size_t i = 0; i < bytes.size(); ++i) b.U8(here + i, bytes[i]);
        at += (bytes.size() + 15) & ~size_t{15};
        return static_cast<uint32_t>(here - base + 0x5000);
    };
    auto image = [&](bool cursor, uint32_t width, uint16_t bits, uint32_t size) {
        Bytes img(size);
        const size_t h = cursor ? 4 : 0;
        if (cursor) img.U16(0, 5).U16(2, 6);
        img.U32(h, 40).U32(h + 4, width).U32(h + 8, 2 * width).U16(h + 12, 1).U16(h + 14, bits);
        for (size_t i = h + 40; i < size; ++i) img.U8(i, static_cast<uint8_t>(i * 7));
        return img.data;
    };
    auto group = [&](std::vector<uint16_t> ids) {
        Bytes g(6 + 14 * ids.size());
        g.U16(2, 1).U16(4, static_cast<uint16_t>(ids.size()));
        for (size_t k = 0; k < ids.size(); ++k) g.U16(6 + 14 * k + 12, ids[k]);
        return g.data;
    };
    const uint32_t c1 = blob(image(true, 32, 1, 308)), c2 = blob(image(true, 32, 4, 200));
    const uint32_t i1 = blob(image(false, 16, 4, 120)), i2 = blob(image(false, 32, 8, 300));
    const uint32_t i9 = blob(image(false, 48, 32, 400));
    const uint32_t gi = blob(group({2, 9})), gm = blob(group({5}));
    Bytes bmp(1000);
    bmp.U32(0, 40).U32(4, 10).U32(8, 10).U16(12, 1).U16(14, 4);
    const uint32_t bm = blob(bmp.data);
    const uint32_t junk = blob(Raw(64, 0x11));
    LayOutResources(b, base,
                    {{0, "NOTES", {{1, nullptr, junk, 4}}},
                     {1, nullptr, {{1, nullptr, c1, 308}, {2, nullptr, c2, 200}}},
                     {2, nullptr, {{7, nullptr, bm, 1000}, {8, nullptr, junk, 64}}},
                     {3, nullptr, {{1, nullptr, i1, 120}, {2, nullptr, i2, 300}, {9, nullptr, i9, 400}}},
                     {5, nullptr, {{100, nullptr, junk, 64}}},
                     {14, nullptr, {{1, nullptr, gi, 34}, {2, nullptr, gm, 20}}}});
    return b;
}

TEST(Selection, ResourcesNameTheirImagesAndTheirExport) {
    Load(ResourcePe(), "r.dll");
    ASSERT_EQ(ImageCount, 5);
    struct Row {
        const char *type, *entry;
        int kind;
        uint16_t exportCmd;
        int show;
        Images images;
        const char* message;
    } const rows[] = {
        {"CURSOR", nullptr, KindResType, ExportCursors, ImagesGrid, {0, 1}, nullptr},
        {"GROUP_ICON", nullptr, KindResType, ExportIcons, ImagesGrid, {2, 3, 4}, nullptr},
        {"BITMAP", nullptr, KindResType, ExportBitmaps, ImagesNone, {}, nullptr},
        {"NOTES", nullptr, KindResType, 0, ImagesNone, {}, nullptr},
        {"NOTES", "1", KindResEntry, 0, ImagesNone, {}, nullptr},
        {"ICON", "9", KindResEntry, ExportIcons, ImagesGrid, {4}, nullptr},
        {"CURSOR", "2", KindResEntry, ExportCursors, ImagesGrid, {1}, nullptr},
        {"BITMAP", "7", KindResEntry, ExportBitmaps, ImagesBitmap, {}, nullptr},
        {"BITMAP", "8", KindResEntry, ExportBitmaps, ImagesNone, {}, "Unrecognized format!"},
        // Group of icons 2 and 9: looked up, not counted on from icon 2.
        {"GROUP_ICON", "1", KindResEntry, ExportIcons, ImagesGrid, {3, 4}, nullptr},
        {"GROUP_ICON", "2", KindResEntry, ExportIcons, ImagesGrid, {}, nullptr},
        {"DIALOG", "100", KindResEntry, 0, ImagesNone, {}, nullptr}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.type) + "/" + (r.entry ? r.entry : ""));
        const UserMessages shown = r.entry ? Select(r.type, r.entry) : Select(r.type);
        EXPECT_EQ(SelKind & 0xFF, r.kind);
        EXPECT_EQ(ExportCmd, r.exportCmd);
        EXPECT_EQ(ImageShow, r.show);
        if (r.show == ImagesGrid) { EXPECT_EQ(SelImages, r.images); }
        ASSERT_EQ(shown.size(), r.message ? 1u : 0u);
        if (r.message) {
            EXPECT_STREQ(shown[0].Text, r.message);
            EXPECT_STREQ(shown[0].Caption, "");
        }
    }
    EXPECT_LT(ImageLast, ImageFirst);  // after the dialog: no images
    EXPECT_EQ(ShowDialogPreview, 1);
    Select("ICON", "9");
    EXPECT_EQ(NumBytes, 400u);
    EXPECT_EQ(ShowDialogPreview, 0);
    Select("GROUP_ICON", "2");
    EXPECT_LT(ImageLast, ImageFirst);
    Select("GROUP_ICON");
    EXPECT_EQ(ImageFirst, 2);
    EXPECT_EQ(ImageLast, 4);
    Select("CURSOR");
    EXPECT_EQ(SelType, 1);
    EXPECT_EQ(ImageFirst, 0);
    EXPECT_EQ(ImageLast, 1);
    EXPECT_EQ(ByteOffset, TreeNodes[static_cast<size_t>(FindNode("CURSOR"))].Ref);
    EXPECT_EQ(NumBytes, 32u);  // the directory and its two entries
    Select("NOTES");
    EXPECT_EQ(SelType, 0);
}

TEST(ResourceFiles, BitmapFilesGetTheHeaderOfTheirBitCount) {
    Bytes b = ResourcePe();
    Load(b, "r.dll");
    Select("BITMAP", "7");
    const int32_t at = ByteOffset;
    Raw file;
    ASSERT_TRUE(BuildBmpFile(at, NumBytes, file));
    ASSERT_EQ(file.size(), 1014u);
    EXPECT_EQ(Raw(file.begin(), file.begin() + 14), (Raw{'B', 'M', 0xF6, 3, 0, 0, 0, 0, 0, 0, 118, 0, 0, 0}));
    EXPECT_TRUE(std::equal(file.begin() + 14, file.end(), b.data.begin() + at));
    for (auto [bits, off] : std::vector<std::pair<uint16_t, uint8_t>>{
             {1, 62}, {4, 118}, {8, 0x36}, {16, 0x36}, {24, 54}, {32, 54}}) {
        b.U16(static_cast<size_t>(at) + 14, bits);
        LoadBytes(b.data, "r.dll");
        ASSERT_TRUE(BuildBmpFile(at, 1000, file));
        EXPECT_EQ(file[10], off) << bits;
        EXPECT_EQ(file[11], bits == 8 || bits == 16 ? 4 : 0) << bits;  // 1078 = 0x436
    }
    EXPECT_FALSE(BuildBmpFile(at, static_cast<uint32_t>(b.data.size()), file));
    EXPECT_TRUE(file.empty());
}

TEST(ResourceFiles, IconAndCursorFilesFollowTheDirectoryLayout) {
    Load(ResourcePe(), "r.dll");
    Select("GROUP_ICON", "1");
    Raw ico;
    ASSERT_TRUE(BuildIconFile(SelImages, ExportIcons, ico));
    ASSERT_EQ(ico.size(), 6u + 32u + 300u + 400u);
    // Icon 2 (32 pixels, 8 bits, 300 bytes at 38), icon 9 (48, 32 bits, 400 at 338).
    EXPECT_EQ(Raw(ico.begin(), ico.begin() + 38),
              (Raw{0, 0, 1, 0, 2, 0,                                          //
                   32, 32, 0, 0, 1, 0, 8, 0, 0x2C, 1, 0, 0, 38, 0, 0, 0,       //
                   48, 48, 0, 0, 1, 0, 32, 0, 0x90, 1, 0, 0, 0x52, 1, 0, 0}));
    Select("CURSOR", "1");
    Raw cur;
    ASSERT_TRUE(BuildIconFile(SelImages, ExportCursors, cur));
    ASSERT_EQ(cur.size(), 6u + 16u + 304u);
    // 1 bit: colour count 1, not 2; the hotspot; the image without it.
    EXPECT_EQ(Raw(cur.begin(), cur.begin() + 26),
              (Raw{0, 0, 2, 0, 1, 0, 32, 32, 1, 0, 5, 0, 6, 0, 0x30, 1, 0, 0, 22, 0, 0, 0, 40, 0, 0, 0}));
    ASSERT_TRUE(BuildIconFile({1}, ExportCursors, cur));
    EXPECT_EQ(cur[8], 16);  // 4 bits
    EXPECT_FALSE(BuildIconFile({}, ExportIcons, ico));
    EXPECT_FALSE(BuildIconFile({-1, 5, 1666}, ExportIcons, ico));
}

TEST(ResourceFiles, FolderExportNamesEachEntryAndFindsItsImages) {
    Load(ResourcePe(), "r.dll");
    std::vector<ExportItem> items;
    Raw bytes;
    auto plan = [&](const char* type) {
        Select(type);
        PlanFolderExport(FindNode(type), ExportCmd, items);
        Texts names;
        for (const ExportItem& item : items) names.push_back(item.Name);
        return names;
    };
    EXPECT_EQ(plan("GROUP_ICON"), (Texts{"1.ICO", "2.ICO"}));
    EXPECT_EQ(items[0].Images, (Images{3, 4}));
    EXPECT_TRUE(items[1].Images.empty());
    EXPECT_FALSE(BuildExportFile(items[1], ExportIcons, bytes));
    EXPECT_EQ(plan("ICON"), (Texts{"1.ICO", "2.ICO", "9.ICO"}));
    EXPECT_EQ(items[2].Images, Images{4});
    EXPECT_EQ(plan("BITMAP"), (Texts{"7.BMP", "8.BMP"}));
    EXPECT_EQ(items[0].Size, 1000u);
    ASSERT_TRUE(BuildExportFile(items[0], ExportBitmaps, bytes));
    EXPECT_EQ(bytes.size(), 1014u);

    // Only what would leave the folder is rewritten: separators, "." and
    // "..". Other names the system refuses fail there, with its own message.
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x1000}});
    SetDir(b, 2, 0x5000, 0x100);
    LayOutResources(b, 0x400, {{2, nullptr, {{0, "../up", 0x5000, 4}, {0, "a\\b:c", 0x5000, 4},
                                             {0, "..", 0x5000, 4}, {0, "x*?<>|\"", 0x5000, 4},
                                             {0, ".", 0x5000, 4}}}});
    Load(b, "n.dll");
    EXPECT_EQ(plan("BITMAP"), (Texts{".._up.BMP", "a_b:c.BMP", "_...BMP", "x*?<>|\".BMP", "_..BMP"}));
}

}  // namespace
