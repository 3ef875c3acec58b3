// The test executables and DLLs that the build makes with MinGW and windres
// (PE32 and PE32+), against the images they were made from.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "interpret/image_table.h"
#include "interpret/listings.h"
#include "interpret/resource_files.h"
#include "interpret/selection.h"
#include "interpret_test_files.h"

#ifdef ORVEX_FIXTURE_DIR

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string Fixture(const char* name) { return std::string(ORVEX_FIXTURE_DIR) + "/" + name; }

void LoadFixture(const char* name) {
    Checked = _INTERP_;
    AddrMode = AddrPhysical;
    ASSERT_EQ(LoadDocumentFile(Fixture(name).c_str()), LoadResult::Ok) << name;
    BuildTree();
}

class Lines final : public ListingSink {
public:
    std::vector<std::string> lines;
    void Put(const ListingLine& line) override {
        std::string text = line.Text;
        if (line.Name[0]) text = text + std::string(15 - std::min<size_t>(15, text.size()), ' ') + line.Name;
        lines.push_back(text);
    }
};

int32_t Child(int32_t parent, const char* text) {
    return FindNode(text, TreeNodes[static_cast<size_t>(parent)].FirstChild);
}

uint32_t U32At(const std::vector<uint8_t>& v, size_t at) {
    return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | static_cast<uint32_t>(v[at + 3]) << 24;
}
uint16_t U16At(const std::vector<uint8_t>& v, size_t at) {
    return static_cast<uint16_t>(v[at] | v[at + 1] << 8);
}

// The images of an .ICO or .CUR file: (directory entry, image bytes).
struct IconImage {
    std::vector<uint8_t> entry, bytes;
};
std::vector<IconImage> ImagesOf(const std::vector<uint8_t>& file) {
    std::vector<IconImage> out;
    for (size_t j = 0; j < U16At(file, 4); ++j) {
        const size_t e = 6 + 16 * j;
        const uint32_t size = U32At(file, e + 8), at = U32At(file, e + 12);
        out.push_back({std::vector<uint8_t>(file.begin() + e, file.begin() + e + 16),
                       std::vector<uint8_t>(file.begin() + at, file.begin() + at + size)});
    }
    return out;
}

const char ResourceTree[] =
    "  NOTES\n    SAMPLE\n"
    "  CURSOR\n    1\n    2\n    3\n"
    "  BITMAP\n    FACE\n    101\n    102\n    103\n    104\n"
    "  ICON\n    1\n    2\n    3\n    4\n    5\n    6\n    300\n"
    "  DIALOG\n    200\n"
    "  RCDATA\n    7\n"
    "  GROUP_CURSOR\n    1\n    2\n"
    "  GROUP_ICON\n    DOCUMENT\n    1\n    2\n    400\n";

class FixtureExe : public ::testing::TestWithParam<const char*> {};

TEST_P(FixtureExe, TreeHoldsTheLibrariesAndResourcesInTreeOrder) {
    LoadFixture(GetParam());
    EXPECT_EQ(InterpKind, InterpExe);
    EXPECT_EQ(ThunkSize, std::string(GetParam()) == "fixture64.exe" ? 8 : 4);
    int32_t imports = -1, resources = -1;
    for (size_t i = 0; i < TreeNodes.size(); ++i) {
        if (TreeNodes[i].Kind == KindImports) imports = static_cast<int32_t>(i);
        if (TreeNodes[i].Kind == KindResources) resources = static_cast<int32_t>(i);
    }
    ASSERT_GE(imports, 0);
    ASSERT_GE(resources, 0);
    const std::string importTree = TreeText(imports);
    EXPECT_EQ(importTree.substr(importTree.find('\n')), "\n  fixture.dll\n  KERNEL32.dll\n");
    const std::string resourceTree = TreeText(resources);
    EXPECT_EQ(resourceTree.substr(resourceTree.find('\n') + 1), ResourceTree);
}

TEST_P(FixtureExe, ImportListingsShowNamesHintsAndOrdinals) {
    LoadFixture(GetParam());
    UserMessages shown;
    SelectNode(FindNode("fixture.dll"), shown);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(NumLines, 3);
    Lines fixture;
    ListImportLines(1, NumLines, fixture);
    EXPECT_EQ(fixture.lines, (std::vector<std::string>{"hint=0x0005    FixtureAdd",
                                                       "hint=0x0006    FixtureName",
                                                       "  ordinal:     0x0007"}));
    SelectNode(FindNode("KERNEL32.dll"), shown);
    Lines kernel;
    ListImportLines(1, NumLines, kernel);
    ASSERT_EQ(kernel.lines.size(), 2u);
    EXPECT_TRUE(std::regex_match(kernel.lines[0], std::regex("hint=0x[0-9A-F]{4}    ExitProcess")));
    EXPECT_TRUE(std::regex_match(kernel.lines[1], std::regex("hint=0x[0-9A-F]{4}    GetTickCount")));
}

TEST_P(FixtureExe, BitmapsAreWrittenAsTheFilesTheyCameFrom) {
    LoadFixture(GetParam());
    UserMessages shown;
    const int32_t bitmaps = FindNode("BITMAP");
    for (auto [entry, file] : std::vector<std::pair<const char*, const char*>>{
             {"101", "mono.bmp"}, {"102", "four.bmp"}, {"103", "eight.bmp"}, {"104", "true.bmp"},
             {"FACE", "face.bmp"}}) {
        SelectNode(Child(bitmaps, entry), shown);
        EXPECT_EQ(ImageShow, ImagesBitmap) << entry;
        EXPECT_EQ(ExportCmd, ExportBitmaps);
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(BuildBmpFile(ByteOffset, NumBytes, bytes));
        EXPECT_EQ(bytes, ReadAll(Fixture("images/") + file)) << entry;
    }
    EXPECT_TRUE(shown.empty());
}

TEST_P(FixtureExe, GroupsAreWrittenWithTheImagesTheyCameFrom) {
    LoadFixture(GetParam());
    UserMessages shown;
    const int32_t groups = FindNode("GROUP_ICON");
    SelectNode(Child(groups, "1"), shown);
    std::vector<uint8_t> ico;
    ASSERT_TRUE(BuildIconFile(SelImages, ExportIcons, ico));
    const std::vector<IconImage> written = ImagesOf(ico), source = ImagesOf(ReadAll(Fixture("images/app.ico")));
    ASSERT_EQ(written.size(), 3u);
    const uint8_t colours[3] = {16, 0, 0}, bits[3] = {4, 8, 32}, sizes[3] = {16, 32, 48};
    for (size_t j = 0; j < 3; ++j) {
        EXPECT_EQ(written[j].bytes, source[j].bytes) << j;
        EXPECT_EQ(written[j].entry[0], sizes[j]);
        EXPECT_EQ(written[j].entry[1], sizes[j]);
        EXPECT_EQ(written[j].entry[2], colours[j]);
        EXPECT_EQ(U16At(written[j].entry, 4), 1);
        EXPECT_EQ(U16At(written[j].entry, 6), bits[j]);
    }
    EXPECT_EQ(U32At(ico, 18), 6u + 3u * 16u);

    SelectNode(Child(FindNode("GROUP_CURSOR"), "2"), shown);
    std::vector<uint8_t> cur;
    ASSERT_TRUE(BuildIconFile(SelImages, ExportCursors, cur));
    EXPECT_EQ(U16At(cur, 2), 2);
    const std::vector<IconImage> cursors = ImagesOf(cur), hand = ImagesOf(ReadAll(Fixture("images/hand.cur")));
    ASSERT_EQ(cursors.size(), 2u);
    for (size_t j = 0; j < 2; ++j) {
        EXPECT_EQ(cursors[j].bytes, hand[j].bytes) << j;
        EXPECT_EQ(U16At(cursors[j].entry, 4), U16At(hand[j].entry, 4));  // hotspot
        EXPECT_EQ(U16At(cursors[j].entry, 6), U16At(hand[j].entry, 6));
    }
    EXPECT_EQ(cursors[0].entry[2], 1);   // 1 bit
    EXPECT_EQ(cursors[1].entry[2], 16);  // 4 bits

    // The group that names ICON 300 and ICON 1: both found by their ids.
    SelectNode(Child(groups, "400"), shown);
    ASSERT_EQ(SelImages.size(), 2u);
    ASSERT_TRUE(BuildIconFile(SelImages, ExportIcons, ico));
    const std::vector<IconImage> gap = ImagesOf(ico);
    EXPECT_EQ(gap[0].bytes, ReadAll(Fixture("images/gap_icon.bin")));
    EXPECT_EQ(gap[0].entry[0], 20);
    EXPECT_EQ(gap[1].bytes, source[0].bytes);
    EXPECT_TRUE(shown.empty());
}

TEST_P(FixtureExe, FolderExportOfTheIconTypeWritesOneFilePerIcon) {
    LoadFixture(GetParam());
    UserMessages shown;
    const int32_t icons = FindNode("ICON");
    SelectNode(icons, shown);
    EXPECT_EQ(ImageFirst, FirstIconIndex);
    EXPECT_EQ(ImageLast, FirstIconIndex + 6);
    std::vector<ExportItem> items;
    PlanFolderExport(icons, ExportIcons, items);
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[6].Name, "300.ICO");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(BuildExportFile(items[3], ExportIcons, bytes));
    const std::vector<IconImage> small = ImagesOf(ReadAll(Fixture("images/small.ico")));
    ASSERT_EQ(ImagesOf(bytes).size(), 1u);
    EXPECT_EQ(ImagesOf(bytes)[0].bytes, small[0].bytes);
    EXPECT_EQ(bytes[8], 1);  // 1-bit image: colour count 1, not 2
}

TEST_P(FixtureExe, OtherEntriesShowTheirBytes) {
    LoadFixture(GetParam());
    UserMessages shown;
    SelectNode(FindNode("SAMPLE"), shown);
    EXPECT_EQ(SelType, 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(FileBuf + ByteOffset)), "hello, notes");
    SelectNode(Child(FindNode("DIALOG"), "200"), shown);
    EXPECT_EQ(ShowDialogPreview, 1);
    SelectNode(Child(FindNode("RCDATA"), "7"), shown);
    EXPECT_EQ(NumBytes, 6u);  // three 16-bit numbers
    EXPECT_EQ(ImageShow, ImagesNone);
    EXPECT_TRUE(shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, FixtureExe, ::testing::Values("fixture.exe", "fixture64.exe"));

TEST(FixtureDll, ExportListingFollowsTheNameTable) {
    for (const char* dll : {"fixture.dll", "fixture64.dll"}) {
        LoadFixture(dll);
        UserMessages shown;
        int32_t exports = -1;
        for (size_t i = 0; i < TreeNodes.size(); ++i)
            if (TreeNodes[i].Kind == KindExports) exports = static_cast<int32_t>(i);
        ASSERT_GE(exports, 0) << dll;
        SelectNode(exports, shown);
        EXPECT_EQ(NumLines, 5);
        Lines lines;
        ListExportLines(1, NumLines, lines);
        ASSERT_EQ(lines.lines.size(), 5u);
        EXPECT_EQ(lines.lines[0], "Ordinal  RVA         Name");
        const std::regex name("0x(000[015])   0x0000[0-9A-F]{4}  (\\w+)");
        const char* expected[3][2] = {{"0005", "AaaFirst"}, {"0000", "FixtureAdd"}, {"0001", "FixtureName"}};
        for (int i = 0; i < 3; ++i) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(lines.lines[2 + i], m, name)) << lines.lines[2 + i];
            EXPECT_EQ(m[1], expected[i][0]);
            EXPECT_EQ(m[2], expected[i][1]);
        }
    }
}

}  // namespace

#endif
