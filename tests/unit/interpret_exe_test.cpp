// The trees of executables: headers, sections and directories, and resource directories that
// would be read without end.
#include <gtest/gtest.h>

#include "interpret_test_files.h"

namespace {

using ReadTree = InterpTest;

// .text at RVA 0x1000 / file 0x400, .data at RVA 0x3000 / file 0x800; a
// resource section at RVA 0x5000 / file 0x400 of `size` bytes.
Bytes TwoSections() {
    return MakePe({{".text", 0x1000, 0x400, 0x400}, {".data", 0x3000, 0x800, 0x400}});
}
Bytes ResourceSection(uint32_t size) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, size}});
    return SetDir(b, 2, 0x5000, 0x100);
}

std::string Fields(const TreeNode& n) {
    return "section " + std::to_string(n.Section) + " kind " + std::to_string(n.Kind) + " ref " +
           std::to_string(n.Ref) + (n.HasChildren ? " children" : "") +
           (n.Expanded ? " expanded" : "");
}

TEST_F(ReadTree, HeadersSectionsAndDirectories) {
    // {what, offset, u16 written there}; "only MZ" cuts the file after MZ
    const struct Bad {
        const char* what;
        size_t at;
        uint16_t value;
    } bad[] = {{"no MZ", 0, 'Z'},
               {"no PE", PeAt + 1, 'X'},
               {"no sections", PeAt + 6, 0},
               {"only MZ", 2, 0}};
    for (const Bad& x : bad) {
        SCOPED_TRACE(x.what);
        Bytes b = TwoSections();
        b.U16(x.at, x.value);
        if (x.at == 2) b.data.resize(2);
        Open(b);
        EXPECT_EQ(TreeText(), "a.dll\n");
        EXPECT_EQ(InterpKind, InterpNone);
    }
    Bytes cut = TwoSections();  // a section count far beyond the file: only whole headers are read
    cut.U16(PeAt + 6, 0x7FFF).data.resize(SectionAt(3) + 20);
    Open(cut);
    EXPECT_EQ(SectionBias.size(), 3u);
    // Sections and directories are sorted by address (the section table lists .data first) and
    // shown in the address mode; a directory hangs under the section with the greatest address not
    // above its RVA, the first of equal ones, or under the root below every section but one at 0.
    Bytes b = MakePe({{".data", 0x3000, 0x800, 0x400}, {".text", 0x1000, 0x400, 0x400}});
    SetDir(SetDir(SetDir(b, 5, 0x3100, 0x10), 12, 0x3010, 0x10), 6, 0x1200,
           0x10);  // Relocations, IAT, Debug
    Open(b, "a.dll", AddrRva);
    EXPECT_EQ(TreeText(),
              "a.dll\n  00001000: .text\n    00001200: Debug\n"
              "  00003000: .data\n    00003010: IAT\n    00003100: Relocations\n");
    Open(b);
    // .data is the first section header (at 0x138): its address field 12 bytes in.
    EXPECT_EQ(Fields(NodeOf("00000800: .data")), "section 0 kind 0 ref 324 children expanded");
    // Directory 12 (IAT): kind 16 + 12, its entry at 0xB8 + 8 * 12.
    EXPECT_EQ(Fields(NodeOf("00000810: IAT")), "section 0 kind 28 ref 280");
    Bytes c = MakePe({{"zero", 0, 0x200, 0x200},
                      {"first", 0x2000, 0x400, 0x100},
                      {"twin", 0x2000, 0x500, 0x100},
                      {"last", 0x4000, 0x600, 0x100}});
    Open(SetDir(SetDir(SetDir(c, 3, 0x2050, 0), 4, 0x9000, 0), 11, 0x150, 0));
    EXPECT_EQ(
        TreeText(),
        "a.dll\n  00000150: Bound Imports\n  00000200: zero\n  00000400: first\n"
        "    00000450: Exceptions\n  00000500: twin\n  00000600: last\n    00005600: Security\n");
    EXPECT_EQ(NodeOf("00000150: Bound Imports").Section, NoSection);
    EXPECT_EQ(ContainingSection(0x80001000u), NoSection);
}

TEST_F(ReadTree, ResourceDirectoriesThatLoopOrOverlapAreReadOnce) {
    // Directories that loop, are shared or overlap are read once. 2001 types: the first owns a name
    // directory at 0x6000, the second points at the type directory itself, all others share the
    // first one's.
    Bytes b = ResourceSection(0x8000);
    b.U16(0x400 + 14, 2001);
    for (uint32_t t = 0; t < 2001; ++t)
        b.U32(0x410 + 8 * t, t ? 7 : 6).U32(0x414 + 8 * t, t == 1 ? 1u << 31 : 0x80006000u);
    b.U16(0x640E, 1).U32(0x6410, 1).U32(0x6414, 0x80006020u).U16(0x642E, 1).U32(0x6434, 0x6040);
    b.U32(0x6440, 0x5000).U32(0x6444, 4).Grow(0x6450);
    Open(b);
    EXPECT_EQ(TreeText(FindNode("00000400: Resources")), "00000400: Resources\n  STRING\n    1\n");
    // 500 types whose name directories start 8 bytes apart, each of 500 entries: naively 250000
    // nodes from 9 KB.
    Bytes o = ResourceSection(0x2000);
    o.U16(0x400 + 14, 500);
    for (uint32_t t = 0; t < 500; ++t)
        o.U32(0x410 + 8 * t, 3).U32(0x414 + 8 * t, 0x80001000u + 8 * t);
    for (uint32_t e = 0; e < 520; ++e)
        o.U16(0x140E + 8 * e, 500).U32(0x1410 + 8 * e, e).U32(0x1414 + 8 * e, 0x100);
    o.U32(0x514, 0x200).U32(0x600, 0x5000).U32(0x604, 4);  // language and data entries
    Open(o);
    EXPECT_LE(TreeNodes.size(), o.data.size() / 8);
    EXPECT_GE(FindNode("ICON"), 0);
}

}  // namespace
