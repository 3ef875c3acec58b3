// The tree of an executable: sections, directories, libraries, resources
// and the table of their cursors and icons.
#include <gtest/gtest.h>

#include <functional>

#include "interpret/image_table.h"
#include "interpret/interp_tree.h"
#include "interpret_test_files.h"

namespace {

// Two sections: .text (RVA 0x1000, file 0x400) and .data (RVA 0x3000,
// file 0x800), both 0x400 bytes.
Bytes TwoSections() { return MakePe({{".text", 0x1000, 0x400, 0x400}, {".data", 0x3000, 0x800, 0x400}}); }

// A resource section at RVA 0x5000 / file 0x400 of `size` bytes.
Bytes ResourceSection(uint32_t size) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, size}});
    SetDir(b, 2, 0x5000, 0x100);
    return b;
}

std::string Tree(const Bytes& b, uint16_t addr = AddrPhysical, const char* name = "a.dll") {
    AddrMode = addr;
    LoadBytes(b.data, name);
    BuildTree();
    AddrMode = AddrPhysical;
    return TreeText();
}

const TreeNode& Node(const char* text) { return TreeNodes[static_cast<size_t>(FindNode(text))]; }

TEST(ReadExe, ChoosesTheReaderByNameAndRejectsWhatIsNoExecutable) {
    const Bytes b = TwoSections();
    EXPECT_EQ(Tree(b), "a.dll\n  00000400: .text\n  00000800: .data\n");
    EXPECT_EQ(InterpKind, InterpExe);
    const std::pair<const char*, uint8_t> names[] = {
        {"X.ICO", InterpIconFile}, {"font.Ttf", InterpFont}, {"x.icon", InterpExe}, {"x.tt", InterpExe}};
    for (auto [name, kind] : names) {
        Tree(b, AddrPhysical, name);
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
        EXPECT_EQ(Tree(x), "a.dll\n") << what;
        EXPECT_EQ(InterpKind, InterpNone) << what;
        EXPECT_EQ(TreeNodes.size(), 1u) << what;
    }
}

TEST(ReadExe, SectionsAndDirectoriesAreSortedByAddressAndFollowTheAddressMode) {
    // The section table lists .data first; the tree sorts by address.
    Bytes b = MakePe({{".data", 0x3000, 0x800, 0x400}, {".text", 0x1000, 0x400, 0x400}});
    SetDir(b, 5, 0x3100, 0x10);   // Relocations in .data
    SetDir(b, 12, 0x3010, 0x10);  // IAT in .data, lower address
    SetDir(b, 6, 0x1200, 0x10);   // Debug in .text
    EXPECT_EQ(Tree(b, AddrRva),
              "a.dll\n"
              "  00001000: .text\n"
              "    00001200: Debug\n"
              "  00003000: .data\n"
              "    00003010: IAT\n"
              "    00003100: Relocations\n");
    EXPECT_EQ(Tree(b, AddrZero),
              "a.dll\n"
              "  00000400: .text\n"
              "    00000600: Debug\n"
              "  00000800: .data\n"
              "    00000810: IAT\n"
              "    00000900: Relocations\n");
    EXPECT_EQ(Tree(b, AddrPhysical), Tree(b, AddrZero));
    const TreeNode& data = Node("00000800: .data");
    EXPECT_EQ(data.Section, 0);
    EXPECT_EQ(data.HasChildren, 1);
    EXPECT_EQ(data.Ref, 0x138 + 12);  // its section header's VirtualAddress
    EXPECT_EQ(data.Expanded, 1);
    const TreeNode& iat = Node("00000810: IAT");
    EXPECT_EQ(iat.Kind, 16 + 12);
    EXPECT_EQ(iat.Section, 0);
    EXPECT_EQ(iat.Ref, 0xB8 + 8 * 12);
    EXPECT_EQ(iat.HasChildren, 0);
    EXPECT_EQ(SectionBias, (std::vector<int32_t>{0x2800, 0xC00}));
}

TEST(ReadExe, ContainingSectionIsTheGreatestAddressNotAboveTheRva) {
    Bytes b = MakePe({{"zero", 0, 0x200, 0x200},
                      {"first", 0x2000, 0x400, 0x100},
                      {"twin", 0x2000, 0x500, 0x100},
                      {"last", 0x4000, 0x600, 0x100}});
    SetDir(b, 3, 0x2050, 0);   // in "first": the first of equal addresses wins
    SetDir(b, 4, 0x9000, 0);   // beyond the end of "last": still "last"
    SetDir(b, 11, 0x150, 0);   // below every section but the one at 0
    EXPECT_EQ(Tree(b),
              "a.dll\n"
              "  00000150: Bound Imports\n"
              "  00000200: zero\n"
              "  00000400: first\n"
              "    00000450: Exceptions\n"
              "  00000500: twin\n"
              "  00000600: last\n"
              "    00005600: Security\n");
    EXPECT_EQ(Node("00000150: Bound Imports").Section, NoSection);
    EXPECT_EQ(ContainingSection(0x80001000u), NoSection);
}

TEST(ReadExe, ReadsEverySectionAndStopsAtTheEndOfTheFile) {
    std::vector<PeSection> many;
    static char names[40][9];
    for (uint32_t i = 0; i < 40; ++i) {
        std::snprintf(names[i], sizeof names[i], "s%02u", i);
        many.push_back({names[i], 0x1000 * (i + 1), 0x800 + 0x10 * i, 0x10});
    }
    Bytes b = MakePe(many);
    SetDir(b, 0, 0x28000 + 4, 0x10);  // in the 40th section
    Tree(b);
    EXPECT_EQ(SectionBias.size(), 40u);
    ASSERT_GE(FindNode("00000A74: Exports"), 0);
    EXPECT_EQ(Node("00000A74: Exports").Section, 39);
    // A section count far beyond the file: only whole headers are read.
    Bytes cut = TwoSections();
    cut.U16(PeAt + 6, 0x7FFF);
    cut.data.resize(SectionAt(3) + 20);
    Tree(cut);
    EXPECT_EQ(SectionBias.size(), 3u);
}

TEST(ReadExe, ImportWalkEndsAtAZeroFirstThunkOrTheEndOfTheFile) {
    Bytes b = TwoSections();
    SetDir(b, 1, 0x3000, 100);
    b.U32(0x800 + 12, 0x3200).U32(0x800 + 16, 0x3300);  // zeta
    b.U32(0x814 + 12, 0x3210).U32(0x814 + 16, 0x3300);  // Alpha
    b.U32(0x828 + 12, 0x3FF0).U32(0x828 + 16, 0x3300);  // name not in the file
    b.Text(0xA00, "zeta.dll").Text(0xA10, "Alpha.dll");
    b.data.resize(0xC00);
    Tree(b);
    EXPECT_EQ(TreeText(FindNode("00000800: Imports")), "00000800: Imports\n  ?\n  Alpha.dll\n  zeta.dll\n");
    const TreeNode& lib = Node("Alpha.dll");
    EXPECT_EQ(lib.Kind, KindLibrary);
    EXPECT_EQ(lib.Ref, 0x814);
    EXPECT_EQ(lib.Section, 1);
    // A first descriptor with FirstThunk 0: an expandable node without children.
    Bytes empty = TwoSections();
    SetDir(empty, 1, 0x3000, 20);
    Tree(empty);
    EXPECT_EQ(Node("00000800: Imports").HasChildren, 1);
    EXPECT_EQ(Node("00000800: Imports").FirstChild, -1);
    // Descriptors up to the last byte, none ending the list: 51 libraries.
    for (size_t p = 0x800; p + 20 <= 0xC00; p += 20) empty.U32(p + 16, 1).U32(p + 12, 0x3000);
    Tree(empty);
    EXPECT_EQ(TreeNodes.size(), 4u + 51u);
}

TEST(ReadExe, ResourceTypesAndEntriesKeepDirectoryOrderAndTheirNames) {
    Bytes b = ResourceSection(0x2000);
    LayOutResources(b, 0x400,
                    {{0, "ZOO", {{0, "beta", 0x5100, 4}, {0, "alpha", 0x5100, 4}}},
                     {13, nullptr, {{9, nullptr, 0x5100, 4}, {2, nullptr, 0x5100, 4}}},
                     {24, nullptr, {{1, nullptr, 0x5100, 4}}},
                     {25, nullptr, {{65535, nullptr, 0x5100, 4}}},
                     {257, nullptr, {{3, nullptr, 0x5100, 4}}}});
    Tree(b);
    EXPECT_EQ(TreeText(FindNode("00000400: Resources")),
              "00000400: Resources\n"
              "  ZOO\n    beta\n    alpha\n"
              "  Type 13\n    9\n    2\n"
              "  MANIFEST\n    1\n"
              "  Type 25\n    65535\n"
              "  Type 257\n    3\n");
    EXPECT_EQ(Node("ZOO").Kind, KindResType);
    EXPECT_EQ(Node("ZOO").HasChildren, 1);
    EXPECT_EQ(Node("alpha").Kind, KindResEntry);
    EXPECT_EQ(Node("Type 257").Kind, KindResType + 256);
    EXPECT_EQ(Node("65535").Kind, KindResEntry + 256 * 25);
    // Type 257 counts as a cursor type: its entry is collected as a cursor.
    EXPECT_EQ(ImageCount, 1);
    EXPECT_EQ(ImageTypes[0], 1);
}

TEST(ReadExe, ResourceDirectoriesThatLoopShareOrOverlapAreReadOnce) {
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
    Tree(b);
    EXPECT_EQ(TreeText(FindNode("00000400: Resources")), "00000400: Resources\n  STRING\n    1\n");

    // 500 types whose name directories start 8 bytes apart, each claiming
    // 500 entries: read naively they would give 250000 nodes from 9 KB.
    Bytes o = ResourceSection(0x2000);
    const size_t dirs = base + 0x1000, olang = base + 0x100, odata = base + 0x200;
    o.U16(base + 14, 500);
    for (uint32_t t = 0; t < 500; ++t)
        o.U32(base + 16 + 8 * t, 3).U32(base + 20 + 8 * t, 0x80000000u | static_cast<uint32_t>(dirs - base + 8 * t));
    for (uint32_t e = 0; e < 520; ++e)
        o.U16(dirs + 8 * e + 14, 500).U32(dirs + 8 * e + 16, e).U32(dirs + 8 * e + 20,
                                                                    static_cast<uint32_t>(olang - base));
    o.U32(olang + 20, static_cast<uint32_t>(odata - base)).U32(odata, 0x5000).U32(odata + 4, 4);
    Tree(o);
    EXPECT_LE(TreeNodes.size(), o.data.size() / 8);
    EXPECT_GE(FindNode("ICON"), 0);
}

TEST(ImageTable, CursorsComeBeforeIconsAndIdsAreLookedUp) {
    Bytes b = ResourceSection(0x4000);
    // Image data: an icon header of width 32 at 0x2000, a cursor (hotspot
    // first) of width 48 at 0x2100, a compressed image at 0x2200.
    b.U32(0x400 + 0x2000, 40).U32(0x400 + 0x2004, 32);
    b.U32(0x400 + 0x2104, 40).U32(0x400 + 0x2108, 48);
    b.U32(0x400 + 0x2200, 0x474E5089);
    std::vector<ResEntry> cursors, icons;
    for (uint32_t id = 1; id <= 3; ++id) cursors.push_back({id, nullptr, 0x7100, 0x100});
    for (uint32_t id : {1, 2, 7, 300, 5}) icons.push_back({id, nullptr, id == 5 ? 0x7200u : 0x7000u, 0x100});
    icons.push_back({0, "NAMED", 0x7000, 0x100});
    LayOutResources(b, 0x400, {{1, nullptr, cursors}, {3, nullptr, icons}});
    Tree(b);
    EXPECT_EQ(ImageCount, 9);
    EXPECT_EQ(LastCursorIndex, 2);
    EXPECT_EQ(FirstCursorId, 1);
    EXPECT_EQ(FirstIconIndex, 3);
    EXPECT_EQ(LastIconIndex, 8);
    EXPECT_EQ(IconIndexOffset, 2);
    const int32_t lookups[][3] = {{1, 3, 2}, {1, 4, -1}, {3, 2, 4},  {3, 7, 5},  // 7: not 3 + 7 - 1
                                  {3, 300, 6}, {3, 5, 7}, {3, 3, -1}, {3, 0, -1}};
    for (auto [type, id, index] : lookups) EXPECT_EQ(ImageIndexOfId(static_cast<uint16_t>(type), id), index) << id;
    EXPECT_EQ(ImageSizes[0], 48);
    EXPECT_EQ(ImageSizes[3], 32);
    EXPECT_EQ(ImageSizes[7], 0);  // not a bitmap header
    EXPECT_EQ(LargestImage(3, 7), 32);
    EXPECT_EQ(LargestImage(3, 3), 32);  // the last of the range counts
    EXPECT_EQ(LargestImage(0, 7), 48);
    EXPECT_EQ(LargestImage(0, -1), 0);
}

TEST(ImageTable, The1666thImageShowsTheMessageOnceAndLaterOnesAreLeftOut) {
    for (uint32_t count : {1666u, 1667u}) {
        Bytes b = ResourceSection(0x100);
        std::vector<ResEntry> icons;
        for (uint32_t id = 1; id <= count; ++id) icons.push_back({id, nullptr, 0x5000, 4});
        LayOutResources(b, 0x400, {{3, nullptr, icons}});
        LoadBytes(b.data, "many.dll");
        const UserMessages shown = BuildTree();
        ASSERT_EQ(shown.size(), 1u) << count;
        EXPECT_STREQ(shown[0].Text, "More than 1666 cursors/icons!");
        EXPECT_STREQ(shown[0].Caption, "");
        EXPECT_EQ(ImageCount, 1666);
        EXPECT_GE(FindNode(std::to_string(count).c_str()), 0);  // the node is still there
        EXPECT_EQ(ImageIndexOfId(3, count), count == 1666 ? 1665 : -1);
    }
}

}  // namespace
