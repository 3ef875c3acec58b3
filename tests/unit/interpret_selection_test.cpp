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
using Raw = std::vector<uint8_t>;

class Lines final : public ListingSink {
public:
    Texts text, names;
    void Put(const ListingLine& line) override {
        text.push_back(line.Text);
        names.push_back(line.Name);
    }
};
template <void (*List)(int32_t, int32_t, ListingSink&)>
Lines Listed(int32_t first, int32_t count) {
    Lines l;
    List(first, count, l);
    return l;
}
const auto Exports = Listed<ListExportLines>;
const auto Imports = Listed<ListImportLines>;

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
                      {"00000800: .edata", 0x800, 0x400, _HEX_, 0, -1},
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
        EXPECT_EQ(SelKind, r.kind);
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
        EXPECT_EQ(RvaBias, 0x2000 - 0x800);
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
    SetDir(b, 3, 0x3400, 0x10);   // starts at the end
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
    EXPECT_EQ(Select("00001000: Exceptions").size(), 1u);
    EXPECT_EQ(ByteOffset, 0xFFF);
    EXPECT_EQ(NumBytes, 1u);
}

// Bitmaps: 7 (10 x 10 at 4 bits, 1000 bytes), 8 (no bitmap) and names
// that would leave the export folder; an icon outside the file and a group
// naming only an icon that is missing.
TEST(ResourceFiles, ExportsNameEachEntryAndRefuseWhatHoldsNoImage) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x1100}});
    SetDir(b, 2, 0x5000, 0x100);
    b.U32(0x1000, 40).U32(0x1004, 10).U32(0x1008, 10).U16(0x100C, 1).U16(0x100E, 4).Grow(0x1000 + 1000);
    b.U16(0x1400 + 2, 1).U16(0x1400 + 4, 1).U16(0x1400 + 18, 5);
    LayOutResources(b, 0x400, {{2, nullptr, {{7, nullptr, 0x5C00, 1000}, {8, nullptr, 0x5000, 64},
                                             {0, "../up", 0x5000, 4}, {0, "a\\b:c", 0x5000, 4},
                                             {0, "..", 0x5000, 4}, {0, "x*?<>|\"", 0x5000, 4},
                                             {0, ".", 0x5000, 4}}},
                               {3, nullptr, {{1, nullptr, 0x9000, 64}}},  // outside the file
                               {14, nullptr, {{2, nullptr, 0x6000, 20}}}});
    Load(b, "r.dll");
    std::vector<ExportItem> items;
    Raw file;
    auto plan = [&](const char* type) {
        Select(type);
        PlanFolderExport(FindNode(type), ExportCmd, items);
        Texts names;
        for (const ExportItem& item : items) names.push_back(item.Name);
        return names;
    };
    // Only what would leave the folder is rewritten: separators, "." and
    // "..". Other names the system refuses fail there, with its own message.
    EXPECT_EQ(plan("BITMAP"),
              (Texts{"7.BMP", "8.BMP", ".._up.BMP", "a_b:c.BMP", "_...BMP", "x*?<>|\".BMP", "_..BMP"}));
    EXPECT_EQ(items[0].Size, 1000u);
    ASSERT_TRUE(BuildExportFile(items[0], ExportBitmaps, file));
    EXPECT_EQ(file.size(), 1014u);
    EXPECT_EQ(plan("GROUP_ICON"), Texts{"2.ICO"});
    EXPECT_TRUE(items[0].Images.empty());
    EXPECT_FALSE(BuildExportFile(items[0], ExportIcons, file));
    Select("GROUP_ICON", "2");
    EXPECT_TRUE(SelImages.empty());
    EXPECT_LT(ImageLast, ImageFirst);
    EXPECT_FALSE(BuildIconFile({}, ExportIcons, file));
    EXPECT_FALSE(BuildIconFile({-1, 1666}, ExportIcons, file));
    EXPECT_FALSE(BuildIconFile({0}, ExportIcons, file));
    const UserMessages shown = Select("BITMAP", "8");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_STREQ(shown[0].Text, "Unrecognized format!");
    EXPECT_STREQ(shown[0].Caption, "");
    EXPECT_EQ(ImageShow, ImagesNone);
    EXPECT_EQ(ExportCmd, ExportBitmaps);
    // The .BMP header's bits offset follows the bit count.
    Select("BITMAP", "7");
    EXPECT_EQ(ImageShow, ImagesBitmap);
    EXPECT_EQ(ByteOffset, 0x1000);
    for (auto [bits, off] : std::vector<std::pair<uint16_t, uint32_t>>{
             {1, 62}, {4, 118}, {8, 1078}, {16, 1078}, {24, 54}, {32, 54}}) {
        b.U16(0x100E, bits);
        LoadBytes(b.data, "r.dll");
        ASSERT_TRUE(BuildBmpFile(0x1000, 1000, file));
        EXPECT_EQ(file[10] | file[11] << 8, off) << bits;
    }
    EXPECT_FALSE(BuildBmpFile(0x1000, 0x501, file));  // past the end of the file
    EXPECT_TRUE(file.empty());
}

}  // namespace
