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

TEST(IconFile, EntriesAreDescribedInFileOrder) {
    Bytes b = IconFile({{32, 32, 16, 4, 0x20, 0x100},
                        {32, 32, 0, 8, 0x20, 0x120},
                        {48, 24, 0, 32, 0x20, 0x140},
                        {16, 16, 2, 1, 0x20, 0x160}});
    LoadBytes(b.data, "app.ico");
    EXPECT_TRUE(BuildTree().empty());
    EXPECT_EQ(InterpKind, InterpIconFile);
    EXPECT_EQ(TreeText(),
              "app.ico\n"
              "  32x32, 16 colors\n"
              "  32x32, 256 colors\n"
              "  48x24, 2*32 colors\n"
              "  16x16, 2 colors\n");
    EXPECT_EQ(ImageCount, 4);
    EXPECT_EQ(CellWidth, 52);
    EXPECT_EQ(CellHeight, 36);
    EXPECT_EQ(ImageSizes[2], 48);
    const TreeNode& third = TreeNodes[static_cast<size_t>(FindNode("48x24, 2*32 colors"))];
    EXPECT_EQ(third.Section, 3);
    EXPECT_EQ(third.Kind, 3);
    EXPECT_EQ(third.Ref, 6 + 32 + 8);
}

TEST(IconFile, SelectingTheRootOrAnEntryShowsItsImages) {
    Bytes b = IconFile({{32, 32, 16, 4, 0x20, 0x100}, {16, 16, 0, 8, 0x40, 0x120}}, 2);
    LoadBytes(b.data, "x.cur");
    BuildTree();
    UserMessages shown;
    SelectNode(RootNode, shown);
    EXPECT_EQ(ImageShow, ImagesGrid);
    EXPECT_EQ(ImageFirst, 0);
    EXPECT_EQ(ImageLast, 1);
    EXPECT_EQ(NumBytes, b.data.size());
    SelectNode(FindNode("16x16, 256 colors"), shown);
    EXPECT_EQ(ByteOffset, 0x120);
    EXPECT_EQ(NumBytes, 0x40u);
    EXPECT_EQ(SelImages, std::vector<int16_t>{1});
    EXPECT_EQ(RvaBias, 0);
    EXPECT_EQ(ExportCmd, 0);
    EXPECT_TRUE(shown.empty());
}

TEST(IconFile, CountsBeyondTheFileAndTheTableAreBounded) {
    // 2000 entries claimed, the file holds 1800 of them.
    std::vector<IconEntry> many(1800, IconEntry{8, 8, 2, 1, 4, 0});
    Bytes b = IconFile(many);
    b.U16(4, 2000);
    b.data.resize(6 + 16 * 1800 + 10);
    LoadBytes(b.data, "many.ico");
    BuildTree();
    EXPECT_EQ(TreeNodes.size(), 1u + 1800u);
    EXPECT_EQ(ImageCount, MaxImages);
    UserMessages shown;
    SelectNode(static_cast<int32_t>(TreeNodes.size() - 1), shown);  // entry 1800
    EXPECT_TRUE(SelImages.empty());
    EXPECT_LT(ImageLast, ImageFirst);

    Bytes none = IconFile({});
    LoadBytes(none.data, "none.ico");
    BuildTree();
    EXPECT_EQ(TreeText(), "none.ico\n");
    EXPECT_EQ(ImageCount, 0);
}

Bytes FontFile(const std::vector<std::pair<const char*, std::pair<uint32_t, uint32_t>>>& tables) {
    Bytes b(12);
    b.U32BE(0, 0x00010000).U16BE(4, static_cast<uint16_t>(tables.size()));
    for (size_t i = 0; i < tables.size(); ++i) {
        const size_t r = 12 + 16 * i;
        b.Text(r, tables[i].first, false).U32BE(r + 8, tables[i].second.first).U32BE(r + 12, tables[i].second.second);
    }
    b.Grow(0x400);
    return b;
}

TEST(FontFile, TablesAreSortedByTagAndSelectTheirBytes) {
    Bytes b = FontFile({{"name", {0x100, 0x20}}, {"OS/2", {0x120, 0x60}}, {"cmap", {0x180, 0x10}},
                        {"head", {0x190, 0x36}}, {"glyf", {0x300, 0x200}}});
    LoadBytes(b.data, "f.ttf");
    BuildTree();
    EXPECT_EQ(InterpKind, InterpFont);
    EXPECT_EQ(TreeText(), "f.ttf\n  cmap\n  glyf\n  head\n  name\n  OS/2\n");
    UserMessages shown;
    SelectNode(FindNode("OS/2"), shown);
    EXPECT_EQ(ByteOffset, 0x120);
    EXPECT_EQ(NumBytes, 0x60u);
    EXPECT_EQ(ImageShow, ImagesNone);
    EXPECT_TRUE(shown.empty());
    SelectNode(FindNode("glyf"), shown);  // runs 0x100 bytes past the end
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_STREQ(shown[0].Text, "ByteOffset=300, NumBytes=200");
    EXPECT_EQ(NumBytes, 0x100u);
}

TEST(FontFile, RecordsBeyondTheFileAreLeftOut) {
    Bytes b = FontFile({{"cmap", {0, 4}}, {"head", {0, 4}}});
    b.U16BE(4, 0xFFFF);
    b.data.resize(12 + 16 * 2 + 15);
    LoadBytes(b.data, "f.TTF");
    BuildTree();
    EXPECT_EQ(TreeText(), "f.TTF\n  cmap\n  head\n");
}

}  // namespace
