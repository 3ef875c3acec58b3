// Files nobody should trust: the hostile executables that make_hostile.py lays out, exported
// through a sink that counts, and the image pane laid out for sizes at the ends of their ranges.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

#include "interpret/image_check.h"
#include "interpret/image_pane.h"
#include "interpret/image_table.h"
#include "interpret/resource_files.h"
#include "interpret_test_files.h"

namespace {

using Raw = std::vector<uint8_t>;

// Keeps what is written, and fails the write numbered `failAt` (0: none).
struct Recorder final : ByteSink {
    Raw bytes;
    int writes = 0, failAt = 0;
    bool Write(const uint8_t* data, size_t len) override {
        if (++writes == failAt) return false;
        bytes.insert(bytes.end(), data, data + len);
        return true;
    }
};

// The hostile files are written by the build for the native tests.
#ifdef ORVEX_FIXTURE_DIR

class Hostile : public InterpTest {
  protected:
    static void OpenHostile(const char* name) {
        std::ifstream in(std::string(ORVEX_FIXTURE_DIR) + "/hostile/" + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        Bytes b;
        b.data.assign(std::istreambuf_iterator<char>(in), {});
        Open(b, name);
    }
    // Streams the folder export's file `entry` of the type node `type`.
    static ExportStatus Export(const char* type, const char* entry, Recorder& sink) {
        Pick(type);
        std::vector<ExportItem> items;
        PlanFolderExport(FindNode(type), ExportCmd, items);
        for (const ExportItem& item : items)
            if (item.Name == entry) return StreamExportFile(item, ExportCmd, sink);
        ADD_FAILURE() << type << "/" << entry << " not planned";
        return ExportStatus::NoData;
    }
};

// Icons are 0x1000 bytes (0x300 for the 16-pixel one, 1 MB in group65535): an .ICO is 6 bytes of
// head, 16 a directory entry, then the images.
TEST_F(Hostile, GroupsWriteTheEntriesTheyHoldOrRefuse) {
    const struct {
        const char *file, *type, *entry;
        ExportStatus status;
        size_t size;
    } cases[] = {
        // 65,535 entries naming one 1 MB icon: 64 GB, refused before a byte is written.
        {"group65535.dll", "GROUP_ICON", "1.ICO", ExportStatus::TooLarge, 0},
        {"group65535.dll", "ICON", "1.ICO", ExportStatus::Written, 6 + 16 + (1 << 20)},
        // Ids 2, 1, 2: the repeated image is written again.
        {"claims40000.dll", "GROUP_ICON", "2.ICO", ExportStatus::Written, 6 + 48 + 3 * 0x1000},
        // Ids 1, 1, 2, 1: 6 + 64 + 3 * 0x1000 + 0x300.
        {"groupids.dll", "GROUP_ICON", "1.ICO", ExportStatus::Written, 13126},
        {"groupids.dll", "GROUP_ICON", "3.ICO", ExportStatus::NoData, 0},  // ids 77 and 65535
        // A named ICON entry is found by its data entry; one 65,535 pixels wide is still written.
        {"devnames.dll", "ICON", "_AUX.ICO", ExportStatus::Written, 6 + 16 + 0x1000},
        {"devnames.dll", "ICON", "7.ICO", ExportStatus::Written, 6 + 16 + 0x200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.type + "/" + c.entry);
        OpenHostile(c.file);
        Recorder sink;
        EXPECT_EQ(Export(c.type, c.entry, sink), c.status);
        EXPECT_EQ(sink.bytes.size(), c.size);
    }
    // The viewer's selection of the group names what it holds, too.
    OpenHostile("claims40000.dll");
    Pick("GROUP_ICON", "1");
    EXPECT_EQ(SelImages.size(), 2u);
}

// A written directory entry keeps what the group says (0 for 256 pixels, 8 bits), not what the
// image's header says (16 pixels, 4 bits); a single ICON entry keeps its header's.
TEST_F(Hostile, DirectoryEntriesKeepTheGroupsFields) {
    OpenHostile("groupids.dll");
    for (const auto& [type, entry, want] :
         {std::tuple{"GROUP_ICON", "4.ICO", Raw{0, 0, 0, 0, 1, 0, 8, 0, 0x00, 3, 0, 0, 22, 0}},
          std::tuple{"ICON", "2.ICO", Raw{16, 16, 16, 0, 1, 0, 4, 0, 0x00, 3, 0, 0, 22, 0}}}) {
        SCOPED_TRACE(std::string(type) + "/" + entry);
        Recorder sink;
        ASSERT_EQ(Export(type, entry, sink), ExportStatus::Written);
        EXPECT_EQ(Raw(sink.bytes.begin() + 6, sink.bytes.begin() + 20), want);
    }
}

#endif

TEST(SafeFileName, DevicesStreamsAndFoldersStayInTheFolder) {
    const struct {
        const char *name, *want;
    } cases[] = {
        {"COM1", "_COM1"},   {"com9.txt", "_com9.txt"},
        {"NUL ", "_NUL "},   {"aux.x.y", "_aux.x.y"},
        {"Lpt5", "_Lpt5"},   {"CON", "_CON"},
        {"PRN.", "_PRN."},   {"COM0", "COM0"},
        {"LPT10", "LPT10"},  {"CONX", "CONX"},
        {"NULL", "NULL"},    {"a:b", "a_b"},
        {"x\\y/z", "x_y_z"}, {"..", "_.."},
        {"...", "..."},      {"file:stream", "file_stream"},
    };
    for (const auto& c : cases) EXPECT_EQ(SafeFileName(c.name), c.want) << c.name;
}

// The pane for views 300 x 400 (limit 7 * 50 = 350) with bars 17 wide and high.
class Pane : public ::testing::Test {
  protected:
    void TearDown() override {
        SelImages.clear();
        ImageIsBitmap = 0;
        VScrollPos = HScrollPos = 0;
    }
    static void Icons(int count, int32_t cell) {
        ImageIsBitmap = 0;
        SelImages.assign(static_cast<size_t>(count), 0);
        CellWidth = CellHeight = cell;
    }
    static void Bitmap(int32_t width, int32_t height) {
        ImageIsBitmap = 1;
        BmpWidth = width, BmpHeight = height;
        CellWidth = width + 4, CellHeight = height + 4;
    }
};

// Every pixel of a bitmap can be scrolled into view: the last position shows its right and
// bottom margins at the client's edges.
TEST_F(Pane, ScrollsToTheLastPixel) {
    Bitmap(1000, 1000);
    LayOutPane(300, 400, 17, 17);
    // Inside the edge and the vertical bar: 300 - 4 - 17 = 279 wide; 350 - 4 = 346 high.
    EXPECT_TRUE(PaneHScroll(7, 0) && PaneVScroll(7, 0));
    EXPECT_EQ((std::vector<int32_t>{HScrollPos + 279, VScrollPos + 346}),
              (std::vector<int32_t>{1004, 1004}));
    EXPECT_FALSE(PaneHScroll(1, 0) || PaneVScroll(1, 0));
    // A bitmap 2^31 - 1 pixels wide keeps a size: the margin is cut, nothing wraps negative.
    Bytes header(40);
    header.U32(0, 40).U32(4, 0x7FFFFFFF).U32(8, 1);
    LoadBytes(header.data, "wide.dll");
    ImageShow = ImagesBitmap, ByteOffset = 0;
    SetImageCells();
    EXPECT_EQ(CellWidth, 0x7FFFFFFF);
    LayOutPane(300, 400, 17, 17);
    EXPECT_TRUE(PaneHScroll(7, 0));
    EXPECT_EQ(HScrollPos, 0x7FFFFFFF - 296);
    ImageShow = ImagesNone;
}

// After the views narrow, the row shown first holds the icon that was shown first.
TEST_F(Pane, KeepsTheFirstIconShownWhenRowsChange) {
    Icons(100, 36);
    LayOutPane(300, 200, 17, 17);  // 7 a row beside the bar
    VScrollPos = 5;                // icons 35 ...
    LayOutPane(150, 200, 17, 17);  // (150 - 4 - 17) / 36 = 3 a row: icon 35 is in row 11
    EXPECT_EQ(VScrollPos, 11);
    // (1000 - 4) / 36 = 27 a row: four rows fit without a bar, the first one at the top.
    LayOutPane(1000, 200, 17, 17);
    EXPECT_EQ((std::vector<int32_t>{VScrollPos, PaneHasVBar}), (std::vector<int32_t>{0, 0}));
    // A group of 65,535 icons, one a row: rows counted past 16 bits, four shown.
    Icons(65535, 36);
    LayOutPane(40, 200, 17, 17);
    EXPECT_TRUE(PaneKey(0x23, true));  // Ctrl+End
    EXPECT_EQ((std::vector<int32_t>{MaxRow, VScrollPos}), (std::vector<int32_t>{65534, 65531}));
}

}  // namespace
