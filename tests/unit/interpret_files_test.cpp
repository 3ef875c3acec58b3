// Icon and cursor files and TrueType files: their trees and selections.
#include <gtest/gtest.h>

#include "interpret/image_table.h"
#include "interpret/selection.h"
#include "interpret_test_files.h"

namespace {

struct IconEntry {
    uint8_t width, height, colors;
    uint16_t bits;
    uint32_t size, offset;
};

Bytes IconFile(const std::vector<IconEntry>& entries, uint16_t type = 1) {
    Bytes b(6);
    b.U16(2, type).U16(4, static_cast<uint16_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        const size_t e = 6 + 16 * i;
        b.U8(e, entries[i].width).U8(e + 1, entries[i].height).U8(e + 2, entries[i].colors);
        b.U16(e + 4, 1).U16(e + 6, entries[i].bits).U32(e + 8, entries[i].size).U32(e + 12, entries[i].offset);
    }
    b.Grow(0x200);
    return b;
}

TEST(IconFile, EntriesAreDescribedInFileOrderAndSelectTheirImages) {
    Bytes b = IconFile({{32, 32, 16, 4, 0x20, 0x100},
                        {32, 32, 0, 8, 0x20, 0x120},
                        {48, 24, 0, 32, 0x40, 0x140},
                        {16, 16, 2, 1, 0x20, 0x160}}, 2);
    LoadBytes(b.data, "app.cur");
    EXPECT_TRUE(BuildTree().empty());
    EXPECT_EQ(InterpKind, InterpIconFile);
    EXPECT_EQ(TreeText(), "app.cur\n  32x32, 16 colors\n  32x32, 256 colors\n  48x24, 2*32 colors\n  16x16, 2 colors\n");
    EXPECT_EQ(ImageCount, 4);
    EXPECT_EQ(CellWidth, 52);
    EXPECT_EQ(CellHeight, 36);
    EXPECT_EQ(ImageSizes[2], 48);
    const int32_t third = FindNode("48x24, 2*32 colors");
    EXPECT_EQ(TreeNodes[static_cast<size_t>(third)].Section, 3);
    EXPECT_EQ(TreeNodes[static_cast<size_t>(third)].Kind, 3);
    EXPECT_EQ(TreeNodes[static_cast<size_t>(third)].Ref, 6 + 32 + 8);
    UserMessages shown;
    SelectNode(RootNode, shown);
    EXPECT_EQ(ImageShow, ImagesGrid);
    EXPECT_EQ(ImageFirst, 0);
    EXPECT_EQ(ImageLast, 3);
    EXPECT_EQ(NumBytes, 0x200u);
    SelectNode(third, shown);
    EXPECT_EQ(ByteOffset, 0x140);
    EXPECT_EQ(NumBytes, 0x40u);
    EXPECT_EQ(SelImages, std::vector<int16_t>{2});
    EXPECT_EQ(RvaBias, 0);
    EXPECT_EQ(ExportCmd, 0);
    EXPECT_TRUE(shown.empty());
}

TEST(IconFile, CountsBeyondTheFileAndTheTableAreBounded) {
    // 2000 entries claimed, the file holds 1800 of them.
    Bytes b = IconFile(std::vector<IconEntry>(1800, IconEntry{8, 8, 2, 1, 4, 0}));
    b.U16(4, 2000);
    b.data.resize(6 + 16 * 1800 + 10);
    LoadBytes(b.data, "many.ico");
    BuildTree();
    EXPECT_EQ(TreeNodes.size(), 1u + 1800u);
    EXPECT_EQ(ImageCount, 1666);
    UserMessages shown;
    SelectNode(1800, shown);  // entry 1800
    EXPECT_TRUE(SelImages.empty());
    EXPECT_LT(ImageLast, ImageFirst);
    LoadBytes(IconFile({}).data, "none.ico");
    BuildTree();
    EXPECT_EQ(TreeText(), "none.ico\n");
    EXPECT_EQ(ImageCount, 0);
}

// Tables are sorted by tag, whatever their case (as in the golden test); a
// table selects its bytes and records beyond the file are left out.
TEST(FontFile, TablesSelectTheirBytesAndRecordsBeyondTheFileAreLeftOut) {
    const std::pair<const char*, uint32_t> tables[] = {{"name", 0x100}, {"OS/2", 0x120}, {"glyf", 0x300}};
    Bytes b(12);
    b.U32BE(0, 0x00010000).U16BE(4, 3);
    for (size_t i = 0; i < 3; ++i)
        b.Text(12 + 16 * i, tables[i].first, false).U32BE(20 + 16 * i, tables[i].second).U32BE(24 + 16 * i, 0x200);
    b.Grow(0x400);
    LoadBytes(b.data, "f.Ttf");
    BuildTree();
    EXPECT_EQ(InterpKind, InterpFont);
    EXPECT_EQ(TreeText(), "f.Ttf\n  glyf\n  name\n  OS/2\n");
    UserMessages shown;
    SelectNode(FindNode("OS/2"), shown);
    EXPECT_EQ(ByteOffset, 0x120);
    EXPECT_EQ(NumBytes, 0x200u);
    EXPECT_EQ(ImageShow, ImagesNone);
    EXPECT_TRUE(shown.empty());
    SelectNode(FindNode("glyf"), shown);  // runs 0x100 bytes past the end
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_STREQ(shown[0].Text, "ByteOffset=300, NumBytes=200");
    EXPECT_EQ(NumBytes, 0x100u);
    b.U16BE(4, 0xFFFF);
    b.data.resize(12 + 16 * 2 + 15);
    LoadBytes(b.data, "f.TTF");
    BuildTree();
    EXPECT_EQ(TreeText(), "f.TTF\n  name\n  OS/2\n");
}

}  // namespace
