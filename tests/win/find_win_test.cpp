// The search menu: the find box and the navigation dialogs, shown by commands,
// keys and status bar parts; checked on the mark, the position and the boxes.
#include <cctype>
#include <cstring>

#include "view/nav_dialogs.h"
#include "win_test_support.h"

namespace {

// "none", or the marked bytes as "start..end".
std::string Mark() {
    return MarkState ? std::to_string(MarkStart) + ".." + std::to_string(MarkEnd) : "none";
}

void Search(const std::string& text) {
    SetWindowTextA(hFindCombo, text.c_str());
    Command(CM_FIND);
}
Texts History() {
    Texts out(SendMessageA(hFindCombo, CB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < out.size(); ++i) {
        out[i].resize(SendMessageA(hFindCombo, CB_GETLBTEXTLEN, i, 0));
        SendMessageA(hFindCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&out[i][0]));
    }
    return out;
}

// Runs each step: its text typed in the find box (nullptr: none), then its
// command, or its key in the find box ('F': Ctrl+F); checks the mark, the boxes
// shown and that the text typed stays in the box.
// In interpret mode, each step first selects its section's node, if it names one.
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
        if (s.section) SelectNode(NamedNode(s.section));
        if (s.typed) {
            typed = s.typed;
            SetWindowTextA(hFindCombo, s.typed);
        }
        if (s.command >= CM_EXIT)
            Command(s.command);
        else
            Key(s.command, s.command == 'F', hFindEdit);
        EXPECT_EQ(TakeDialogs(), *s.box ? Texts{s.box} : Texts{});
        EXPECT_EQ(Mark(), s.mark);
        EXPECT_EQ(WindowText(hFindCombo), typed);
    }
}

using Find = ShellTest;
const char* const notFound = "Search String|Not found.";

TEST_F(Find, StepsThroughTheHitsWithTheBoxesShown) {
    const std::vector<FindStep> steps = {
        // Hex: pairs of digits, exact; Find drops the mark before a bad text.
        {nullptr, CM_HEX_SEARCH, "none", ""},
        {"6162", CM_FIND_FORWARD, "4..6", ""},
        {"414", CM_FIND, "none", "Error|Search string is not a valid hex value."},
        {nullptr, CM_HEX_SEARCH, "none", ""},
        // Enter in the find box is find next; Ctrl+F starts again from the
        // top line; reverse starts beside the mark and keeps its direction.
        {"b", CM_FIND, "1..2", ""},
        {nullptr, VK_F3, "5..6", ""},
        {nullptr, VK_RETURN, "5..6", notFound},
        {nullptr, 'F', "1..2", ""},
        {nullptr, VK_F3, "5..6", ""},
        {"b", CM_FIND_REVERSE, "1..2", ""},
        {nullptr, VK_F3, "1..2", notFound},
        {nullptr, CM_EXACT_CASE, "1..2", ""},
        {"a", CM_FIND, "4..5", ""},
        {"", CM_FIND_NEXT, "4..5", "Error|No search string"},
    };
    OpenInView("orvex-find.txt", "ABxxabc");
    RunSteps(steps);
}

// The history is newest first, an entry typed again in another case replaces
// the old one, and it is kept for the next run.
TEST_F(Find, TheHistoryIsKept) {
    OpenInView("orvex-find.txt", "needle");
    Search("needle");
    Key('U', true, wn);  // drops the mark
    Key('S', true, wn);  // shows it
    EXPECT_EQ(TakeDialogs(), Texts{"Error|No marked area"});
    for (int i = 10; i < 32; ++i) Search("s" + std::to_string(i));
    Search("S15");  // full at 21: an older entry typed again moves to the top
    Texts h = History();
    ASSERT_EQ(h.size(), 21u);
    EXPECT_EQ(h[0] + h[1] + h[20], "S15s31s11");
    StopShell();  // stored as "Find", read by the next run
    EXPECT_EQ(ReadSetting("Find").rfind("S15\ts31\ts30\t", 0), 0u);
    StartShell();
    EXPECT_EQ(History(), h);
}

// In interpret mode the search covers the selected table: forward it stops at
// the table's end; it starts at the table's first byte unless the mark lies
// in the table. In fixture64.exe, .idata holds "Fixture" twice and "fixture"
// once (the names of the fixture DLL and its imports); "This" lies before it
// (the DOS stub) and "hello" after it (in .rsrc). Where the linker puts them
// varies, so the hits are found in the file's bytes by a plain scan.
TEST_F(Find, InInterpretModeTheSelectedTableIsSearched) {
    const std::string path = ORVEX_FIXTURE_DIR "\\fixture64.exe";
    std::string folded = ReadWholeFile(path);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // "start..end" of the first case-folded hit of `word` at or after `from`.
    const auto hit = [&folded](const char* word, size_t from) {
        const size_t at = folded.find(word, from);
        return std::to_string(at) + ".." + std::to_string(at + std::strlen(word));
    };
    OpenPath(path, CM_VIEW_INTERP);
    SelectNode(NamedNode(".idata"));
    const size_t first = folded.find("fixture", static_cast<size_t>(ByteOffset));
    const size_t second = folded.find("fixture", first + 1);
    const size_t third = folded.find("fixture", second + 1);
    ASSERT_LT(third + 7, static_cast<size_t>(ByteOffset + NumBytes));
    ASSERT_LT(folded.find("this"), static_cast<size_t>(ByteOffset));
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

void StatusPart(int part) {
    Route(hStatusBar, WM_LBUTTONDOWN, 0, MAKELPARAM(StatusEdges[part - 1] + 5, 5));
}

using NavDialogs = ShellTest;

// Where the view stands and what is marked.
std::string Place() {
    return "line " + std::to_string(LineNum) + " col " + std::to_string(Col) + " byte " +
           std::to_string(ByteNum) + " mark " + Mark();
}

TEST_F(NavDialogs, AnswersMoveThePlaceAndMarkAndConvertShowsTenPlacesOrRefuses) {
    std::string text;
    for (int i = 0; i < 120; ++i) text += "a line of text " + std::to_string(i) + "\r\n";
    OpenInView("orvex-nav.txt", text + "last", CM_VIEW_TEXT);
    // Each: asked for by Ctrl + `key`, `command` or a click on status `part`
    // (in that order, where given); the two fields typed, then OK; the title
    // shown and the place after it.
    const struct {
        int key, command, part;
        const char *first, *second, *title, *place;
    } steps[] = {
        {'G', 0, 0, "99999", "", "Go to Line", "line 121 col 1 byte 0 mark none"},
        {0, 0, 3, "5", "", "Set Column to", "line 121 col 5 byte 0 mark none"},
        // Shown: byte 16 is on line 1, above the top line.
        {0, CM_MARK_BYTES, 0, "16", "31", "Mark Bytes", "line 1 col 5 byte 0 mark 16..32"},
        {0, CM_VIEW_HEX, 3, "123", "", "Go to Byte", "line 1 col 1 byte 291 mark 16..32"},
        // Hex in hex mode; shown from byte (32 - 15) with its low four bits cleared.
        {'M', 0, 0, "20", "2F", "Mark Bytes", "line 1 col 1 byte 16 mark 32..48"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << s.title << " " << s.first);
        Answers[s.title] = [&s](HWND d) {
            SetDlgItemTextA(d, ID_EDIT_FIRST, s.first);
            SetDlgItemTextA(d, ID_EDIT_SECOND, s.second);
            Click(d, IDOK);
        };
        if (s.key) Key(s.key, true, wn);
        if (s.command) Command(s.command);
        if (s.part) StatusPart(s.part);
        EXPECT_EQ(TakeTitles(), s.title);
        EXPECT_EQ(Place(), s.place);
    }

    // Conversion stays open until cancelled: its buttons are pressed on a
    // modeless copy of the dialog, whose output is read back.
    HWND dlg = CreateDialogParamA(hInst, "CONVERT", wn, ConvertDlgProc, 0);
    ASSERT_TRUE(dlg);
    const struct {
        const char* input;
        int button;
        const char *out, *box;
    } cases[] = {{"255", ID_TO_HEX, "        FF", ""},
                 {"FFFFFFFF", ID_TO_DECIMAL, "4294967295", ""},
                 {"123456789", ID_TO_DECIMAL, "", "Sorry|Number is too big for me."},
                 {"", ID_TO_HEX, "", "Error|No input"}};
    for (const auto& c : cases) {
        SetDlgItemTextA(dlg, ID_EDIT_SECOND, "");
        SetDlgItemTextA(dlg, ID_EDIT_FIRST, c.input);
        SeenDialogs.clear();
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
        EXPECT_EQ(ItemText(dlg, ID_EDIT_SECOND), c.out) << c.input;
        EXPECT_EQ(TakeDialogs(), *c.box ? Texts{c.box} : Texts{}) << c.input;
    }
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // Enter does nothing
    EXPECT_TRUE(IsWindow(dlg));
    DestroyWindow(dlg);
}

}  // namespace
