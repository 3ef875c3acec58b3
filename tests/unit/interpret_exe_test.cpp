// The trees of executables: headers, sections and directories.
#include <gtest/gtest.h>

#include "interpret_test_files.h"

namespace {

using ReadTree = InterpTest;

// .text at RVA 0x1000 / file 0x400, .data at RVA 0x3000 / file 0x800.
Bytes TwoSections() {
    return MakePe({{".text", 0x1000, 0x400, 0x400}, {".data", 0x3000, 0x800, 0x400}});
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
    // A directory hangs under the section with the greatest address not above its RVA, the first
    // of equal ones, or under the root below every section but one at 0.
    Bytes b = MakePe({{".data", 0x3000, 0x800, 0x400}, {".text", 0x1000, 0x400, 0x400}});
    Open(SetDir(b, 12, 0x3010, 0x10));  // IAT
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
    EXPECT_EQ(CompareNodeText("Start", "START"), 0);  // names sort whatever their case
}

}  // namespace
