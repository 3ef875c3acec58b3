// The find box in interpret mode, by commands and keys; checked on the mark and
// the boxes shown.
#include <cctype>

#include "win_test_support.h"

namespace {

// "none", or the marked bytes as "start..end".
std::string Mark() {
    return MarkState ? std::to_string(MarkStart) + ".." + std::to_string(MarkEnd) : "none";
}

// Runs each step: its section's node selected, if it names one; its text typed
// in the find box (nullptr: none); its command, or its key in the find box.
// Checks the mark, the boxes shown and that the text typed stays in the box.
struct FindStep {
    const char* typed;
    int command;
    const char *mark, *box;
    const char* section = nullptr;
};
void RunSteps(const std::vector<FindStep>& steps) {
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
        EXPECT_EQ(WindowText(hFindCombo), typed);
    }
}

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
    // "start..end" of the first case-folded hit of `word` at or after `from`.
    const auto hit = [&folded](const char* word, size_t from) {
        const size_t at = folded.find(word, from);
        return std::to_string(at) + ".." + std::to_string(at + std::strlen(word));
    };
    OpenPath(path, CM_VIEW_INTERP);
    SelectNode(Node(".idata"));
    const size_t first = folded.find("fixture", static_cast<size_t>(ByteOffset));
    const size_t second = folded.find("fixture", first + 1);
    const size_t third = folded.find("fixture", second + 1);
    ASSERT_LT(third + 7, static_cast<size_t>(ByteOffset + NumBytes));
    const std::string one = hit("fixture", first), two = hit("fixture", second),
                      last = hit("fixture", third), hello = hit("hello", third);
    const std::vector<FindStep> steps = {
        {"This", CM_FIND, "none", notFound, ".idata"},  // before the table
        {"hello", CM_FIND, "none", notFound},           // after it
        {"fixture", CM_FIND, one.c_str(), ""},
        {nullptr, VK_F3, two.c_str(), ""},
        {nullptr, VK_F3, last.c_str(), ""},
        {nullptr, VK_F3, last.c_str(), notFound},
        // In .rsrc the mark in .idata is not in the table: backward from the
        // table's start, the hit before it, which is told to lie outside.
        {nullptr, CM_FIND_REVERSE, last.c_str(), "Sorry|Marked area is not in this table", ".rsrc"},
        {"hello", CM_FIND_FORWARD, hello.c_str(), ""},
    };
    RunSteps(steps);
}

}  // namespace
