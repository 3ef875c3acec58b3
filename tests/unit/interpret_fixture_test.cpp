// The test executables that the build makes with MinGW and windres (PE32
// and PE32+), against the images they were made from.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "interpret/image_table.h"
#include "interpret/listings.h"
#include "interpret/resource_files.h"
#include "interpret/selection.h"
#include "interpret_test_files.h"

#ifdef ORVEX_FIXTURE_DIR

namespace {

using Raw = std::vector<uint8_t>;

Raw ReadAll(const std::string& name) {
    std::ifstream f(std::string(ORVEX_FIXTURE_DIR) + "/" + name, std::ios::binary);
    return Raw(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

class Lines final : public ListingSink {
public:
    std::vector<std::string> lines;
    void Put(const ListingLine& line) override { lines.push_back(std::string(line.Text) + "|" + line.Name); }
};

void Select(const char* type, const char* entry = nullptr) {
    int32_t node = FindNode(type);
    if (entry) node = FindNode(entry, TreeNodes[static_cast<size_t>(node)].FirstChild);
    ASSERT_GE(node, 0) << type;
    UserMessages shown;
    SelectNode(node, shown);
    EXPECT_TRUE(shown.empty()) << type;
}

// The images of an .ICO or .CUR file: (directory entry, image bytes).
std::vector<std::pair<Raw, Raw>> ImagesOf(const Raw& file) {
    std::vector<std::pair<Raw, Raw>> out;
    for (size_t j = 0; j < file[4]; ++j) {
        const uint8_t* e = &file[6 + 16 * j];
        const uint32_t size = e[8] | e[9] << 8 | e[10] << 16, at = e[12] | e[13] << 8;
        out.push_back({Raw(e, e + 16), Raw(file.begin() + at, file.begin() + at + size)});
    }
    return out;
}

class FixtureExe : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        Checked = _INTERP_;
        AddrMode = AddrPhysical;
        const std::string path = std::string(ORVEX_FIXTURE_DIR) + "/" + GetParam();
        ASSERT_EQ(LoadDocumentFile(path.c_str()), LoadResult::Ok);
        BuildTree();
    }
};

TEST_P(FixtureExe, TreeHoldsTheLibrariesAndResourcesInTreeOrder) {
    EXPECT_EQ(InterpKind, InterpExe);
    EXPECT_EQ(ThunkSize, std::string(GetParam()) == "fixture64.exe" ? 8 : 4);
    std::string trees[2];
    for (size_t i = 0; i < TreeNodes.size(); ++i) {
        const uint16_t kind = TreeNodes[i].Kind;
        if (kind == KindImports || kind == KindResources) {
            trees[kind - KindImports] = TreeText(static_cast<int32_t>(i));
            trees[kind - KindImports].erase(0, trees[kind - KindImports].find('\n') + 1);
        }
    }
    EXPECT_EQ(trees[0], "  fixture.dll\n  KERNEL32.dll\n");
    EXPECT_EQ(trees[1],
              "  NOTES\n    SAMPLE\n"
              "  CURSOR\n    1\n    2\n    3\n"
              "  BITMAP\n    FACE\n    101\n    102\n    103\n    104\n"
              "  ICON\n    1\n    2\n    3\n    4\n    5\n    6\n    300\n"
              "  DIALOG\n    200\n"
              "  RCDATA\n    7\n"
              "  GROUP_CURSOR\n    1\n    2\n"
              "  GROUP_ICON\n    DOCUMENT\n    1\n    2\n    400\n");
    Select("fixture.dll");
    EXPECT_EQ(NumLines, 3);
    Lines fixture;
    ListImportLines(1, NumLines, fixture);
    EXPECT_EQ(fixture.lines, (std::vector<std::string>{"hint=0x0005|FixtureAdd", "hint=0x0006|FixtureName",
                                                       "  ordinal:     0x0007|"}));
}

// Every image file is written back as the file the resource was made from,
// but for one byte: the colour count of a 1-bit image is 1, not 2.
TEST_P(FixtureExe, ImagesAreWrittenAsTheFilesTheyCameFrom) {
    const struct {
        const char *type, *entry, *file;
        uint16_t cmd;
        bool oneBit;
    } rows[] = {{"BITMAP", "101", "mono.bmp", ExportBitmaps, false},
                {"BITMAP", "102", "four.bmp", ExportBitmaps, false},
                {"BITMAP", "103", "eight.bmp", ExportBitmaps, false},
                {"BITMAP", "104", "true.bmp", ExportBitmaps, false},
                {"BITMAP", "FACE", "face.bmp", ExportBitmaps, false},
                {"GROUP_ICON", "1", "app.ico", ExportIcons, false},
                {"GROUP_ICON", "DOCUMENT", "doc.ico", ExportIcons, false},
                {"GROUP_ICON", "2", "small.ico", ExportIcons, true},
                {"GROUP_CURSOR", "1", "arrow.cur", ExportCursors, true},
                {"GROUP_CURSOR", "2", "hand.cur", ExportCursors, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        Select(r.type, r.entry);
        EXPECT_EQ(ExportCmd, r.cmd);
        Raw written, source = ReadAll(std::string("images/") + r.file);
        if (r.oneBit) source[8] = 1;
        if (r.cmd == ExportBitmaps) {
            ASSERT_TRUE(BuildBmpFile(ByteOffset, NumBytes, written));
        } else {
            ASSERT_TRUE(BuildIconFile(SelImages, r.cmd, written));
        }
        EXPECT_EQ(written, source);
    }
    // The group that names ICON 300 and ICON 1: both found by their ids.
    Select("GROUP_ICON", "400");
    Raw ico;
    ASSERT_TRUE(BuildIconFile(SelImages, ExportIcons, ico));
    const auto gap = ImagesOf(ico);
    ASSERT_EQ(gap.size(), 2u);
    EXPECT_EQ(gap[0].second, ReadAll("images/gap_icon.bin"));
    EXPECT_EQ(gap[0].first[0], 20);
    EXPECT_EQ(gap[1].second, ImagesOf(ReadAll("images/app.ico"))[0].second);
    // The folder of the icon type: one file per icon.
    Select("ICON");
    EXPECT_EQ(ImageFirst, FirstIconIndex);
    EXPECT_EQ(ImageLast, FirstIconIndex + 6);
    std::vector<ExportItem> items;
    PlanFolderExport(FindNode("ICON"), ExportIcons, items);
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[6].Name, "300.ICO");
    ASSERT_TRUE(BuildExportFile(items[3], ExportIcons, ico));
    EXPECT_EQ(ImagesOf(ico)[0].second, ImagesOf(ReadAll("images/small.ico"))[0].second);
}

// Cursors are images 0-2, icons 3-9 (ICON 300 is image 9).
TEST_P(FixtureExe, ResourcesNameTheirImagesAndTheirExport) {
    struct Row {
        const char *type, *entry;
        uint16_t kind, exportCmd;
        uint8_t show;
        std::vector<int16_t> images;
    } const rows[] = {
        {"CURSOR", nullptr, KindResType, ExportCursors, ImagesGrid, {0, 1, 2}},
        {"GROUP_ICON", nullptr, KindResType, ExportIcons, ImagesGrid, {3, 4, 5, 6, 7, 8, 9}},
        {"BITMAP", nullptr, KindResType, ExportBitmaps, ImagesNone, {}},
        {"NOTES", nullptr, KindResType, 0, ImagesNone, {}},
        {"NOTES", "SAMPLE", KindResEntry, 0, ImagesNone, {}},
        {"ICON", "300", KindResEntry, ExportIcons, ImagesGrid, {9}},
        {"CURSOR", "2", KindResEntry, ExportCursors, ImagesGrid, {1}},
        {"BITMAP", "101", KindResEntry, ExportBitmaps, ImagesBitmap, {}},
        {"GROUP_ICON", "400", KindResEntry, ExportIcons, ImagesGrid, {9, 3}},  // looked up, not counted
        {"RCDATA", "7", KindResEntry, 0, ImagesNone, {}},
        {"DIALOG", "200", KindResEntry, 0, ImagesNone, {}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.type) + "/" + (r.entry ? r.entry : ""));
        Select(r.type, r.entry);
        EXPECT_EQ(SelKind & 0xFF, r.kind);
        EXPECT_EQ(ExportCmd, r.exportCmd);
        EXPECT_EQ(ImageShow, r.show);
        EXPECT_EQ(ShowDialogPreview, r.type[0] == 'D');
        if (r.show == ImagesGrid) {
            EXPECT_EQ(SelImages, r.images);
        }
    }
    Select("RCDATA", "7");
    EXPECT_EQ(NumBytes, 6u);  // three 16-bit numbers
    Select("SAMPLE");
    EXPECT_EQ(SelType, 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(FileBuf + ByteOffset)), "hello, notes");
    Select("CURSOR");
    EXPECT_EQ(SelType, 1);
    EXPECT_EQ(ImageFirst, 0);
    EXPECT_EQ(ImageLast, 2);
    EXPECT_EQ(ByteOffset, TreeNodes[static_cast<size_t>(FindNode("CURSOR"))].Ref);
    EXPECT_EQ(NumBytes, 16u + 3u * 8u);  // the directory and its three entries
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, FixtureExe, ::testing::Values("fixture.exe", "fixture64.exe"));

}  // namespace

#endif
