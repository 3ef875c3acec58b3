#include <gtest/gtest.h>

#include "interpret/image_table.h"
#include "interpret/interp_tree.h"
#include "interpret_test_files.h"

namespace {

// Two sections: .text (RVA 0x1000, file 0x400) and .data (RVA 0x3000,
// file 0x800), both 0x400 bytes.
Bytes TwoSections() { return MakePe({{".text", 0x1000, 0x400, 0x400}, {".data", 0x3000, 0x800, 0x400}}); }

std::string Tree(const Bytes& b, uint16_t addr = AddrPhysical, const char* name = "a.dll") {
    AddrMode = addr;
    LoadBytes(b.data, name);
    BuildTree();
    AddrMode = AddrPhysical;
    return TreeText();
}

TEST(ReadExe, RejectsFilesThatAreNoExecutable) {
    Bytes b = TwoSections();
    EXPECT_EQ(Tree(b), "a.dll\n  00000400: .text\n  00000800: .data\n");
    EXPECT_EQ(InterpKind, InterpExe);

    Bytes noMz = b;
    noMz.U8(0, 'Z');
    Bytes lfanewAtEnd = b;
    lfanewAtEnd.U32(0x3C, static_cast<uint32_t>(b.data.size()));
    Bytes noPe = b;
    noPe.U8(PeAt + 1, 'X');
    Bytes zeroSections = b;
    zeroSections.U16(PeAt + 6, 0);
    Bytes negativeSections = b;
    negativeSections.U16(PeAt + 6, 0x8001);
    Bytes tiny;
    tiny.Text(0, "MZ", false);
    for (const Bytes* bad : {&noMz, &lfanewAtEnd, &noPe, &zeroSections, &negativeSections, &tiny}) {
        EXPECT_EQ(Tree(*bad), "a.dll\n");
        EXPECT_EQ(InterpKind, InterpNone);
        EXPECT_EQ(TreeNodes.size(), 1u);
    }
}

TEST(ReadExe, ChoosesTheReaderByTheLowerCasedExtension) {
    Bytes b = TwoSections();
    Tree(b, AddrPhysical, "X.ICO");
    EXPECT_EQ(InterpKind, InterpIconFile);
    Tree(b, AddrPhysical, "font.Ttf");
    EXPECT_EQ(InterpKind, InterpFont);
    Tree(b, AddrPhysical, "x.icon");
    EXPECT_EQ(InterpKind, InterpExe);
    Tree(b, AddrPhysical, "x.tt");
    EXPECT_EQ(InterpKind, InterpExe);
}

TEST(ReadExe, SectionsAndDirectoriesAreSortedByAddressAndFollowTheAddressMode) {
    // The section table lists .data first; the tree sorts by address.
    Bytes b = MakePe({{".data", 0x3000, 0x800, 0x400}, {".text", 0x1000, 0x400, 0x400}});
    SetDir(b, 5, 0x3100, 0x10);   // Relocations in .data
    SetDir(b, 12, 0x3010, 0x10);  // IAT in .data, lower address
    SetDir(b, 6, 0x1200, 0x10);   // Debug in .text
    EXPECT_EQ(Tree(b),
              "a.dll\n"
              "  00000400: .text\n"
              "    00000600: Debug\n"
              "  00000800: .data\n"
              "    00000810: IAT\n"
              "    00000900: Relocations\n");
    EXPECT_EQ(Tree(b, AddrRva),
              "a.dll\n"
              "  00001000: .text\n"
              "    00001200: Debug\n"
              "  00003000: .data\n"
              "    00003010: IAT\n"
              "    00003100: Relocations\n");
    EXPECT_EQ(Tree(b, AddrZero), Tree(b, AddrPhysical));
    const TreeNode& data = TreeNodes[static_cast<size_t>(FindNode("00000800: .data"))];
    EXPECT_EQ(data.Section, 0);
    EXPECT_EQ(data.HasChildren, 1);
    EXPECT_EQ(data.Ref, static_cast<int32_t>(SectionAt(0) + 12));
    EXPECT_EQ(data.Expanded, 1);
    const TreeNode& iat = TreeNodes[static_cast<size_t>(FindNode("00000810: IAT"))];
    EXPECT_EQ(iat.Kind, 16 + 12);
    EXPECT_EQ(iat.Section, 0);
    EXPECT_EQ(iat.Ref, static_cast<int32_t>(DirAt(12)));
    EXPECT_EQ(iat.HasChildren, 0);
    EXPECT_EQ(SectionBias[0], 0x3000 - 0x800);
    EXPECT_EQ(SectionBias[1], 0x1000 - 0x400);
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
    EXPECT_EQ(TreeNodes[static_cast<size_t>(FindNode("00000150: Bound Imports"))].Section, NoSection);
    EXPECT_EQ(ContainingSection(0x80001000u), NoSection);
}

TEST(ReadExe, ReadsEverySectionAndStopsAtTheEndOfTheFile) {
    std::vector<PeSection> many;
    static char names[40][9];
    for (int i = 0; i < 40; ++i) {
        std::snprintf(names[i], sizeof names[i], "s%02d", i);
        many.push_back({names[i], 0x1000u * static_cast<uint32_t>(i + 1), 0x800u + 0x10u * static_cast<uint32_t>(i), 0x10});
    }
    Bytes b = MakePe(many);
    SetDir(b, 0, 0x28000 + 4, 0x10);  // in the 40th section
    Tree(b);
    EXPECT_EQ(SectionBias.size(), 40u);
    EXPECT_GE(FindNode("00000A74: Exports"), 0);
    EXPECT_EQ(TreeNodes[static_cast<size_t>(FindNode("00000A74: Exports"))].Section, 39);

    // A section count far beyond the file: only whole headers are read.
    Bytes cut = TwoSections();
    cut.U16(PeAt + 6, 0x7FFF);
    cut.data.resize(SectionAt(3) + 20);
    Tree(cut);
    EXPECT_EQ(SectionBias.size(), 3u);
}

TEST(ReadExe, Pe32PlusFindsDirectoriesAndSectionsFromItsOptionalHeader) {
    Bytes b = MakePe({{".text", 0x1000, 0x400, 0x400}, {".idata", 0x2000, 0x800, 0x400}}, true);
    SetDir(b, 1, 0x2000, 40, true);
    b.U32(0x800 + 12, 0x2100).U32(0x800 + 16, 0x2200).U32(0x800, 0x2200);
    b.Text(0x900, "wide.dll");
    EXPECT_EQ(Tree(b),
              "a.dll\n"
              "  00000400: .text\n"
              "  00000800: .idata\n"
              "    00000800: Imports\n"
              "      wide.dll\n");
    EXPECT_EQ(ThunkSize, 8);
    Bytes narrow = TwoSections();
    Tree(narrow);
    EXPECT_EQ(ThunkSize, 4);
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
    EXPECT_EQ(TreeText(FindNode("00000800: Imports")),
              "00000800: Imports\n  ?\n  Alpha.dll\n  zeta.dll\n");
    const TreeNode& lib = TreeNodes[static_cast<size_t>(FindNode("Alpha.dll"))];
    EXPECT_EQ(lib.Kind, KindLibrary);
    EXPECT_EQ(lib.Ref, 0x814);
    EXPECT_EQ(lib.Section, 1);

    // A first descriptor with FirstThunk 0: an expandable node without children.
    Bytes empty = TwoSections();
    SetDir(empty, 1, 0x3000, 20);
    Tree(empty);
    const TreeNode& imports = TreeNodes[static_cast<size_t>(FindNode("00000800: Imports"))];
    EXPECT_EQ(imports.HasChildren, 1);
    EXPECT_EQ(imports.FirstChild, -1);

    // Descriptors up to the last byte, none ending the list.
    Bytes endless = TwoSections();
    SetDir(endless, 1, 0x3000, 20);
    for (size_t p = 0x800; p + 20 <= 0xC00; p += 20) endless.U32(p + 16, 1).U32(p + 12, 0x3000);
    Tree(endless);
    EXPECT_EQ(TreeNodes.size(), 4u + (0xC00 - 0x800) / 20);
}

TEST(ReadExe, ResourceTypesAndEntriesKeepDirectoryOrderAndTheirNames) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x2000}});
    SetDir(b, 2, 0x5000, 0x100);
    LayOutResources(b, 0x400,
                    {{0, "ZOO", {{0, "beta", 0x5100, 4}, {0, "alpha", 0x5100, 4}}},
                     {13, nullptr, {{9, nullptr, 0x5100, 4}, {2, nullptr, 0x5100, 4}}},
                     {24, nullptr, {{1, nullptr, 0x5100, 4}}},
                     {25, nullptr, {{65535, nullptr, 0x5100, 4}}},
                     {257, nullptr, {{3, nullptr, 0x5100, 4}}}});
    EXPECT_EQ(TreeText(FindNode("00000400: Resources", (Tree(b), RootNode))),
              "00000400: Resources\n"
              "  ZOO\n    beta\n    alpha\n"
              "  Type 13\n    9\n    2\n"
              "  MANIFEST\n    1\n"
              "  Type 25\n    65535\n"
              "  Type 257\n    3\n");
    const TreeNode& zoo = TreeNodes[static_cast<size_t>(FindNode("ZOO"))];
    EXPECT_EQ(zoo.Kind, KindResType);
    EXPECT_EQ(zoo.HasChildren, 1);
    EXPECT_EQ(TreeNodes[static_cast<size_t>(FindNode("alpha"))].Kind, KindResEntry);
    EXPECT_EQ(TreeNodes[static_cast<size_t>(FindNode("Type 257"))].Kind, KindResType + 256 * 1);
    EXPECT_EQ(TreeNodes[static_cast<size_t>(FindNode("65535"))].Kind, KindResEntry + 256 * 25);
    // Type 257 counts as a cursor type: its entry is collected as a cursor.
    EXPECT_EQ(ImageCount, 1);
    EXPECT_EQ(ImageTypes[0], 1);
}

TEST(ReadExe, ResourceDirectoriesThatPointBackOrShareAreReadOnce) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x8000}});
    SetDir(b, 2, 0x5000, 0x100);
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
}

TEST(ReadExe, OverlappingResourceDirectoriesAreReadOnce) {
    // 500 types whose name directories start 8 bytes apart, each claiming
    // 500 entries: read naively they would give 250000 nodes from 5 KB.
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x2000}});
    SetDir(b, 2, 0x5000, 0x100);
    const size_t base = 0x400, names = base + 0x1000, lang = base + 0x100, data = base + 0x200;
    b.U16(base + 14, 500);
    for (uint32_t t = 0; t < 500; ++t)
        b.U32(base + 16 + 8 * t, 3).U32(base + 20 + 8 * t, 0x80000000u | static_cast<uint32_t>(names - base + 8 * t));
    for (uint32_t e = 0; e < 520; ++e)
        b.U16(names + 8 * e + 14, 500).U32(names + 8 * e + 16, e).U32(names + 8 * e + 20,
                                                                       static_cast<uint32_t>(lang - base));
    b.U32(lang + 20, static_cast<uint32_t>(data - base)).U32(data, 0x5000).U32(data + 4, 4);
    Tree(b);
    EXPECT_LE(TreeNodes.size(), b.data.size() / 8);
    EXPECT_GE(FindNode("ICON"), 0);
}

TEST(ImageTable, CursorsComeBeforeIconsAndIdsMapToIndexes) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x4000}});
    SetDir(b, 2, 0x5000, 0x100);
    // Image data: an icon header of width 32 at 0x2000, a cursor (hotspot
    // first) of width 48 at 0x2100, a compressed image at 0x2200.
    b.U32(0x400 + 0x2000, 40).U32(0x400 + 0x2004, 32);
    b.U32(0x400 + 0x2104, 40).U32(0x400 + 0x2108, 48);
    b.U32(0x400 + 0x2200, 0x474E5089);
    std::vector<ResEntry> cursors, icons;
    for (uint32_t id = 1; id <= 3; ++id) cursors.push_back({id, nullptr, 0x7100, 0x100});
    for (uint32_t id = 1; id <= 5; ++id) icons.push_back({id, nullptr, id == 5 ? 0x7200u : 0x7000u, 0x100});
    LayOutResources(b, 0x400, {{1, nullptr, cursors}, {3, nullptr, icons}});
    Tree(b);
    EXPECT_EQ(ImageCount, 8);
    EXPECT_EQ(LastCursorIndex, 2);
    EXPECT_EQ(FirstCursorId, 1);
    EXPECT_EQ(FirstIconIndex, 3);
    EXPECT_EQ(LastIconIndex, 7);
    EXPECT_EQ(IconIndexOffset, 2);
    EXPECT_EQ(ImageIndexOfId(3, 4), 6);
    EXPECT_EQ(ImageIndexOfId(1, 3), 2);
    EXPECT_EQ(ImageIndexOfId(1, 4), -1);
    EXPECT_EQ(ImageSizes[0], 48);
    EXPECT_EQ(ImageSizes[3], 32);
    EXPECT_EQ(ImageSizes[7], 0);  // not a bitmap header
    EXPECT_EQ(LargestImage(3, 7), 32);
    EXPECT_EQ(LargestImage(3, 3), 32);  // the last of the range counts
    EXPECT_EQ(LargestImage(0, 7), 48);
    EXPECT_EQ(LargestImage(0, -1), 0);
}

TEST(ImageTable, IdsWithGapsAreLookedUp) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x4000}});
    SetDir(b, 2, 0x5000, 0x100);
    LayOutResources(b, 0x400, {{3, nullptr, {{2, nullptr, 0x7000, 4}, {7, nullptr, 0x7000, 4},
                                              {300, nullptr, 0x7000, 4}, {0, "NAMED", 0x7000, 4}}}});
    Tree(b);
    EXPECT_EQ(ImageCount, 4);
    EXPECT_EQ(ImageIndexOfId(3, 2), 0);
    EXPECT_EQ(ImageIndexOfId(3, 7), 1);    // the arithmetic would say 5
    EXPECT_EQ(ImageIndexOfId(3, 300), 2);
    EXPECT_EQ(ImageIndexOfId(3, 3), -1);
    EXPECT_EQ(ImageIndexOfId(3, 0), -1);
}

TEST(ImageTable, The1666thImageShowsTheMessageOnceAndLaterOnesAreLeftOut) {
    for (uint32_t count : {1666u, 1667u}) {
        Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x100}});
        SetDir(b, 2, 0x5000, 0x100);
        std::vector<ResEntry> icons;
        for (uint32_t id = 1; id <= count; ++id) icons.push_back({id, nullptr, 0x5000, 4});
        LayOutResources(b, 0x400, {{3, nullptr, icons}});
        LoadBytes(b.data, "many.dll");
        const UserMessages shown = BuildTree();
        ASSERT_EQ(shown.size(), 1u) << count << " images " << ImageCount << " nodes " << TreeNodes.size();
        EXPECT_STREQ(shown[0].Text, "More than 1666 cursors/icons!");
        EXPECT_STREQ(shown[0].Caption, "");
        EXPECT_EQ(ImageCount, 1666);
        EXPECT_GE(FindNode(std::to_string(count).c_str()), 0);  // the node is still there
        EXPECT_EQ(ImageIndexOfId(3, count), count == 1666 ? 1665 : -1);
    }
}

}  // namespace
