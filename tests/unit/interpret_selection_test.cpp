// Selecting nodes: the bytes or listing shown, the images named, and the
// files their resources are exported as; on small executables laid out here
// and on the PE32 and PE32+ executables the build makes from known images.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "interpret/image_table.h"
#include "interpret/resource_files.h"
#include "interpret_test_files.h"

namespace {

using Texts = std::vector<std::string>;
using Raw = std::vector<uint8_t>;
using V = std::vector<int32_t>;
using Selection = InterpTest;
const auto Exports = Listing<ListExportLines>;
const auto Imports = Listing<ListImportLines>;

// .text at RVA 0x1000 / file 0x400, .edata at RVA 0x2000 / file 0x800 with
// an export directory of three names, .idata at RVA 0x3000 / file 0xC00 with
// one library, importing by name, by name with hint 0 and by ordinal; three
// directories that reach past the end of the file, start at it or beyond it.
Bytes ListingPe() {
    Bytes b = MakePe({{".text", 0x1000, 0x400, 0x400}, {".edata", 0x2000, 0x800, 0x400},
                      {".idata", 0x3000, 0xC00, 0x400}});
    SetDir(b, 0, 0x2000, 0x80);
    b.U32(0x800 + 24, 3).U32(0x800 + 28, 0x2040).U32(0x800 + 32, 0x2060).U32(0x800 + 36, 0x2070);
    b.U32(0x840, 0x1000).U32(0x844, 0x1010).U32(0x848, 0x1234);  // functions
    b.U32(0x860, 0x2100).U32(0x864, 0x2108).U32(0x868, 0x2110);  // names
    b.U16(0x870, 0).U16(0x872, 2).U16(0x874, 1);                 // name ordinals
    b.Text(0x900, "Start").Text(0x908, "Middle").Text(0x910, "Other");
    SetDir(b, 1, 0x3000, 40);
    b.U32(0xC00, 0x3040).U32(0xC00 + 12, 0x3080).U32(0xC00 + 16, 0x3060);  // OFT, name, FT
    b.U32(0xC40, 0x30A0).U32(0xC44, 0x30B0).U32(0xC48, 0x80000005u);       // names array
    b.U32(0xC60, 1).U32(0xC64, 1).U32(0xC68, 1);                           // FT: 3 values
    b.Text(0xC80, "lib.dll").U16(0xCA0, 0x12).Text(0xCA2, "Named").U16(0xCB0, 0).Text(0xCB2, "NoHint");
    return SetDir(SetDir(SetDir(b, 9, 0x3200, 0x400), 3, 0x3400, 0x10), 6, 0x7000, 0x10);
}

// A range that reaches past the end of the file is reported and cut; one
// that starts at the end or beyond it is moved to the last byte.
TEST_F(Selection, NodesShowTheirBytesOrTheirListing) {
    // {node, offset, bytes, mode, kind, lines (-1: no listing), message}; a library's lines come from FirstThunk
    const struct Row { const char* node; int32_t offset, bytes, mode, kind, lines; std::string message; } rows[] = {
        {"a.dll", 0, 0x1000, _HEX_, 0, -1, ""}, {"00000800: .edata", 0x800, 0x400, _HEX_, 0, -1, ""},
        {"00000C00: Imports", 0xC00, 40, _HEX_, KindImports, -1, ""},
        {"00000800: Exports", 0x800, 0x80, _TEXT_, KindExports, 5, ""}, {"lib.dll", 0xC00, 20, _TEXT_, KindLibrary, 3, ""},
        {"00000E00: TLS", 0xE00, 0x200, _HEX_, 16 + 9, -1, "E00, NumBytes=400"},
        {"00001000: Exceptions", 0xFFF, 1, _HEX_, 16 + 3, -1, "1000, NumBytes=10"},
        {"00004C00: Debug", 0xFFF, 1, _HEX_, 16 + 6, -1, "4C00, NumBytes=10"}};
    Open(ListingPe());
    for (const Row& r : rows) {
        LineNum = 40, Col = 7;
        const UserMessages shown = Pick(r.node);
        EXPECT_EQ(shown.empty() ? "" : shown[0].Caption + std::string("|") + shown[0].Text,
                  r.message.empty() ? "" : "Addressing past End of File|ByteOffset=" + r.message) << r.node;
        EXPECT_EQ((V{ByteOffset, int32_t(NumBytes), ShowMode, ImageShow, SelKind}),
                  (V{r.offset, r.bytes, r.mode, ImagesNone, r.kind})) << r.node;
        if (r.lines >= 0) { EXPECT_EQ((V{NumLines, LineNum, Col, NumCols}), (V{r.lines, 1, 1, 49})) << r.node; }
    }
}

TEST_F(Selection, ListingsStartAtAnyLineAndGiveTheHeadingsAlways) {
    Open(ListingPe());
    const std::string h1 = "Ordinal  RVA         Name", h2 = "-------  ----------  --------",
                      start = "0x0000   0x00001000  Start", middle = "0x0002   0x00001234  Middle",
                      other = "0x0001   0x00001010  Other";
    const struct Row { int32_t first, count; Texts lines; } rows[] = {
        {1, 100, {h1, h2, start, middle, other}}, {2, 100, {h2, start, middle, other}}, {3, 2, {start, middle}},
        {1, 1, {h1, h2, start}}, {5, 9, {other}}};
    Pick("00000800: Exports");
    for (const Row& r : rows) EXPECT_EQ(Exports(r.first, r.count), r.lines) << r.first << "+" << r.count;
    Pick("lib.dll");
    EXPECT_EQ(Imports(1, 100), (Texts{"hint=0x0012|Named", "|NoHint", "  ordinal:     0x0005"}));
    EXPECT_EQ(Imports(3, 1), Texts{"  ordinal:     0x0005"});
    EXPECT_EQ(Imports(1, 1), Texts{"hint=0x0012|Named"});
}

TEST_F(Selection, ListingsReadOnlyWhatLiesInTheFile) {
    Bytes b = ListingPe();
    b.U32(0x800 + 24, 0x7FFFFFFF);  // far more names than the file holds
    b.U32(0x868, 0x9000);           // a name outside the file
    b.U16(0x874, 0x4000);           // a function index outside the file
    b.U32(0xC00, 0);                // no OriginalFirstThunk: names from FirstThunk
    b.U32(0xC60, 0x30A0).U32(0xC64, 0x7FFFFF00).U32(0xC68, 0);
    const std::string longName(300, 'N');
    b.Text(0xE00, longName.c_str()).U32(0x860, 0x2600);  // first export's name
    Open(b);
    Pick("00000800: Exports");
    EXPECT_EQ(NumLines, 490);  // the names up to the end of the file
    EXPECT_EQ(Exports(3, 3), (Texts{"0x0000   0x00001000  " + longName.substr(0, 234), "0x0002   0x00001234  Middle",
                                    "0x4000   ----------  (outside the file)"}));
    Pick("lib.dll");
    EXPECT_EQ(Imports(1, 10), (Texts{"hint=0x0012|Named", "|(outside the file)"}));
    Open(b.U16(0xE00 - 2, 7).U32(0xC60, 0x31FE));  // the first import's name is the long one
    Pick("lib.dll");
    EXPECT_EQ(Imports(1, 1), Texts{"hint=0x0007|" + longName.substr(0, 255)});
    // Thunk arrays that run to the end of the file end the count there.
    Bytes open = ListingPe();
    for (size_t p = 0xD00; p < 0x1000; p += 4) open.U32(p, 1);
    Open(open.U32(0xC00 + 16, 0x3100));
    Pick("lib.dll");
    EXPECT_EQ(NumLines, 192);
}

// Bitmaps: 7 (10 x 10 at 4 bits, 1000 bytes), 8 (no bitmap) and names that
// would leave the export folder; an icon outside the file and a group naming
// only an icon that is missing.
TEST_F(Selection, ExportsNameEachEntryAndRefuseWhatHoldsNoImage) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x1100}});
    SetDir(b, 2, 0x5000, 0x100).U32(0x1000, 40).U32(0x1004, 10).U32(0x1008, 10).U16(0x100C, 1).U16(0x100E, 4);
    b.U16(0x1402, 1).U16(0x1404, 1).U16(0x1412, 5);
    LayOutResources(b, 0x400, {{2, nullptr, {{7, nullptr, 0x5C00, 1000}, {8, nullptr, 0x5000, 64},
                                             {0, "../up", 0x5000, 4}, {0, "a\\b:c", 0x5000, 4},
                                             {0, "..", 0x5000, 4}, {0, "x*?<>|\"", 0x5000, 4}, {0, ".", 0x5000, 4}}},
                               {3, nullptr, {{1, nullptr, 0x9000, 64}}},  // outside the file
                               {14, nullptr, {{2, nullptr, 0x6000, 20}}}});
    Open(b, "r.dll");
    std::vector<ExportItem> items;
    Raw file;
    auto plan = [&](const char* type) {
        Pick(type);
        PlanFolderExport(FindNode(type), ExportCmd, items);
        Texts names;
        for (const ExportItem& item : items) names.push_back(item.Name);
        return names;
    };
    // Only what would leave the folder is rewritten: separators, "." and
    // "..". Other names the system refuses fail there, with its own message.
    EXPECT_EQ(plan("BITMAP"), (Texts{"7.BMP", "8.BMP", ".._up.BMP", "a_b:c.BMP", "_...BMP", "x*?<>|\".BMP", "_..BMP"}));
    EXPECT_TRUE(BuildExportFile(items[0], ExportBitmaps, file));
    EXPECT_EQ((V{int32_t(items[0].Size), int32_t(file.size())}), (V{1000, 1014}));
    EXPECT_EQ(plan("GROUP_ICON"), Texts{"2.ICO"});
    EXPECT_TRUE(items[0].Images.empty());
    EXPECT_FALSE(BuildExportFile(items[0], ExportIcons, file));
    Pick("GROUP_ICON", "2");
    EXPECT_EQ((V{int32_t(SelImages.size()), ImageFirst, ImageLast}), (V{0, 0, -1}));
    for (const std::vector<int16_t>& images : {std::vector<int16_t>{}, {-1, 1666}, {0}})
        EXPECT_FALSE(BuildIconFile(images, ExportIcons, file)) << images.size();
    const UserMessages shown = Pick("BITMAP", "8");
    EXPECT_EQ(shown.size() == 1 ? std::string(shown[0].Text) + "|" + shown[0].Caption : "", "Unrecognized format!|");
    EXPECT_EQ((V{ImageShow, ExportCmd}), (V{ImagesNone, ExportBitmaps}));
    Pick("BITMAP", "7");
    EXPECT_EQ((V{ImageShow, ByteOffset}), (V{ImagesBitmap, 0x1000}));
    EXPECT_FALSE(BuildBmpFile(0x1000, 0x501, file));  // past the end of the file
    EXPECT_TRUE(file.empty());
}

#ifdef ORVEX_FIXTURE_DIR

Raw ReadFixture(const std::string& name) {
    std::ifstream f(std::string(ORVEX_FIXTURE_DIR) + "/" + name, std::ios::binary);
    return Raw(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Image `j` of an .ICO or .CUR file: its directory entry and its bytes.
std::pair<Raw, Raw> ImageOf(const Raw& file, size_t j) {
    const uint8_t* e = &file[6 + 16 * j];
    const uint32_t size = e[8] | e[9] << 8 | e[10] << 16, at = e[12] | e[13] << 8;
    return {Raw(e, e + 16), Raw(file.begin() + at, file.begin() + at + size)};
}

class FixtureExe : public InterpTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override { LoadBytes(ReadFixture(GetParam()), GetParam()), BuildTree(); }
};

// PE32+ thunks are 8 bytes wide; every image file is written back as the
// file the resource was made from, but for one byte: the colour count of a
// 1-bit image is 1, not 2.
TEST_P(FixtureExe, ImportsAreListedAndImagesWrittenAsTheFilesTheyCameFrom) {
    EXPECT_EQ((V{InterpKind, ThunkSize}), (V{InterpExe, std::string(GetParam()) == "fixture64.exe" ? 8 : 4}));
    EXPECT_TRUE(Pick("fixture.dll").empty());
    EXPECT_EQ(Imports(1, NumLines), (Texts{"hint=0x0005|FixtureAdd", "hint=0x0006|FixtureName", "  ordinal:     0x0007"}));
    const struct { const char *type, *entry, *file; uint16_t cmd; } rows[] = {
        {"BITMAP", "101", "mono.bmp", ExportBitmaps}, {"BITMAP", "102", "four.bmp", ExportBitmaps},
        {"BITMAP", "103", "eight.bmp", ExportBitmaps}, {"BITMAP", "104", "true.bmp", ExportBitmaps},
        {"BITMAP", "FACE", "face.bmp", ExportBitmaps}, {"GROUP_ICON", "1", "app.ico", ExportIcons},
        {"GROUP_ICON", "DOCUMENT", "doc.ico", ExportIcons}, {"GROUP_ICON", "2", "small.ico", ExportIcons},
        {"GROUP_CURSOR", "1", "arrow.cur", ExportCursors}, {"GROUP_CURSOR", "2", "hand.cur", ExportCursors}};
    for (const auto& r : rows) {
        EXPECT_TRUE(Pick(r.type, r.entry).empty());
        Raw written, source = ReadFixture(std::string("images/") + r.file);
        if (r.cmd != ExportBitmaps && source[8] == 2) source[8] = 1;
        EXPECT_TRUE(ExportCmd == r.cmd && (r.cmd == ExportBitmaps ? BuildBmpFile(ByteOffset, NumBytes, written)
                                                                  : BuildIconFile(SelImages, r.cmd, written)));
        EXPECT_EQ(written, source) << r.file;
    }
    // The group that names ICON 300 and ICON 1, found by their ids; the icon folder: one file per icon.
    Raw ico, one;
    ASSERT_TRUE((Pick("GROUP_ICON", "400"), BuildIconFile(SelImages, ExportIcons, ico)) && ico[4] == 2);
    EXPECT_EQ(ImageOf(ico, 0).second, ReadFixture("images/gap_icon.bin"));
    EXPECT_EQ(ImageOf(ico, 1).second, ImageOf(ReadFixture("images/app.ico"), 0).second);
    std::vector<ExportItem> items;
    PlanFolderExport(FindNode("ICON"), ExportIcons, items);
    ASSERT_EQ(items.size(), 7u);
    EXPECT_TRUE(items[6].Name == "300.ICO" && BuildExportFile(items[3], ExportIcons, one));
    EXPECT_EQ(ImageOf(one, 0).second, ImageOf(ReadFixture("images/small.ico"), 0).second);
}

// Cursors are images 0-2, icons 3-9 (ICON 300 is image 9).
TEST_P(FixtureExe, ResourcesNameTheirImagesAndTheirExport) {
    const struct Row { const char *type, *entry; int kind, exportCmd, show; std::vector<int16_t> images; } rows[] = {
        {"CURSOR", nullptr, KindResType, ExportCursors, ImagesGrid, {0, 1, 2}},
        {"GROUP_ICON", nullptr, KindResType, ExportIcons, ImagesGrid, {3, 4, 5, 6, 7, 8, 9}},
        {"BITMAP", nullptr, KindResType, ExportBitmaps, ImagesNone, {}}, {"NOTES", nullptr, KindResType, 0, ImagesNone, {}},
        {"ICON", "300", KindResEntry, ExportIcons, ImagesGrid, {9}}, {"CURSOR", "2", KindResEntry, ExportCursors, ImagesGrid, {1}},
        {"DIALOG", "200", KindResEntry, 0, ImagesNone, {}}};
    for (const Row& r : rows) {
        EXPECT_TRUE(Pick(r.type, r.entry).empty());
        EXPECT_EQ((V{SelKind, ExportCmd, ImageShow, ShowDialogPreview, r.show == ImagesGrid ? SelImages == r.images : 1}),
                  (V{r.kind, r.exportCmd, r.show, r.type[0] == 'D', 1})) << r.type << "/" << (r.entry ? r.entry : "");
    }
    Pick("CURSOR");  // the directory and its three entries
    EXPECT_EQ((V{SelType, int32_t(NumBytes), ByteOffset}), (V{1, 16 + 3 * 8, TreeNodes[size_t(FindNode("CURSOR"))].Ref}));
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, FixtureExe, ::testing::Values("fixture.exe", "fixture64.exe"));

#endif

}  // namespace
