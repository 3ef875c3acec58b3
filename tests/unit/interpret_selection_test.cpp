#include <gtest/gtest.h>

#include "interpret/image_table.h"
#include "interpret/listings.h"
#include "interpret/resource_files.h"
#include "interpret/selection.h"
#include "interpret_test_files.h"

namespace {

class Lines final : public ListingSink {
public:
    std::vector<std::string> text, names;
    void Put(const ListingLine& line) override {
        text.push_back(line.Text);
        names.push_back(line.Name);
    }
};

UserMessages Select(const char* text) {
    UserMessages shown;
    const int32_t node = FindNode(text);
    EXPECT_GE(node, 0) << text;
    SelectNode(node, shown);
    return shown;
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

TEST(Selection, RootShowsTheWholeFileInHex) {
    Bytes b = ListingPe();
    LoadBytes(b.data, "a.dll");
    BuildTree();
    UserMessages shown;
    SelectNode(RootNode, shown);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(ByteOffset, 0);
    EXPECT_EQ(NumBytes, b.data.size());
    EXPECT_EQ(ShowMode, _HEX_);
    EXPECT_EQ(RvaBias, 0);
    EXPECT_EQ(ImageShow, ImagesNone);
}

TEST(Selection, SectionsAndDirectoriesShowTheirBytesInEveryAddressMode) {
    Bytes b = ListingPe();
    for (uint16_t mode : {AddrZero, AddrPhysical, AddrRva}) {
        AddrMode = mode;
        LoadBytes(b.data, "a.dll");
        BuildTree();
        AddrMode = AddrPhysical;
        UserMessages shown;
        SelectNode(SectionNode[1], shown);
        EXPECT_EQ(ByteOffset, 0x800);
        EXPECT_EQ(NumBytes, 0x400u);
        EXPECT_EQ(RvaBias, 0x2000 - 0x800);
        EXPECT_EQ(ShowMode, _HEX_);
        EXPECT_EQ(SelKind, 0);
    }
    LoadBytes(b.data, "a.dll");
    BuildTree();
    Select("00000C00: Imports");
    EXPECT_EQ(ByteOffset, 0xC00);
    EXPECT_EQ(NumBytes, 40u);
    EXPECT_EQ(SelKind, KindImports);
    EXPECT_EQ(ShowMode, _HEX_);
}

TEST(Selection, ExportsAndLibrariesShowTheirListingsFromTheFirstLine) {
    Bytes b = ListingPe();
    LoadBytes(b.data, "a.dll");
    BuildTree();
    LineNum = 40;
    Col = 7;
    Select("00000800: Exports");
    EXPECT_EQ(ShowMode, _TEXT_);
    EXPECT_EQ(NumLines, 5);
    EXPECT_EQ(LineNum, 1);
    EXPECT_EQ(Col, 1);
    EXPECT_EQ(NumCols, 49);
    Lines all;
    ListExportLines(1, 100, all);
    EXPECT_EQ(all.text, (std::vector<std::string>{"Ordinal  RVA         Name",
                                                  "-------  ----------  --------",
                                                  "0x0000   0x00001000  Start",
                                                  "0x0002   0x00001234  Middle",
                                                  "0x0001   0x00001010  Other"}));
    Lines fromDash, fromName, oneLine;
    ListExportLines(2, 100, fromDash);
    ListExportLines(3, 2, fromName);
    ListExportLines(1, 1, oneLine);  // headings and the first name are always given
    EXPECT_EQ(fromDash.text.front(), "-------  ----------  --------");
    EXPECT_EQ(fromDash.text.size(), 4u);
    EXPECT_EQ(fromName.text, (std::vector<std::string>{"0x0000   0x00001000  Start",
                                                       "0x0002   0x00001234  Middle"}));
    EXPECT_EQ(oneLine.text.size(), 3u);

    Select("lib.dll");
    EXPECT_EQ(SelKind, KindLibrary);
    EXPECT_EQ(ByteOffset, 0xC00);
    EXPECT_EQ(NumBytes, 20u);
    EXPECT_EQ(NumLines, 3);  // from the FirstThunk array
    EXPECT_EQ(ShowMode, _TEXT_);
    Lines imports;
    ListImportLines(1, 100, imports);
    EXPECT_EQ(imports.text, (std::vector<std::string>{"hint=0x0012", "", "  ordinal:     0x0005"}));
    EXPECT_EQ(imports.names, (std::vector<std::string>{"Named", "NoHint", ""}));
    Lines last;
    ListImportLines(3, 1, last);
    EXPECT_EQ(last.text, std::vector<std::string>{"  ordinal:     0x0005"});
}

TEST(Listings, ReadOnlyWhatLiesInTheFile) {
    Bytes b = ListingPe();
    b.U32(0x800 + 24, 0x7FFFFFFF);  // far more names than the file holds
    b.U32(0x868, 0x9000);           // a name outside the file
    b.U16(0x874, 0x4000);           // a function index outside the file
    b.U32(0xC00, 0);                // no OriginalFirstThunk: names from FirstThunk
    b.U32(0xC60, 0x30A0).U32(0xC64, 0x7FFFFF00).U32(0xC68, 0);
    LoadBytes(b.data, "a.dll");
    BuildTree();
    Select("00000800: Exports");
    EXPECT_EQ(NumLines, 2 + static_cast<int32_t>((b.data.size() - 0x860) / 4));
    Lines ex;
    ListExportLines(3, 3, ex);
    EXPECT_EQ(ex.text[2], "0x4000   ----------  (outside the file)");
    Select("lib.dll");
    EXPECT_EQ(NumLines, 2);
    Lines im;
    ListImportLines(1, 10, im);
    EXPECT_EQ(im.names, (std::vector<std::string>{"Named", "(outside the file)"}));

    // Thunk arrays that run to the end of the file end the count there.
    Bytes open = ListingPe();
    open.U32(0xC00 + 16, 0x3100);
    for (size_t p = 0xD00; p < 0x1000; p += 4) open.U32(p, 1);
    LoadBytes(open.data, "a.dll");
    BuildTree();
    Select("lib.dll");
    EXPECT_EQ(NumLines, static_cast<int32_t>((0x1000 - 0xD00) / 4));
}

TEST(Listings, LongNamesAreCutToTheLineBuffer) {
    Bytes b = ListingPe();
    const std::string longName(300, 'N');
    b.Text(0xE00, longName.c_str()).U32(0x860, 0x2600);  // first export's name
    b.U16(0xE00 - 2, 7).U32(0xC40, 0x31FE);              // first import's hint/name
    LoadBytes(b.data, "a.dll");
    BuildTree();
    Select("00000800: Exports");
    Lines ex;
    ListExportLines(3, 1, ex);
    EXPECT_EQ(ex.text[0], "0x0000   0x00001000  " + longName.substr(0, 255 - 21));
    Select("lib.dll");
    Lines im;
    ListImportLines(1, 1, im);
    EXPECT_EQ(im.names[0], longName.substr(0, 255));
}

TEST(Listings, Pe32PlusThunksAre64BitsWide) {
    Bytes b = MakePe({{".idata", 0x3000, 0x400, 0x400}}, true);
    SetDir(b, 1, 0x3000, 40, true);
    b.U32(0x400, 0x3040).U32(0x400 + 12, 0x3080).U32(0x400 + 16, 0x3060);
    b.U32(0x440, 0x30A0).U32(0x448, 9).U32(0x44C, 0x80000000u);  // by name; by ordinal 9
    b.U32(0x460, 1).U32(0x468, 1);
    b.Text(0x480, "wide.dll").U16(0x4A0, 3).Text(0x4A2, "WideName");
    LoadBytes(b.data, "w.dll");
    BuildTree();
    Select("wide.dll");
    EXPECT_EQ(NumLines, 2);
    Lines lines;
    ListImportLines(1, 10, lines);
    EXPECT_EQ(lines.text, (std::vector<std::string>{"hint=0x0003", "  ordinal:     0x0009"}));
    EXPECT_EQ(lines.names[0], "WideName");
}

TEST(Selection, RangesPastTheEndOfTheFileAreReportedAndCut) {
    Bytes b = ListingPe();
    SetDir(b, 0, 0x2000, 0x900);  // 0x800 + 0x900 > 0x1000
    SetDir(b, 6, 0x7000, 0x10);   // starts beyond the end
    LoadBytes(b.data, "a.dll");
    BuildTree();
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

// Resources: cursors 1 and 2 (width 32), icons 1, 2 and 9 (widths 16, 32,
// 48), a group of icons 2 and 9, a group naming only an id that is missing,
// a 4-bit bitmap, a dialog and a named type.
Bytes ResourcePe() {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x3000}});
    SetDir(b, 2, 0x5000, 0x100);
    const size_t base = 0x400;
    size_t at = base + 0x1000;
    auto blob = [&](const std::vector<uint8_t>& bytes) {
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
    const std::vector<uint8_t> g1 = group({2, 9}), g2 = group({5});
    const uint32_t gi = blob(g1), gm = blob(g2);
    Bytes bmp(1000);
    bmp.U32(0, 40).U32(4, 10).U32(8, 10).U16(12, 1).U16(14, 4);
    const uint32_t bm = blob(bmp.data);
    const uint32_t junk = blob(std::vector<uint8_t>(64, 0x11));
    LayOutResources(b, base,
                    {{0, "NOTES", {{1, nullptr, junk, 4}}},
                     {1, nullptr, {{1, nullptr, c1, 308}, {2, nullptr, c2, 200}}},
                     {2, nullptr, {{7, nullptr, bm, 1000}, {8, nullptr, junk, 64}}},
                     {3, nullptr, {{1, nullptr, i1, 120}, {2, nullptr, i2, 300}, {9, nullptr, i9, 400}}},
                     {5, nullptr, {{100, nullptr, junk, 64}}},
                     {14, nullptr, {{1, nullptr, gi, static_cast<uint32_t>(g1.size())},
                                    {2, nullptr, gm, static_cast<uint32_t>(g2.size())}}}});
    return b;
}

int32_t Child(const char* type, const char* entry) {
    const int32_t t = FindNode(type);
    return FindNode(entry, TreeNodes[static_cast<size_t>(t)].FirstChild);
}

TEST(Selection, ResourceTypesShowTheirDirectoryAndTheirImages) {
    Bytes b = ResourcePe();
    LoadBytes(b.data, "r.dll");
    BuildTree();
    ASSERT_EQ(ImageCount, 5);
    Select("CURSOR");
    EXPECT_EQ(SelKind, KindResType);
    EXPECT_EQ(SelType, 1);
    EXPECT_EQ(ExportCmd, ExportCursors);
    EXPECT_EQ(ByteOffset, TreeNodes[static_cast<size_t>(FindNode("CURSOR"))].Ref);
    EXPECT_EQ(NumBytes, (2u + 2u) * 8u);
    EXPECT_EQ(ImageShow, ImagesGrid);
    EXPECT_EQ(ImageFirst, 0);
    EXPECT_EQ(ImageLast, 1);
    Select("GROUP_ICON");
    EXPECT_EQ(ExportCmd, ExportIcons);
    EXPECT_EQ(ImageFirst, 2);
    EXPECT_EQ(ImageLast, 4);
    EXPECT_EQ(SelImages, (std::vector<int16_t>{2, 3, 4}));
    Select("BITMAP");
    EXPECT_EQ(ExportCmd, ExportBitmaps);
    EXPECT_EQ(ImageShow, ImagesNone);
    Select("NOTES");
    EXPECT_EQ(SelType, 0);
    EXPECT_EQ(ExportCmd, 0);
    UserMessages shown;
    SelectNode(Child("NOTES", "1"), shown);
    EXPECT_EQ(SelKind, KindResEntry);
    EXPECT_EQ(ExportCmd, 0);
    EXPECT_EQ(ImageShow, ImagesNone);
}

TEST(Selection, SingleEntriesAndGroupsNameTheirImages) {
    Bytes b = ResourcePe();
    LoadBytes(b.data, "r.dll");
    BuildTree();
    UserMessages shown;
    SelectNode(Child("ICON", "9"), shown);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(NumBytes, 400u);
    EXPECT_EQ(ImageShow, ImagesGrid);
    EXPECT_EQ(SelImages, std::vector<int16_t>{4});
    SelectNode(Child("CURSOR", "2"), shown);
    EXPECT_EQ(SelImages, std::vector<int16_t>{1});
    SelectNode(Child("BITMAP", "7"), shown);
    EXPECT_EQ(ImageShow, ImagesBitmap);
    EXPECT_TRUE(shown.empty());
    SelectNode(Child("BITMAP", "8"), shown);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_STREQ(shown[0].Text, "Unrecognized format!");
    EXPECT_STREQ(shown[0].Caption, "");
    EXPECT_EQ(ImageShow, ImagesNone);
    shown.clear();
    // Group of icons 2 and 9: looked up, not counted on from icon 2.
    SelectNode(Child("GROUP_ICON", "1"), shown);
    EXPECT_EQ(SelImages, (std::vector<int16_t>{3, 4}));
    EXPECT_EQ(ExportCmd, ExportIcons);
    SelectNode(Child("GROUP_ICON", "2"), shown);
    EXPECT_TRUE(SelImages.empty());
    EXPECT_LT(ImageLast, ImageFirst);
    SelectNode(Child("DIALOG", "100"), shown);
    EXPECT_EQ(ShowDialogPreview, 1);
    EXPECT_EQ(ExportCmd, 0);
    EXPECT_TRUE(shown.empty());
}

uint32_t U32At(const std::vector<uint8_t>& v, size_t at) {
    return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | static_cast<uint32_t>(v[at + 3]) << 24;
}
uint16_t U16At(const std::vector<uint8_t>& v, size_t at) {
    return static_cast<uint16_t>(v[at] | v[at + 1] << 8);
}

TEST(ResourceFiles, BitmapFilesGetTheHeaderOfTheirBitCount) {
    Bytes b = ResourcePe();
    LoadBytes(b.data, "r.dll");
    BuildTree();
    UserMessages shown;
    SelectNode(Child("BITMAP", "7"), shown);
    std::vector<uint8_t> file;
    ASSERT_TRUE(BuildBmpFile(ByteOffset, NumBytes, file));
    ASSERT_EQ(file.size(), 1014u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32At(file, 2), 1014u);
    EXPECT_EQ(U32At(file, 6), 0u);
    EXPECT_EQ(U32At(file, 10), 118u);
    EXPECT_TRUE(std::equal(file.begin() + 14, file.end(), b.data.begin() + ByteOffset));
    const int32_t at = ByteOffset;
    for (auto [bits, off] : std::vector<std::pair<uint16_t, uint32_t>>{
             {1, 62}, {4, 118}, {8, 1078}, {16, 1078}, {24, 54}, {32, 54}}) {
        b.U16(static_cast<size_t>(at) + 14, bits);
        LoadBytes(b.data, "r.dll");
        ASSERT_TRUE(BuildBmpFile(at, 1000, file));
        EXPECT_EQ(U32At(file, 10), off) << bits;
    }
    EXPECT_FALSE(BuildBmpFile(at, static_cast<uint32_t>(b.data.size()), file));
    EXPECT_TRUE(file.empty());
}

TEST(ResourceFiles, IconAndCursorFilesFollowTheDirectoryLayout) {
    Bytes b = ResourcePe();
    LoadBytes(b.data, "r.dll");
    BuildTree();
    UserMessages shown;
    SelectNode(Child("GROUP_ICON", "1"), shown);
    std::vector<uint8_t> ico;
    ASSERT_TRUE(BuildIconFile(SelImages, ExportIcons, ico));
    ASSERT_EQ(ico.size(), 6u + 32u + 300u + 400u);
    EXPECT_EQ(U16At(ico, 0), 0);
    EXPECT_EQ(U16At(ico, 2), 1);
    EXPECT_EQ(U16At(ico, 4), 2);
    // Entry 0: icon 2 (32 pixels, 8 bits); entry 1: icon 9 (48, 32 bits).
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[7], 32);
    EXPECT_EQ(ico[8], 0);
    EXPECT_EQ(U16At(ico, 10), 1);
    EXPECT_EQ(U16At(ico, 12), 8);
    EXPECT_EQ(U32At(ico, 14), 300u);
    EXPECT_EQ(U32At(ico, 18), 38u);
    EXPECT_EQ(ico[22], 48);
    EXPECT_EQ(U16At(ico, 28), 32);
    EXPECT_EQ(U32At(ico, 34), 38u + 300u);

    SelectNode(Child("CURSOR", "1"), shown);
    std::vector<uint8_t> cur;
    ASSERT_TRUE(BuildIconFile(SelImages, ExportCursors, cur));
    ASSERT_EQ(cur.size(), 6u + 16u + 304u);
    EXPECT_EQ(U16At(cur, 2), 2);
    EXPECT_EQ(cur[6], 32);
    EXPECT_EQ(cur[8], 1);  // 1 bit: 1, not 2
    EXPECT_EQ(U16At(cur, 10), 5);
    EXPECT_EQ(U16At(cur, 12), 6);
    EXPECT_EQ(U32At(cur, 14), 304u);
    EXPECT_EQ(U32At(cur, 18), 22u);
    EXPECT_EQ(U32At(cur, 22), 40u);  // the image without its hotspot
    std::vector<int16_t> four{1};
    ASSERT_TRUE(BuildIconFile(four, ExportCursors, cur));
    EXPECT_EQ(cur[8], 16);  // 4 bits

    EXPECT_FALSE(BuildIconFile({}, ExportIcons, ico));
    EXPECT_FALSE(BuildIconFile({-1, 5, 1666}, ExportIcons, ico));
}

TEST(ResourceFiles, FolderExportNamesEachEntryAndFindsItsImages) {
    Bytes b = ResourcePe();
    LoadBytes(b.data, "r.dll");
    BuildTree();
    UserMessages shown;
    std::vector<ExportItem> items;
    const int32_t groups = FindNode("GROUP_ICON");
    SelectNode(groups, shown);
    PlanFolderExport(groups, ExportCmd, items);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Name, "1.ICO");
    EXPECT_EQ(items[0].Images, (std::vector<int16_t>{3, 4}));
    EXPECT_EQ(items[1].Name, "2.ICO");
    EXPECT_TRUE(items[1].Images.empty());
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(BuildExportFile(items[1], ExportIcons, bytes));

    const int32_t icons = FindNode("ICON");
    SelectNode(icons, shown);
    PlanFolderExport(icons, ExportCmd, items);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2].Name, "9.ICO");
    EXPECT_EQ(items[2].Images, std::vector<int16_t>{4});

    const int32_t bitmaps = FindNode("BITMAP");
    SelectNode(bitmaps, shown);
    PlanFolderExport(bitmaps, ExportCmd, items);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Name, "7.BMP");
    EXPECT_EQ(items[0].Size, 1000u);
    ASSERT_TRUE(BuildExportFile(items[0], ExportBitmaps, bytes));
    EXPECT_EQ(bytes.size(), 1014u);
}

// Only what would leave the folder is rewritten: separators, "." and "..".
// Other names the system refuses fail there, with its own message.
TEST(ResourceFiles, EntryNamesStayInsideTheExportFolder) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x1000}});
    SetDir(b, 2, 0x5000, 0x100);
    LayOutResources(b, 0x400, {{2, nullptr, {{0, "../up", 0x5000, 4}, {0, "a\\b:c", 0x5000, 4},
                                             {0, "..", 0x5000, 4}, {0, "x*?<>|\"", 0x5000, 4},
                                             {0, ".", 0x5000, 4}}}});
    LoadBytes(b.data, "n.dll");
    BuildTree();
    UserMessages shown;
    const int32_t bitmaps = FindNode("BITMAP");
    SelectNode(bitmaps, shown);
    std::vector<ExportItem> items;
    PlanFolderExport(bitmaps, ExportCmd, items);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].Name, ".._up.BMP");
    EXPECT_EQ(items[1].Name, "a_b:c.BMP");
    EXPECT_EQ(items[2].Name, "_...BMP");
    EXPECT_EQ(items[3].Name, "x*?<>|\".BMP");
    EXPECT_EQ(items[4].Name, "_..BMP");
}

}  // namespace
