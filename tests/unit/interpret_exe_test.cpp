// The trees of executables, icon and cursor files and TrueType files, and
// the table of the cursors and icons an executable holds.
#include <gtest/gtest.h>

#include <functional>

#include "interpret/image_table.h"
#include "interpret_test_files.h"

namespace {

using ReadTree = InterpTest;

// .text at RVA 0x1000 / file 0x400, .data at RVA 0x3000 / file 0x800.
Bytes TwoSections() { return MakePe({{".text", 0x1000, 0x400, 0x400}, {".data", 0x3000, 0x800, 0x400}}); }

// A resource section at RVA 0x5000 / file 0x400 of `size` bytes.
Bytes ResourceSection(uint32_t size) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, size}});
    SetDir(b, 2, 0x5000, 0x100);
    return b;
}

std::vector<int32_t> Fields(const TreeNode& n) { return {n.Section, n.Kind, n.Ref, n.HasChildren, n.Expanded}; }

TEST_F(ReadTree, ReaderChosenByNameAndHeadersThatAreNoExecutableGiveTheRootAlone) {
    const Bytes b = TwoSections();
    const std::pair<const char*, uint8_t> names[] = {
        {"X.ICO", InterpIconFile}, {"a.Cur", InterpIconFile}, {"font.Ttf", InterpFont}, {"x.icon", InterpExe}, {"x.tt", InterpExe}};
    for (auto [name, kind] : names) {
        Open(b, name);
        EXPECT_EQ(InterpKind, kind) << name;
    }
    const std::pair<const char*, std::function<void(Bytes&)>> bad[] = {
        {"no MZ", [](Bytes& x) { x.U8(0, 'Z'); }},
        {"e_lfanew at the end", [](Bytes& x) { x.U32(0x3C, static_cast<uint32_t>(x.data.size())); }},
        {"no PE", [](Bytes& x) { x.U8(PeAt + 1, 'X'); }},
        {"no sections", [](Bytes& x) { x.U16(PeAt + 6, 0); }},
        {"negative sections", [](Bytes& x) { x.U16(PeAt + 6, 0x8001); }},
        {"only MZ", [](Bytes& x) { x.data.resize(2); }}};
    for (const auto& [what, spoil] : bad) {
        Bytes x = b;
        spoil(x);
        Open(x);
        EXPECT_EQ(TreeText(), "a.dll\n") << what;
        EXPECT_EQ(InterpKind, InterpNone) << what;
    }
    // A section count far beyond the file: only whole headers are read.
    Bytes cut = TwoSections();
    cut.U16(PeAt + 6, 0x7FFF).data.resize(SectionAt(3) + 20);
    Open(cut);
    EXPECT_EQ(SectionBias.size(), 3u);
}

TEST_F(ReadTree, SectionsAndDirectoriesAreSortedByAddressAndFollowTheAddressMode) {
    Bytes b = MakePe({{".data", 0x3000, 0x800, 0x400}, {".text", 0x1000, 0x400, 0x400}});
    SetDir(b, 5, 0x3100, 0x10);   // Relocations in .data
    SetDir(b, 12, 0x3010, 0x10);  // IAT in .data, lower address
    SetDir(b, 6, 0x1200, 0x10);   // Debug in .text
    Open(b, "a.dll", AddrRva);
    EXPECT_EQ(TreeText(), "a.dll\n  00001000: .text\n    00001200: Debug\n"
                          "  00003000: .data\n    00003010: IAT\n    00003100: Relocations\n");
    for (uint16_t mode : {AddrZero, AddrPhysical}) {
        Open(b, "a.dll", mode);
        EXPECT_EQ(TreeText(), "a.dll\n  00000400: .text\n    00000600: Debug\n"
                              "  00000800: .data\n    00000810: IAT\n    00000900: Relocations\n") << mode;
    }
    EXPECT_EQ(Fields(NodeOf("00000800: .data")), (std::vector<int32_t>{0, 0, 0x138 + 12, 1, 1}));
    EXPECT_EQ(Fields(NodeOf("00000810: IAT")), (std::vector<int32_t>{0, 16 + 12, 0xB8 + 8 * 12, 0, 0}));
    EXPECT_EQ(SectionBias, (std::vector<int32_t>{0x2800, 0xC00}));
}

TEST_F(ReadTree, ContainingSectionIsTheGreatestAddressNotAboveTheRva) {
    Bytes b = MakePe({{"zero", 0, 0x200, 0x200}, {"first", 0x2000, 0x400, 0x100},
                      {"twin", 0x2000, 0x500, 0x100}, {"last", 0x4000, 0x600, 0x100}});
    SetDir(b, 3, 0x2050, 0);  // in "first": the first of equal addresses wins
    SetDir(b, 4, 0x9000, 0);  // beyond the end of "last": still "last"
    SetDir(b, 11, 0x150, 0);  // below every section but the one at 0
    Open(b);
    EXPECT_EQ(TreeText(), "a.dll\n  00000150: Bound Imports\n  00000200: zero\n  00000400: first\n"
                          "    00000450: Exceptions\n  00000500: twin\n  00000600: last\n    00005600: Security\n");
    EXPECT_EQ(NodeOf("00000150: Bound Imports").Section, NoSection);
    EXPECT_EQ(ContainingSection(0x80001000u), NoSection);
}

TEST_F(ReadTree, ImportWalkEndsAtAZeroFirstThunkOrTheEndOfTheFile) {
    Bytes b = TwoSections();
    SetDir(b, 1, 0x3000, 100);
    b.U32(0x800 + 12, 0x3200).U32(0x800 + 16, 0x3300);  // zeta
    b.U32(0x814 + 12, 0x3210).U32(0x814 + 16, 0x3300);  // Alpha
    b.U32(0x828 + 12, 0x3FF0).U32(0x828 + 16, 0x3300);  // name not in the file
    b.Text(0xA00, "zeta.dll").Text(0xA10, "Alpha.dll").data.resize(0xC00);
    Open(b);
    EXPECT_EQ(TreeText(FindNode("00000800: Imports")), "00000800: Imports\n  ?\n  Alpha.dll\n  zeta.dll\n");
    EXPECT_EQ(Fields(NodeOf("Alpha.dll")), (std::vector<int32_t>{1, KindLibrary, 0x814, 0, 0}));
    // A first descriptor with FirstThunk 0: an expandable node without children.
    Bytes empty = TwoSections();
    SetDir(empty, 1, 0x3000, 20);
    Open(empty);
    EXPECT_EQ(NodeOf("00000800: Imports").HasChildren, 1);
    EXPECT_EQ(NodeOf("00000800: Imports").FirstChild, -1);
    // Descriptors up to the last byte, none ending the list: 51 libraries.
    for (size_t p = 0x800; p + 20 <= 0xC00; p += 20) empty.U32(p + 16, 1).U32(p + 12, 0x3000);
    Open(empty);
    EXPECT_EQ(TreeNodes.size(), 4u + 51u);
}

TEST_F(ReadTree, ResourceTypesAndEntriesKeepDirectoryOrderAndTheirNames) {
    Bytes b = ResourceSection(0x2000);
    LayOutResources(b, 0x400, {{0, "ZOO", {{0, "beta", 0x5100, 4}, {0, "alpha", 0x5100, 4}}},
                               {13, nullptr, {{9, nullptr, 0x5100, 4}, {2, nullptr, 0x5100, 4}}},
                               {24, nullptr, {{1, nullptr, 0x5100, 4}}}, {25, nullptr, {{65535, nullptr, 0x5100, 4}}},
                               {257, nullptr, {{3, nullptr, 0x5100, 4}}}});
    Open(b);
    EXPECT_EQ(TreeText(FindNode("00000400: Resources")),
              "00000400: Resources\n  ZOO\n    beta\n    alpha\n  Type 13\n    9\n    2\n"
              "  MANIFEST\n    1\n  Type 25\n    65535\n  Type 257\n    3\n");
    EXPECT_EQ(Fields(NodeOf("ZOO")), (std::vector<int32_t>{0, KindResType, 0x400 + 56, 1, 0}));
    EXPECT_EQ(NodeOf("alpha").Kind, KindResEntry);
    EXPECT_EQ(NodeOf("Type 257").Kind, KindResType + 256);
    EXPECT_EQ(NodeOf("65535").Kind, KindResEntry + 256 * 25);
    // Type 257 counts as a cursor type: its entry is collected as a cursor.
    EXPECT_EQ(ImageCount, 1);
    EXPECT_EQ(ImageTypes[0], 1);
}

TEST_F(ReadTree, ResourceDirectoriesThatLoopShareOrOverlapAreReadOnce) {
    Bytes b = ResourceSection(0x8000);
    const size_t base = 0x400, names = base + 0x6000, lang = names + 0x20, data = lang + 0x20;
    // 2001 types: the first owns a name directory, the second points at the
    // type directory itself, all others share the first one's directory.
    b.U16(base + 14, 2001);
    for (uint32_t t = 0; t < 2001; ++t)
        b.U32(base + 16 + 8 * t, t == 0 ? 6 : 7)
            .U32(base + 20 + 8 * t, 0x80000000u | (t == 1 ? 0u : static_cast<uint32_t>(names - base)));
    b.U16(names + 14, 1).U32(names + 16, 1).U32(names + 20, 0x80000000u | static_cast<uint32_t>(lang - base));
    b.U16(lang + 14, 1).U32(lang + 20, static_cast<uint32_t>(data - base));
    b.U32(data, 0x5000).U32(data + 4, 4).Grow(data + 16);
    Open(b);
    EXPECT_EQ(TreeText(FindNode("00000400: Resources")), "00000400: Resources\n  STRING\n    1\n");
    // 500 types whose name directories start 8 bytes apart, each claiming
    // 500 entries: read naively they would give 250000 nodes from 9 KB.
    Bytes o = ResourceSection(0x2000);
    const size_t dirs = base + 0x1000, olang = base + 0x100, odata = base + 0x200;
    o.U16(base + 14, 500);
    for (uint32_t t = 0; t < 500; ++t)
        o.U32(base + 16 + 8 * t, 3).U32(base + 20 + 8 * t, 0x80000000u | static_cast<uint32_t>(dirs - base + 8 * t));
    for (uint32_t e = 0; e < 520; ++e)
        o.U16(dirs + 8 * e + 14, 500).U32(dirs + 8 * e + 16, e).U32(dirs + 8 * e + 20, uint32_t(olang - base));
    o.U32(olang + 20, static_cast<uint32_t>(odata - base)).U32(odata, 0x5000).U32(odata + 4, 4);
    Open(o);
    EXPECT_LE(TreeNodes.size(), o.data.size() / 8);
    EXPECT_GE(FindNode("ICON"), 0);
}

TEST_F(ReadTree, CursorsComeBeforeIconsAndIdsAreLookedUp) {
    Bytes b = ResourceSection(0x4000);
    // Image data: an icon header of width 32 at 0x2000, a cursor (hotspot
    // first) of width 48 at 0x2100, a compressed image at 0x2200.
    b.U32(0x2400, 40).U32(0x2404, 32).U32(0x2504, 40).U32(0x2508, 48).U32(0x2600, 0x474E5089);
    std::vector<ResEntry> cursors, icons;
    for (uint32_t id = 1; id <= 3; ++id) cursors.push_back({id, nullptr, 0x7100, 0x100});
    for (uint32_t id : {1, 2, 7, 300, 5}) icons.push_back({id, nullptr, id == 5 ? 0x7200u : 0x7000u, 0x100});
    icons.push_back({0, "NAMED", 0x7000, 0x100});
    LayOutResources(b, 0x400, {{1, nullptr, cursors}, {3, nullptr, icons}});
    Open(b);
    EXPECT_EQ((std::vector<int>{ImageCount, LastCursorIndex, FirstCursorId, FirstIconIndex, LastIconIndex,
                                IconIndexOffset}), (std::vector<int>{9, 2, 1, 3, 8, 2}));
    // {type, id, index}; id 7 is not at 3 + 7 - 1, and id 3 of the icons is none.
    const int32_t lookups[][3] = {{1, 3, 2}, {1, 4, -1}, {3, 2, 4}, {3, 7, 5}, {3, 300, 6}, {3, 5, 7}, {3, 3, -1},
                                  {3, 0, -1}, {2, 1, -1}};
    for (auto [type, id, index] : lookups)
        EXPECT_EQ(ImageIndexOfId(static_cast<uint8_t>(type), static_cast<uint32_t>(id)), index) << type << "/" << id;
    EXPECT_EQ((std::vector<int>{ImageSizes[0], ImageSizes[3], ImageSizes[7]}), (std::vector<int>{48, 32, 0}));
    // The largest of a range, its last image included and the range clipped.
    const int16_t ranges[][3] = {{3, 7, 32}, {3, 3, 32}, {0, 7, 48}, {-5, 0, 48}, {7, 99, 32}, {0, -1, 0}};
    for (auto [first, last, largest] : ranges) EXPECT_EQ(LargestImage(first, last), largest) << first << "-" << last;
}

TEST_F(ReadTree, The1666thImageShowsTheMessageOnceAndLaterOnesAreLeftOut) {
    for (uint32_t count : {1666u, 1667u}) {
        Bytes b = ResourceSection(0x100);
        std::vector<ResEntry> icons;
        for (uint32_t id = 1; id <= count; ++id) icons.push_back({id, nullptr, 0x5000, 4});
        LayOutResources(b, 0x400, {{3, nullptr, icons}});
        const UserMessages shown = Open(b);
        ASSERT_EQ(shown.size(), 1u) << count;
        EXPECT_EQ(std::string(shown[0].Text) + "|" + shown[0].Caption, "More than 1666 cursors/icons!|");
        EXPECT_EQ(ImageCount, 1666);
        EXPECT_GE(FindNode(std::to_string(count).c_str()), 0);  // the node is still there
        EXPECT_EQ(ImageIndexOfId(3, count), count == 1666 ? 1665 : -1);
    }
}

// An .ICO or .CUR file of the given entries {width, height, colours, bits, size, offset}.
Bytes IconFile(const std::vector<std::vector<uint32_t>>& entries, uint16_t type = 1) {
    Bytes b(0x200);
    b.U16(2, type).U16(4, static_cast<uint16_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::vector<uint32_t>& v = entries[i];
        b.U8(6 + 16 * i, uint8_t(v[0])).U8(7 + 16 * i, uint8_t(v[1])).U8(8 + 16 * i, uint8_t(v[2]));
        b.U16(10 + 16 * i, 1).U16(12 + 16 * i, uint16_t(v[3])).U32(14 + 16 * i, v[4]).U32(18 + 16 * i, v[5]);
    }
    return b;
}

TEST_F(ReadTree, IconFileEntriesAreDescribedInFileOrderAndSelectTheirImages) {
    Open(IconFile({{32, 32, 16, 4, 0x20, 0x100}, {32, 32, 0, 8, 0x20, 0x120}, {48, 24, 0, 32, 0x40, 0x140},
                   {16, 0, 2, 1, 0x20, 0x160}}, 2), "app.cur");
    EXPECT_EQ(InterpKind, InterpIconFile);
    EXPECT_EQ(TreeText(), "app.cur\n  32x32, 16 colors\n  32x32, 256 colors\n  48x24, 2*32 colors\n  16x256, 2 colors\n");
    EXPECT_EQ((std::vector<int>{ImageCount, CellWidth, CellHeight, ImageSizes[2]}), (std::vector<int>{4, 52, 260, 48}));
    EXPECT_EQ(Fields(NodeOf("48x24, 2*32 colors")), (std::vector<int32_t>{3, 3, 6 + 32 + 8, 0, 0}));
    EXPECT_TRUE(Pick("app.cur").empty());
    EXPECT_EQ((std::vector<int>{ImageShow, ImageFirst, ImageLast, int(NumBytes)}), (std::vector<int>{ImagesGrid, 0, 3, 0x200}));
    EXPECT_TRUE(Pick("48x24, 2*32 colors").empty());
    EXPECT_EQ((std::vector<int>{ByteOffset, int(NumBytes), RvaBias, ExportCmd}), (std::vector<int>{0x140, 0x40, 0, 0}));
    EXPECT_EQ(SelImages, std::vector<int16_t>{2});
    // 2000 entries claimed, the file holds 1800 of them; the table 1666.
    Bytes many = IconFile(std::vector<std::vector<uint32_t>>(1800, {8, 8, 2, 1, 4, 0}));
    many.U16(4, 2000).data.resize(6 + 16 * 1800 + 10);
    Open(many, "many.ico");
    EXPECT_EQ(TreeNodes.size(), 1u + 1800u);
    EXPECT_EQ(ImageCount, 1666);
    UserMessages shown;
    SelectNode(1800, shown);  // entry 1800: no image in the table
    EXPECT_TRUE(SelImages.empty());
    EXPECT_LT(ImageLast, ImageFirst);
    Open(IconFile({}), "none.ico");
    EXPECT_EQ(TreeText(), "none.ico\n");
    EXPECT_EQ(ImageCount, 0);
}

// Tables are sorted by tag, whatever their case; a table selects its bytes
// and records beyond the file are left out.
TEST_F(ReadTree, FontTablesSelectTheirBytesAndRecordsBeyondTheFileAreLeftOut) {
    Bytes b(0x400);
    b.U32BE(0, 0x00010000).U16BE(4, 3);
    b.Text(12, "name", false).U32BE(20, 0x100).U32BE(24, 0x200).Text(28, "OS/2", false).U32BE(36, 0x120);
    b.U32BE(40, 0x200).Text(44, "glyf", false).U32BE(52, 0x300).U32BE(56, 0x200);
    Open(b, "f.Ttf");
    EXPECT_EQ(InterpKind, InterpFont);
    EXPECT_EQ(TreeText(), "f.Ttf\n  glyf\n  name\n  OS/2\n");
    EXPECT_TRUE(Pick("OS/2").empty());
    EXPECT_EQ((std::vector<int>{ByteOffset, int(NumBytes), ImageShow}), (std::vector<int>{0x120, 0x200, ImagesNone}));
    const UserMessages shown = Pick("glyf");  // runs 0x100 bytes past the end
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_STREQ(shown[0].Text, "ByteOffset=300, NumBytes=200");
    EXPECT_EQ(NumBytes, 0x100u);
    b.U16BE(4, 0xFFFF).data.resize(12 + 16 * 2 + 15);
    Open(b, "f.TTF");
    EXPECT_EQ(TreeText(), "f.TTF\n  name\n  OS/2\n");
}

}  // namespace
