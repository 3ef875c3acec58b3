// The find box in interpret mode, by commands and keys.
#include <cctype>

#include "win_test_support.h"

namespace {

// "none", or the marked bytes as "start..end".
std::string Mark() {
    return MarkState ? std::to_string(MarkStart) + ".." + std::to_string(MarkEnd) : "none";
}

// A step: `section` selected if named, `typed` put in the find box if not nullptr,
// then `command` run, or its key pressed in the box.
struct FindStep {
    const char* typed;
    int command;
    std::string mark;
    const char* box;
    const char* section = nullptr;
};

using Find = ShellTest;
const char* const notFound = "Search String|Not found.";

// The search covers the selected table: forward it stops at the table's end;
// it starts at the table's first byte unless the mark lies in the table. In
// fixture64.exe .idata holds "Fixture" twice and "fixture" once (the DLL's and
// imports' names), "This" lies before it (the DOS stub) and "hello" after it
// (in .rsrc); the hits are found in the file's bytes, as the linker places them.
TEST_F(Find, InInterpretModeTheSelectedTableIsSearched) {
    const std::string path = Fixture("fixture64.exe");
    std::string folded = ReadWholeFile(path);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    OpenPath(path, CM_VIEW_INTERP);
    SelectNode(Node(".idata"));
    size_t from = static_cast<size_t>(ByteOffset);
    // "start..end" of the next case-folded hit of `word` from `from`, which moves past it.
    const auto next = [&](const char* word) {
        const size_t at = folded.find(word, from);
        from = at + std::strlen(word);
        return std::to_string(at) + ".." + std::to_string(from);
    };
    const std::string one = next("fixture"), two = next("fixture"), last = next("fixture");
    ASSERT_LT(from, static_cast<size_t>(ByteOffset + NumBytes)) << "the last in the table";
    const std::string hello = next("hello");
    const std::vector<FindStep> steps = {
        {"This", CM_FIND, "none", notFound, ".idata"},  // before the table
        {"fixture", CM_FIND, one, ""},
        {nullptr, VK_F3, two, ""},
        {nullptr, VK_F3, last, ""},
        {nullptr, VK_F3, last, notFound},
        // In .rsrc the mark in .idata is not in the table: backward from the
        // table's start, the hit before it, which is told to lie outside.
        {nullptr, CM_FIND_REVERSE, last, "Sorry|Marked area is not in this table", ".rsrc"},
        {"hello", CM_FIND_FORWARD, hello, ""},
    };
    std::string typed;
    for (size_t i = 0; i < steps.size(); ++i) {
        const FindStep& s = steps[i];
        SCOPED_TRACE(testing::Message() << "step " << i);
        if (s.section) SelectNode(Node(s.section));
        if (s.typed) {
            typed = s.typed;
            SetWindowTextA(hFindCombo, s.typed);
        }
        if (s.command >= CM_EXIT)
            Command(s.command);
        else
            Key(s.command, false, hFindEdit);
        EXPECT_EQ(TakeDialogs(), *s.box ? Texts{s.box} : Texts{});
        EXPECT_EQ(Mark(), s.mark);
        EXPECT_EQ(WindowText(hFindCombo), typed) << "the text typed stays in the box";
    }
}

}  // namespace
