// Printing under Wine: the preview opened by the real command, its margins,
// layout and picture, the print properties and footer dialogs opened from
// it, and print jobs on the CUPS PDF printer read back as text.
#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "appearance/appearance.h"
#include "document/document.h"
#include "interpret/interp_tree.h"
#include "interpret/listings.h"
#include "interpret/selection.h"
#include "print/page_layout.h"
#include "print/print_win.h"
#include "resources/resource_ids.h"
#include "view/hex_rows.h"
#include "win_test_support.h"

namespace {

// --- the print dialogs, answered by scripts that run inside them ---

using Script = std::function<void(HWND)>;
std::map<std::string, Script> Scripts;  // by the dialog's title; none: cancelled
std::set<HWND> Answered;  // a dialog is activated again when one it opened closes
HWND Pending = 0;

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Cancel(HWND dialog) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }
std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

// The script runs from the dialog's own modal loop, not inside the hook; a
// dialog left open (by a failed assertion, say) is cancelled.
void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND dialog = Pending;
    // Activated while its initialisation still runs (and pumps messages):
    // answer it once it is shown.
    if (IsWindow(dialog) && !IsWindowVisible(dialog)) {
        SetTimer(nullptr, 0, 20, RunPending);
        return;
    }
    const Script script = Scripts[WindowText(dialog)];
    script(dialog);
    if (IsWindow(dialog) && IsWindowVisible(dialog)) Cancel(dialog);
}

void AnswerPrintDialogs(HWND dialog) {
    if (!Answered.insert(dialog).second) return;
    if (!Scripts[WindowText(dialog)]) return Cancel(dialog);
    Pending = dialog;
    SetTimer(nullptr, 0, 0, RunPending);
}

// Types into a margin field and leaves it, as the user does.
void TypeMargin(HWND dialog, int id, const char* text) {
    SetFocus(GetDlgItem(dialog, id));
    SetWindowTextA(GetDlgItem(dialog, id), text);
    SetFocus(GetDlgItem(dialog, 103));
}

// Clicks one arrow of an up-down: `second` is the down or the right arrow.
void ClickArrow(HWND dialog, int id, bool second) {
    HWND arrows = GetDlgItem(dialog, id);
    RECT r;
    GetClientRect(arrows, &r);
    const bool horizontal = (GetWindowLongA(arrows, GWL_STYLE) & UDS_HORZ) != 0;
    const int x = horizontal ? (second ? 3 : 1) * r.right / 4 : r.right / 2;
    const int y = horizontal ? r.bottom / 2 : (second ? 3 : 1) * r.bottom / 4;
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void SelectChoice(HWND dialog, int id, int index) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// --- pixels ---

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    bool Dark(int x, int y) const { return (pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) != 0xFFFFFF; }
};

// Copies a w x h block of `source` from (sx, sy) into a 32-bit picture.
Picture Grab(HDC source, int sx, int sy, int w, int h) {
    return Picture{w, h, GrabPixels(source, sx, sy, w, h)};
}

// The preview's whole page as it stands now.
Picture PreviewPage(HWND dlg) {
    UpdateWindow(dlg);
    UpdateWindow(GetDlgItem(dlg, 102));
    return Grab(hPreviewDC, 0, 0, PreviewWidth, PreviewHeight);
}

// Runs of columns with ink in rows [top, bottom): the parts of a text line.
std::vector<std::pair<int, int>> InkRuns(const Picture& p, int top, int bottom, int gap = 1) {
    std::vector<std::pair<int, int>> runs;
    int blank = gap;
    for (int x = 0; x < p.width; ++x) {
        bool ink = false;
        for (int y = std::max(top, 0); y < std::min(bottom, p.height) && !ink; ++y) ink = p.Dark(x, y);
        if (!ink) {
            ++blank;
            continue;
        }
        if (blank >= gap) runs.push_back({x, x + 1});
        runs.back().second = x + 1;
        blank = 0;
    }
    return runs;
}

// --- the PDF printer ---

// Where the PDF printer's files and their texts land, as a Windows path;
// empty when the test run has no PDF printer.
std::string PdfDir() {
    const char* dir = std::getenv("ORVEX_PDF_DIR");
    std::string path = dir && *dir ? std::string("Z:") + dir : "";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::set<std::string> PdfTexts() {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((PdfDir() + "\\*.pdf.txt").c_str(), &found);
    for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &found)) names.insert(found.cFileName);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    return names;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// Runs of blanks as one blank, no blanks at the ends: pdftotext places words
// by their positions, so the widths of gaps may differ from the row's.
std::string Squeeze(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\xC2' && i + 1 < s.size() && s[i + 1] == '\xAD') c = '-', ++i;  // read as a soft hyphen
        if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

using Pages = std::vector<std::vector<std::string>>;  // the squeezed lines of each page

// The pages of the job whose text was not there `before`; `bbox` gets the
// word boxes.
Pages WaitForPages(const std::set<std::string>& before, std::string* bbox) {
    for (int i = 0; i < 600; ++i, Sleep(100)) {
        for (const std::string& name : PdfTexts()) {
            if (before.count(name)) continue;
            const std::string base = PdfDir() + "\\" + name;
            *bbox = ReadAll(base.substr(0, base.size() - 4) + ".bbox");
            std::istringstream text(ReadAll(base));
            Pages pages;
            for (std::string page; std::getline(text, page, '\f');) {
                std::istringstream in(page);
                pages.emplace_back();
                for (std::string line; std::getline(in, line);)
                    if (!Squeeze(line).empty()) pages.back().push_back(Squeeze(line));
                if (pages.back().empty()) pages.pop_back();
            }
            return pages;
        }
    }
    return {};
}

struct RowText final : RowSink {
    void Put(const Row& row) override { rows.push_back(Squeeze(std::string(row.text, row.len))); }
    std::vector<std::string> rows;
};

struct ListingLines final : ListingSink {
    void Put(const ListingLine& line) override { rows.push_back(Squeeze(line.Text)); }
    std::vector<std::string> rows;
};

#define NEED_PRINTER() \
    if (PdfDir().empty()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)"

class Print : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Answered.clear();
        // The printer state a fresh run starts with.
        LogPixelsX = LogPixelsY = 600;
        PageWidth = 850, PageHeight = 1100;
        MinLeft = MinTop = MinRight = 25, MinBottom = 50;
        LeftMargin = 125, TopMargin = 50, RightMargin = 75, BottomMargin = 60;
        DialogAnswer = AnswerPrintDialogs;
    }
    void TearDown() override {
        Scripts.clear();
        ShellTest::TearDown();
    }
    void Open(const char* name, const std::string& bytes) {
        std::strcpy(FileName, TempFile(name, bytes).c_str());
        Command(CM_OPEN_NAMED);
    }
    static std::string TextFile(int lines) {
        std::string text;
        for (int i = 1; i <= lines; ++i)
            text += (i > 1 ? "\r\nLine " : "Line ") + std::to_string(i) + " of the printed file";
        return text;
    }
    // Opens the preview with Ctrl+P, as the user presses it, or with `command`.
    static void Preview(const Script& script, int command = 0) {
        Scripts["Print Preview"] = script;
        Answered.clear();
        if (command) return Command(command);
        SetControl(true);
        Route(GetFocus() ? GetFocus() : wn, WM_KEYDOWN, 'P', 0);
        SetControl(false);
        Pump();
    }
    // Prints from the preview, which `then` sees after; the pages printed.
    Pages PrintJob(const Script& then = nullptr, int command = 0) {
        const std::set<std::string> before = PdfTexts();
        Preview([&](HWND dlg) {
            Click(dlg, IDOK);
            if (then) then(dlg);
        }, command);
        return WaitForPages(before, &bbox);
    }
    // The preview measures the system's default printer when it can be
    // opened; otherwise the metrics and margins it starts with stay.
    static bool DefaultPrinterWorks() {
        char name[256] = "";
        GetProfileStringA("windows", "device", "", name, sizeof name);
        if (char* comma = std::strchr(name, ',')) *comma = '\0';
        HDC dc = name[0] ? CreateDCA(nullptr, name, nullptr, nullptr) : nullptr;
        return dc && DeleteDC(dc);
    }
    std::string bbox;
};

// One preview: its layout, picture and scrolling; the margins typed and
// stepped; the print properties and the footer opened from it; then the
// properties from the menu, and the choices written at exit.
TEST_F(Print, PreviewItsDialogsAndTheSettingsTheyLeave) {
    Open("preview.txt", TextFile(300));
    ShowWindow(wn, SW_RESTORE);
    MoveWindow(wn, 0, 0, 640, 450, TRUE);  // smaller than the page: the picture scrolls
    Pump();
    // A4 from the PDF printer with the portrait margins and no strips, or
    // the letter page, margins and strips assumed without a printer.
    const bool measured = DefaultPrinterWorks();
    std::vector<std::string> lists;  // the face, the sizes and the spacings offered
    bool ran = false;
    Preview([&](HWND dlg) {
        ran = true;
        EXPECT_EQ(PreviewHeight, measured ? 841 : 792);
        EXPECT_EQ(ItemText(dlg, 110) + " " + ItemText(dlg, 111), measured ? "0.55 1.00" : "0.50 1.25");
        EXPECT_EQ(ItemText(dlg, 140).rfind("72 dpi:  12x", 0), 0u) << ItemText(dlg, 140);
        EXPECT_EQ(ItemText(dlg, 142), "");
        EXPECT_GT(SendDlgItemMessageA(dlg, 101, CB_GETCOUNT, 0, 0), 0);
        if (measured && !PdfDir().empty()) { EXPECT_EQ(ItemText(dlg, 101), "PDF"); }
        EXPECT_EQ(PreviewWidth, PreviewCharWidth * CharsPerLine + (measured ? 108 : 144));  // and the margins

        // The dialog spans the main window's height; the area sits at
        // (PreviewX, 2) with a vertical bar beside it.
        RECT main, box, client, a;
        GetWindowRect(wn, &main);
        GetWindowRect(dlg, &box);
        GetClientRect(dlg, &client);
        EXPECT_EQ(box.top, main.top);
        EXPECT_EQ(box.bottom - box.top, main.bottom - main.top);
        ASSERT_TRUE(hPreviewVBar);
        HWND area = GetDlgItem(dlg, 102);
        GetWindowRect(area, &a);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&a), 2);
        EXPECT_EQ((std::vector<LONG>{a.left, a.top, a.right - a.left, a.bottom - a.top}),
                  (std::vector<LONG>{PreviewX, 2, PreviewVisWidth, PreviewVisHeight}));
        EXPECT_LT(PreviewVisHeight, PreviewHeight);
        EXPECT_EQ(PreviewVisHeight + 2 + (hPreviewHBar ? GetSystemMetrics(SM_CYVSCROLL) : 0), client.bottom);

        // The picture is page 1 as PrintPages draws it at 72 dpi elsewhere.
        const Picture page = PreviewPage(dlg);
        HDC dc = CreateCompatibleDC(hPreviewDC);
        HGDIOBJ old = SelectObject(dc, CreateCompatibleBitmap(hPreviewDC, PreviewWidth, PreviewHeight));
        PatBlt(dc, 0, 0, PreviewWidth, PreviewHeight, WHITENESS);
        PrintPages(dc, 72, 72, PageWidth, PageHeight, 0, 0, false);
        EXPECT_TRUE(Grab(dc, 0, 0, PreviewWidth, PreviewHeight).pixels == page.pixels);
        DeleteObject(SelectObject(dc, old));
        DeleteDC(dc);
        // Text starts at the left margin (give or take the first glyph's
        // bearing), the top line at the top margin.
        const int x0 = measured ? 72 : 90, y0 = measured ? 39 : 36;
        auto runs = InkRuns(page, y0, y0 + PreviewFontHeight, 2 * PreviewCharWidth);
        ASSERT_FALSE(runs.empty());
        EXPECT_NEAR(runs[0].first, x0, 2);
        EXPECT_TRUE(InkRuns(page, 0, y0).empty());
        // Footer: left part at the margin, right part ending at the line's
        // end, the centre part in the middle of the room between them, and
        // nothing between it and the last text line.
        const PagePlan plan = PlanPage(72, 72, PageHeight, 0, 0, PreviewFontHeight, true);
        runs = InkRuns(page, plan.footerTop, plan.footerTop + PreviewFontHeight, 3 * PreviewCharWidth);
        ASSERT_EQ(runs.size(), 3u);
        const int lineEnd = x0 + CharsPerLine * PreviewCharWidth;
        EXPECT_NEAR(runs[0].first, x0, 2);
        EXPECT_NEAR(runs[2].second, lineEnd, PreviewCharWidth);
        EXPECT_LE(runs[2].second, lineEnd);
        EXPECT_NEAR((runs[1].first + runs[1].second) / 2, (runs[0].second + runs[2].first) / 2, PreviewCharWidth);
        EXPECT_TRUE(InkRuns(page, plan.footerTop - plan.pitch + 2, plan.footerTop).empty());

        // The area shows the picture; a line down moves it by the screen
        // font's height, a click in the trough does nothing.
        HDC adc = GetDC(area);
        EXPECT_TRUE(Grab(adc, 0, 0, PreviewVisWidth, PreviewVisHeight).pixels ==
                    Grab(hPreviewDC, 0, 0, PreviewVisWidth, PreviewVisHeight).pixels);
        SendMessageA(dlg, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(hPreviewVBar));
        EXPECT_EQ(GetScrollPos(hPreviewVBar, SB_CTL), FontHeight);
        SendMessageA(dlg, WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(hPreviewVBar));
        EXPECT_EQ(GetScrollPos(hPreviewVBar, SB_CTL), FontHeight);
        UpdateWindow(area);
        EXPECT_TRUE(Grab(adc, 0, 0, PreviewVisWidth, PreviewVisHeight).pixels ==
                    Grab(hPreviewDC, 0, FontHeight, PreviewVisWidth, PreviewVisHeight).pixels);
        ReleaseDC(area, adc);

        // Margins typed, stepped by the arrows, limited to 3.33 and raised
        // to the strip.
        const struct { int field, arrow; const char* typed; bool second; const char* shown; } edits[] = {
            {110, 0, "5", false, "3.33"},      {110, 0, ".5", false, "0.50"},  {112, 0, "0.755", false, "0.76"},
            {111, 0, "1", false, "1.00"},      {110, 120, nullptr, false, "0.45"},  // Top, up
            {111, 121, nullptr, true, "1.05"},  // Left, right
            {113, 123, nullptr, true, measured ? "0.50" : "0.55"},  // Bottom, down: 0.05 less
            {112, 122, nullptr, false, "0.81"},  // Right, left
            {113, 0, "0", false, measured ? "0.00" : "0.50"},
        };
        for (const auto& e : edits) {
            if (e.typed) TypeMargin(dlg, e.field, e.typed);
            else ClickArrow(dlg, e.arrow, e.second);
            EXPECT_EQ(ItemText(dlg, e.field), e.shown) << e.field << " " << (e.typed ? e.typed : "arrow");
        }
        EXPECT_EQ((std::vector<int32_t>{LeftMargin, TopMargin, RightMargin, BottomMargin}),
                  (std::vector<int32_t>{105, 45, 81, measured ? 0 : 50}));
        // The layout follows: the text starts 1.05 inch in, 0.45 inch down.
        runs = InkRuns(PreviewPage(dlg), 32, 32 + PreviewFontHeight, 2 * PreviewCharWidth);
        ASSERT_FALSE(runs.empty());
        EXPECT_NEAR(runs[0].first, 75, 2);
        EXPECT_EQ(PreviewWidth, PreviewCharWidth * CharsPerLine + 133);

        Scripts["Print Properties"] = [&](HWND format) {
            char text[32];
            LVITEMA item{};
            item.pszText = text;
            item.cchTextMax = sizeof text;
            const WPARAM selected = SendDlgItemMessageA(format, 160, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED);
            SendDlgItemMessageA(format, 160, LVM_GETITEMTEXTA, selected, reinterpret_cast<LPARAM>(&item));
            lists.push_back(text);
            for (const auto& [id, count] : {std::pair{104, 10}, std::pair{106, 3}})
                for (int i = 0; i < count; ++i) {
                    SendDlgItemMessageA(format, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                    lists.push_back(text);
                }
            EXPECT_EQ(SendDlgItemMessageA(format, 104, CB_GETCURSEL, 0, 0), 4);
            EXPECT_EQ(SendDlgItemMessageA(format, 105, CB_GETCURSEL, 0, 0), 0);
            SelectChoice(format, 107, 2);  // 3 digits
            SelectChoice(format, 106, 1);  // 1 1/2
            Click(format, 110);            // bold
            Click(format, IDOK);
        };
        Click(dlg, 106);
        EXPECT_FALSE(IsWindowEnabled(wn));  // still under the preview
        EXPECT_EQ((std::vector<int>{PrintLineNums, PrintSpacing, PrintBold}), (std::vector<int>{2, 3, 1}));
        // Laid out again: the lines of the picture are 1 1/2 font heights apart.
        const Picture spaced = PreviewPage(dlg);
        EXPECT_FALSE(InkRuns(spaced, 32 + 18, 32 + 18 + 9).empty());
        EXPECT_TRUE(InkRuns(spaced, 32 + 13, 32 + 17).empty());
        // Cancel after changes leaves every choice.
        Scripts["Print Properties"] = [&](HWND format) {
            SelectChoice(format, 107, 4);
            SelectChoice(format, 104, 0);
            Click(format, 111);
            Click(format, IDCANCEL);
        };
        Click(dlg, 106);
        EXPECT_EQ((std::vector<int>{PrintLineNums, PrintSize, PrintItalic}), (std::vector<int>{2, 4, 0}));

        Scripts["Format Footer"] = [&](HWND footer) {
            EXPECT_EQ(ItemText(footer, 124) + "|" + ItemText(footer, 125) + "|" + ItemText(footer, 126),
                      "%F|%D  %T|Page %p of %n");
            SetDlgItemTextA(footer, 124, "%f");
            SetDlgItemTextA(footer, 126, "");
            Click(footer, 100);  // Set Default
            EXPECT_EQ(ItemText(footer, 124) + "|" + ItemText(footer, 126), "%F|Page %p of %n");
            SetDlgItemTextA(footer, 124, "%f");
            SetDlgItemTextA(footer, 125, "%p");
            SetDlgItemTextA(footer, 126, "of %n");
            Click(footer, IDOK);
        };
        Click(dlg, 131);
        EXPECT_STREQ(FooterBlock + 1, "%f\tof %n\t%p");
        Scripts["Format Footer"] = [&](HWND footer) {
            SetDlgItemTextA(footer, 124, "changed");
            Click(footer, IDCANCEL);
        };
        Click(dlg, 131);
        EXPECT_STREQ(FooterBlock + 1, "%f\tof %n\t%p");
        // The footer switched off: the picture's footer line is blank.
        const PagePlan spacedPlan = PlanPage(72, 72, PageHeight, 0, 0, PreviewFontHeight, true);
        const int footerTop = spacedPlan.footerTop, footerEnd = footerTop + PreviewFontHeight;
        EXPECT_FALSE(InkRuns(PreviewPage(dlg), footerTop, footerEnd).empty());
        Click(dlg, 130);
        EXPECT_EQ(FooterBlock[0], 0);
        EXPECT_TRUE(InkRuns(PreviewPage(dlg), footerTop, footerEnd).empty());
        Click(dlg, IDCANCEL);
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(hPreviewDC);  // released on closing
    EXPECT_FALSE(hPreviewVBar);
    EXPECT_FALSE(hPrintFont);
    EXPECT_EQ(lists, (std::vector<std::string>{"Courier New", " 8", " 9", "10", "11", "12", "14", "16", "18",
                                               "20", "24", "1", "1\xBD", "2"}));

    // From the menu, with no preview: OK stores the choice, Cancel does not.
    Scripts["Print Properties"] = [](HWND format) {
        SelectChoice(format, 105, 4);  // 15 cpi
        Click(format, IDOK);
    };
    Command(CM_PRINT_PROPERTIES);
    Scripts["Print Properties"] = nullptr;
    Answered.clear();
    Command(CM_PRINT_PROPERTIES);
    EXPECT_EQ(PrintCpi, 4);
    EXPECT_TRUE(IsWindowEnabled(wn));

    // Cancel kept the margins; they are written at exit in the portrait set
    // with bold, 12 points, 15 cpi, spacing 1 1/2, 3 digits and the footer.
    StopShell();
    const std::vector<uint8_t> settings = ReadSetting("Settings");
    ASSERT_EQ(settings.size(), 92u);
    int32_t portrait[4];
    std::memcpy(portrait, settings.data() + 16, sizeof portrait);
    EXPECT_EQ(std::vector<int32_t>(portrait, portrait + 4), (std::vector<int32_t>{105, 45, 81, measured ? 0 : 50}));
    EXPECT_EQ(std::vector<int>(settings.begin() + 83, settings.begin() + 89), (std::vector<int>{1, 0, 4, 4, 3, 2}));
    const std::vector<uint8_t> footer = ReadSetting("Footer");
    EXPECT_EQ(std::string(footer.begin(), footer.end()), std::string("\0%f\tof %n\t%p\0", 13));
}

// With wrapping on, the preview wraps the text at the printed line's width;
// the view wraps it at its own width again at its next paint.
TEST_F(Print, WrappedTextFollowsThePrintedWidthAndBack) {
    Open("wrapped.txt", std::string(1000, 'w') + std::string(40, '\n'));
    Command(CM_WRAP);
    UpdateWindow(hViewWnd);
    const int32_t screenLines = NumLines, screenCols = ScreenCols;
    int32_t printLines = 0, printCols = 0;
    Preview([&](HWND dlg) {
        // The view may repaint (and wrap to its own width) while the preview
        // is open; the preview's next picture wraps to the printed width again.
        UpdateWindow(hViewWnd);
        InvalidateRect(dlg, nullptr, TRUE);
        PreviewPage(dlg);
        printLines = NumLines, printCols = ScreenCols;
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(printCols, CharsPerLine);
    EXPECT_EQ(printLines, 40 + (1000 + printCols - 1) / printCols);
    InvalidateRect(hViewWnd, nullptr, TRUE);
    UpdateWindow(hViewWnd);
    EXPECT_EQ(ScreenCols, screenCols);
    EXPECT_EQ(NumLines, screenLines);
    EXPECT_NE(screenLines, printLines);
}

// No default printer: the preview reports it and keeps the metrics it has.
// A printer that cannot be reached is reported when it is chosen and again
// when Print is pressed; the preview stays open and nothing is printed.
TEST_F(Print, MissingAndUnreachablePrintersAreReported) {
    Open("nowhere.txt", TextFile(5));
    // The error boxes seen (the preview itself is seen again after each).
    auto boxes = [] {
        std::vector<std::string> found;
        for (const std::string& seen : SeenDialogs)
            if (seen.rfind("Print Preview|", 0) != 0) found.push_back(seen.substr(0, 22));
        return found;
    };
    const std::vector<std::string> oneBox = {"Line 1342, Error Code "}, twoBoxes(2, oneBox[0]);
    char device[256] = "";
    GetProfileStringA("windows", "device", "", device, sizeof device);
    WriteProfileStringA("windows", "device", nullptr);
    const int32_t height = PageHeight;
    std::string chosen = "unread";
    ClearDialogs();
    Preview([&](HWND dlg) { chosen = ItemText(dlg, 101); });
    if (device[0]) WriteProfileStringA("windows", "device", device);
    EXPECT_EQ(boxes(), oneBox);
    EXPECT_STREQ(PrinterName, "No printers found");
    EXPECT_EQ(PageHeight, height);
    EXPECT_EQ(chosen, PdfDir().empty() ? "No printers found" : "");

    bool stayed = false;
    std::vector<std::string> atChoice;
    Preview([&](HWND dlg) {
        ClearDialogs();
        HWND list = GetDlgItem(dlg, 101);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Nowhere Printer"));
        SendMessageA(list, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("Nowhere"));
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(101, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        EXPECT_STREQ(PrinterName, "Nowhere Printer");
        atChoice = boxes();
        Click(dlg, IDOK);
        stayed = IsWindowVisible(dlg) != 0;
    });
    EXPECT_EQ(atChoice, oneBox);
    EXPECT_EQ(boxes(), twoBoxes);
    EXPECT_TRUE(stayed);
}

// --- print jobs on the PDF printer ---

// Document properties chosen once (here a landscape page) apply at the next
// opening and bring the landscape margins.
TEST_F(Print, LandscapePropertiesLoadTheLandscapeMargins) {
    NEED_PRINTER();
    HANDLE printer = 0;
    char name[] = "PDF";
    ASSERT_TRUE(OpenPrinterA(name, &printer, nullptr));
    const LONG size = DocumentPropertiesA(nullptr, printer, name, nullptr, nullptr, 0);
    ASSERT_GT(size, 0);
    if (hDevMode) GlobalFree(hDevMode);
    hDevMode = GlobalAlloc(GHND, static_cast<SIZE_T>(size));
    DEVMODEA* mode = static_cast<DEVMODEA*>(GlobalLock(hDevMode));
    DocumentPropertiesA(nullptr, printer, name, mode, nullptr, DM_OUT_BUFFER);
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmFields |= DM_ORIENTATION;
    GlobalUnlock(hDevMode);
    ClosePrinter(printer);

    Open("landscape.txt", TextFile(5));
    std::string margins;
    Preview([&](HWND dlg) { margins = ItemText(dlg, 110) + " " + ItemText(dlg, 111); });
    EXPECT_GT(PageWidth, PageHeight);
    EXPECT_EQ(margins, "1.00 0.55");
    EXPECT_TRUE(hDevMode);  // kept for the next opening
    GlobalFree(hDevMode);
    hDevMode = 0;
}

TEST_F(Print, TextFilePrintsEveryLineNumberedWithItsFooter) {
    NEED_PRINTER();
    Open("printed.txt", TextFile(300));
    PrintLineNums = 4;  // 5 digits
    int32_t pages = 0;
    LRESULT progress = 0;
    const Pages printed = PrintJob([&](HWND dlg) {
        pages = PageCount;
        progress = SendDlgItemMessageA(dlg, 141, PBM_GETPOS, 0, 0);
    });
    // A4 with the default margins holds 61 lines of 12 points beside the footer.
    ASSERT_EQ(printed.size(), 5u);
    EXPECT_EQ(pages, 5);
    EXPECT_EQ(progress, 5);  // stepped once per page

    FILETIME ft{static_cast<DWORD>(FileTime), static_cast<DWORD>(FileTime >> 32)};
    SYSTEMTIME st;
    FileTimeToSystemTime(&ft, &st);
    char date[16], time[16];
    std::snprintf(date, sizeof date, "%02u/%02u/%u", st.wMonth, st.wDay, st.wYear);
    std::snprintf(time, sizeof time, "%u:%02u %s", (st.wHour + 11) % 12 + 1, st.wMinute, st.wHour < 12 ? "am" : "pm");
    int next = 1;
    for (size_t p = 0; p < printed.size(); ++p) {
        const std::vector<std::string>& lines = printed[p];
        ASSERT_EQ(lines.size(), p < 4 ? 62u : 57u) << "page " << p + 1;  // and the footer
        for (size_t i = 0; i + 1 < lines.size(); ++i, ++next) {
            char expect[64];
            std::snprintf(expect, sizeof expect, "%05d: Line %d of the printed file", next, next);
            EXPECT_EQ(lines[i], expect);
        }
        EXPECT_EQ(lines.back(), Squeeze(std::string(FileName) + " " + date + " " + time + " Page " +
                                        std::to_string(p + 1) + " of 5"));
    }
    EXPECT_EQ(next, 301);

    // The first line sits at the margins measured from the paper's edge:
    // 1.00 and 0.55 inch.
    double x = 0, y = 0;
    const size_t at = bbox.find("<word ");
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(std::sscanf(bbox.c_str() + at, "<word xMin=\"%lf\" yMin=\"%lf\"", &x, &y), 2);
    EXPECT_NEAR(x, 72, 1.0);
    EXPECT_NEAR(y, 39.6, 3.0);
}

// Hex rows print as the screen shows them; rows too wide for the chosen
// characters per inch are cut.
TEST_F(Print, HexViewPrintsTheRowsOfTheScreenCutToTheLine) {
    NEED_PRINTER();
    std::string bytes;
    for (int i = 0; i < 950; ++i) bytes += static_cast<char>('A' + i % 26);  // 60 rows
    Open("printedhex.bin", bytes);
    Command(CM_VIEW_HEX);
    for (uint8_t cpi : {0, 2}) {  // 10 characters per inch: fewer than 71 fit on A4
        SCOPED_TRACE(int(cpi));
        PrintCpi = cpi;
        const Pages printed = PrintJob([&](HWND dlg) {
            EXPECT_EQ(ItemText(dlg, 142), cpi ? "Lines will be truncated." : "");
        });
        ASSERT_EQ(printed.size(), 1u);
        EXPECT_EQ(CharsPerLine >= HexRowWidth, cpi == 0);
        RowText screen;
        BuildHexRows(100, 16, std::min(CharsPerLine, HexRowWidth), 0, 1, 0, screen);
        ASSERT_EQ(printed[0].size(), screen.rows.size() + 1);  // and the footer
        EXPECT_EQ(std::vector<std::string>(printed[0].begin(), printed[0].end() - 1), screen.rows);
        EXPECT_EQ(printed[0][0].find(']') == std::string::npos, cpi != 0);
    }
}

// An uninterpreted file prints its one line; a listing prints its lines.
TEST_F(Print, InterpretedViewsPrintTheirLines) {
    NEED_PRINTER();
    Open("plain.txt", TextFile(500));
    Checked = _INTERP_;
    ClearInterpTree();
    Pages printed = PrintJob(nullptr, CM_PRINT);
    ASSERT_EQ(printed.size(), 1u);
    ASSERT_EQ(printed[0].size(), 2u);
    EXPECT_EQ(printed[0][0], "Cannot interpret this file!");
    EXPECT_NE(printed[0][1].find("Page 1 of 1"), std::string::npos);

    Checked = ShowMode = _TEXT_;
    char dll[MAX_PATH];
    GetSystemDirectoryA(dll, sizeof dll);
    std::strcpy(FileName, (std::string(dll) + "\\version.dll").c_str());
    Command(CM_OPEN_NAMED);
    // The tree's selection of "Exports", made through the selection itself.
    Checked = _INTERP_;
    UserMessages shown;
    BuildInterpTree(shown);
    ASSERT_EQ(InterpKind, InterpExe);
    int32_t exports = -1;
    for (size_t i = 0; i < TreeNodes.size(); ++i)
        if ((TreeNodes[i].Kind & 0xFF) == KindExports) exports = static_cast<int32_t>(i);
    ASSERT_GE(exports, 0);
    SelectNode(exports, shown);
    ASSERT_EQ(SelKind, 16);
    ListingLines listing;
    ListExportLines(1, NumLines, listing);
    ASSERT_GT(listing.rows.size(), 3u);
    printed = PrintJob(nullptr, CM_PRINT);
    std::vector<std::string> lines;
    for (const std::vector<std::string>& page : printed) {
        ASSERT_FALSE(page.empty());
        lines.insert(lines.end(), page.begin(), page.end() - 1);  // without the footer
    }
    EXPECT_EQ(lines, listing.rows);
    Checked = ShowMode = _TEXT_;
    ClearInterpTree();
}

}  // namespace
