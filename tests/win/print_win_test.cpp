// Printing under Wine: the preview opened by the real command, its margins,
// layout and picture, the print properties and footer dialogs opened from
// it, and print jobs on the CUPS PDF printer read back as text.
#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <sstream>

#include "appearance/appearance.h"
#include "document/document.h"
#include "interpret/interp_tree.h"
#include "interpret/listings.h"
#include "interpret/selection.h"
#include "print/footer.h"
#include "print/page_layout.h"
#include "print/print_choices.h"
#include "print/print_settings.h"
#include "print/print_win.h"
#include "resources/resource_ids.h"
#include "view/hex_rows.h"
#include "win_test_support.h"

namespace {

// --- answering the print dialogs with scripts that run inside them ---

using Script = std::function<void(HWND)>;
Script PreviewScript, FormatScript, FooterScript;
Script* PendingScript = nullptr;
HWND PendingDialog = 0;

// The script runs from the dialog's own modal loop, not inside the hook.
void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    Script* script = PendingScript;
    HWND dialog = PendingDialog;
    (*script)(dialog);
    // A script stopped by a failed assertion leaves its dialog open.
    if (IsWindow(dialog) && IsWindowVisible(dialog))
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Dialogs already answered: a dialog is activated again when one that it
// opened closes.
std::set<HWND> Answered;

void AnswerPrintDialogs(HWND dialog) {
    if (!Answered.insert(dialog).second) return;
    const std::string title = WindowText(dialog);
    Script* script = title == "Print Preview"      ? &PreviewScript
                     : title == "Print Properties" ? &FormatScript
                     : title == "Format Footer"    ? &FooterScript
                                                   : nullptr;
    if (!script || !*script) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    PendingScript = script;
    PendingDialog = dialog;
    SetTimer(nullptr, 0, 0, RunPending);
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

// Types into a margin field and leaves it, as the user does.
void TypeMargin(HWND dialog, int id, const char* text) {
    HWND edit = GetDlgItem(dialog, id);
    SetFocus(edit);
    SetWindowTextA(edit, text);
    SetFocus(GetDlgItem(dialog, 103));
}

// Clicks one arrow of an up-down: `second` is the down or the right arrow.
void ClickArrow(HWND dialog, int id, bool second) {
    HWND arrows = GetDlgItem(dialog, id);
    RECT r;
    GetClientRect(arrows, &r);
    const bool horizontal = (GetWindowLongA(arrows, GWL_STYLE) & UDS_HORZ) != 0;
    const int x = horizontal ? (second ? 3 * r.right / 4 : r.right / 4) : r.right / 2;
    const int y = horizontal ? r.bottom / 2 : (second ? 3 * r.bottom / 4 : r.bottom / 4);
    // For a horizontal up-down the right arrow is the second one asked for.
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void SelectChoice(HWND dialog, int id, int index) {
    HWND box = GetDlgItem(dialog, id);
    SendMessageA(box, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

std::string Margin(int32_t value) {
    char text[16];
    FormatMargin(value, text);
    return text;
}

// --- pixels ---

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    bool Dark(int x, int y) const { return (pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) != 0xFFFFFF; }
};

// Copies a w x h block of `source` from (sx, sy) into a 32-bit picture.
Picture Grab(HDC source, int sx, int sy, int w, int h) {
    Picture p;
    p.width = w;
    p.height = h;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    BitBlt(dc, 0, 0, w, h, source, sx, sy, SRCCOPY);
    GdiFlush();
    const uint32_t* px = static_cast<const uint32_t*>(bits);
    p.pixels.assign(px, px + static_cast<size_t>(w) * h);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    return p;
}

// Page 1 drawn at 72 dpi by PrintPages on a picture of its own.
Picture DrawPageOne() {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, PreviewWidth, PreviewHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, PreviewWidth, PreviewHeight, WHITENESS);
    PrintPages(dc, 72, 72, PageWidth, PageHeight, 0, 0, false);
    Picture p = Grab(dc, 0, 0, PreviewWidth, PreviewHeight);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return p;
}

// Runs of columns with ink in rows [top, bottom): the parts of a text line.
std::vector<std::pair<int, int>> InkRuns(const Picture& p, int top, int bottom, int gap) {
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

// The directory where the PDF printer's files and their texts land, as a
// Windows path; empty when the test run has no PDF printer.
std::string PdfDir() {
    const char* dir = std::getenv("ORVEX_PDF_DIR");
    if (!dir || !*dir) return "";
    std::string path = std::string("Z:") + dir;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::set<std::string> PdfTexts() {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((PdfDir() + "\\*.pdf.txt").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}

std::string ReadAll(const std::string& path) {
    std::string bytes;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) bytes.append(buf, got);
    CloseHandle(h);
    return bytes;
}

// The printed job's pages as text, waiting for the file that was not there
// before; `bbox` gets the word boxes.
std::vector<std::string> WaitForPages(const std::set<std::string>& before, std::string* bbox = nullptr) {
    for (int i = 0; i < 600; ++i) {
        for (const std::string& name : PdfTexts()) {
            if (before.count(name)) continue;
            const std::string base = PdfDir() + "\\" + name;
            if (bbox) *bbox = ReadAll(base.substr(0, base.size() - 4) + ".bbox");
            std::vector<std::string> pages;
            std::string text = ReadAll(base);
            size_t start = 0;
            for (size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
                pages.push_back(text.substr(start, ff - start));
            return pages;
        }
        Sleep(100);
    }
    return {};
}

std::vector<std::string> Lines(const std::string& page) {
    std::vector<std::string> lines;
    std::istringstream in(page);
    for (std::string line; std::getline(in, line);) {
        const size_t end = line.find_last_not_of(" \r");
        if (end != std::string::npos) lines.push_back(line.substr(0, end + 1));
    }
    return lines;
}

// Runs of blanks as one blank, no blanks at the ends: pdftotext places words
// by their positions, so the widths of gaps may differ from the row's.
std::string Squeeze(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\xC2' && i + 1 < s.size() && s[i + 1] == '\xAD') {
            c = '-';  // pdftotext reads the hyphen as a soft hyphen
            ++i;
        }
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

class RowText final : public RowSink {
public:
    void Put(const Row& row) override { rows.push_back(Squeeze(std::string(row.text, row.len))); }
    std::vector<std::string> rows;
};

// The first word box of the first page: xMin and yMin in points.
bool FirstWord(const std::string& bbox, double* x, double* y) {
    const size_t at = bbox.find("<word ");
    if (at == std::string::npos) return false;
    return std::sscanf(bbox.c_str() + at, "<word xMin=\"%lf\" yMin=\"%lf\"", x, y) == 2;
}

class Print : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Answered.clear();
        // The printer state a fresh run starts with.
        LogPixelsX = LogPixelsY = 600;
        PageWidth = 850;
        PageHeight = 1100;
        MinLeft = MinTop = MinRight = 25;
        MinBottom = 50;
        LeftMargin = 125;
        TopMargin = 50;
        RightMargin = 75;
        BottomMargin = 60;
        DialogAnswer = AnswerPrintDialogs;
    }
    void TearDown() override {
        PreviewScript = FormatScript = FooterScript = nullptr;
        ShellTest::TearDown();
    }
    void Open(const char* name, const std::string& bytes) {
        const std::string path = TempFile(name, bytes);
        std::strcpy(FileName, path.c_str());
        Command(CM_OPEN_NAMED);
    }
    // Ctrl+P, as the user presses it.
    static void PressCtrlP() {
        SetControl(true);
        Route(GetFocus() ? GetFocus() : wn, WM_KEYDOWN, 'P', 0);
        SetControl(false);
        Pump();
    }
    static std::string TextFile(int lines) {
        std::string text;
        for (int i = 1; i <= lines; ++i)
            text += (i > 1 ? "\r\nLine " : "Line ") + std::to_string(i) + " of the printed file";
        return text;
    }
    static bool HavePrinter() { return !PdfDir().empty(); }
    // The preview measures the system's default printer when it can be
    // opened; otherwise the metrics and margins it starts with stay.
    static bool DefaultPrinterWorks() {
        char name[256] = "";
        GetProfileStringA("windows", "device", "", name, sizeof name);
        if (char* comma = std::strchr(name, ',')) *comma = '\0';
        HDC dc = name[0] ? CreateDCA(nullptr, name, nullptr, nullptr) : nullptr;
        if (dc) DeleteDC(dc);
        return dc != nullptr;
    }
};

TEST_F(Print, PreviewLaysOutAndPaintsPageOne) {
    Open("preview.txt", TextFile(300));
    // A main window smaller than the page: the picture scrolls.
    ShowWindow(wn, SW_RESTORE);
    MoveWindow(wn, 0, 0, 640, 450, TRUE);
    Pump();
    bool ran = false;
    PreviewScript = [&](HWND dlg) {
        ran = true;
        // A4 from the PDF printer with the portrait margins, or the letter
        // page and margins assumed without a printer.
        const bool measured = DefaultPrinterWorks();
        EXPECT_EQ(PreviewHeight, measured ? 841 : 792);
        EXPECT_EQ(ItemText(dlg, 110), measured ? "0.55" : "0.50");
        EXPECT_EQ(ItemText(dlg, 111), measured ? "1.00" : "1.25");
        EXPECT_EQ(ItemText(dlg, 140).rfind("72 dpi:  12x", 0), 0u) << ItemText(dlg, 140);
        EXPECT_EQ(ItemText(dlg, 142), "");
        EXPECT_EQ(SendDlgItemMessageA(dlg, 101, CB_GETCOUNT, 0, 0) > 0, true);
        if (measured && HavePrinter()) {
            char name[64] = "";
            GetDlgItemTextA(dlg, 101, name, sizeof name);
            EXPECT_STREQ(name, "PDF");
        }
        // The page's width: margins and one full line.
        EXPECT_EQ(PreviewWidth, PreviewCharWidth * CharsPerLine + (LeftMargin + RightMargin) * 72 / 100);

        // The dialog spans the main window's height; the area sits at
        // (PreviewX, 2) with a vertical bar beside it.
        RECT main, box, client;
        GetWindowRect(wn, &main);
        GetWindowRect(dlg, &box);
        GetClientRect(dlg, &client);
        EXPECT_EQ(box.top, main.top);
        EXPECT_EQ(box.bottom - box.top, main.bottom - main.top);
        ASSERT_TRUE(hPreviewVBar);
        HWND area = GetDlgItem(dlg, 102);
        RECT a;
        GetWindowRect(area, &a);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&a), 2);
        EXPECT_EQ(a.left, PreviewX);
        EXPECT_EQ(a.top, 2);
        EXPECT_EQ(a.right - a.left, PreviewVisWidth);
        EXPECT_EQ(a.bottom - a.top, PreviewVisHeight);
        EXPECT_LT(PreviewVisHeight, PreviewHeight);
        EXPECT_EQ(PreviewVisHeight + 2 + (hPreviewHBar ? GetSystemMetrics(SM_CYVSCROLL) : 0),
                  client.bottom);

        // The picture is page 1 as PrintPages draws it at 72 dpi.
        UpdateWindow(dlg);
        UpdateWindow(GetDlgItem(dlg, 102));
        ASSERT_TRUE(hPreviewDC);
        const Picture shown = Grab(hPreviewDC, 0, 0, PreviewWidth, PreviewHeight);
        const Picture page = DrawPageOne();
        EXPECT_TRUE(shown.pixels == page.pixels);

        // Text starts at the left margin, the top line at the top margin.
        const int x0 = LeftMargin * 72 / 100, y0 = TopMargin * 72 / 100;
        const auto first = InkRuns(page, y0, y0 + PreviewFontHeight, 2 * PreviewCharWidth);
        ASSERT_FALSE(first.empty());
        EXPECT_NEAR(first[0].first, x0, 2);  // and the first glyph's bearing
        EXPECT_TRUE(InkRuns(page, 0, y0, 1).empty());

        // Footer: left part at the margin, right part ending at the line's
        // end, the centre part in the middle of the room between them.
        const PagePlan plan = PlanPage(72, 72, PageHeight, 0, 0, PreviewFontHeight, true);
        const auto parts = InkRuns(page, plan.footerTop, plan.footerTop + PreviewFontHeight,
                                   3 * PreviewCharWidth);
        ASSERT_EQ(parts.size(), 3u);
        const int lineEnd = x0 + CharsPerLine * PreviewCharWidth;
        EXPECT_NEAR(parts[0].first, x0, 2);
        EXPECT_NEAR(parts[2].second, lineEnd, PreviewCharWidth);
        EXPECT_LE(parts[2].second, lineEnd);
        const int centre = (parts[1].first + parts[1].second) / 2;
        EXPECT_NEAR(centre, (parts[0].second + parts[2].first) / 2, PreviewCharWidth);
        // Nothing between the last text line and the footer but blank rows.
        EXPECT_TRUE(InkRuns(page, plan.footerTop - plan.pitch + 2, plan.footerTop, 1).empty());

        // The area shows the picture; a line down moves it by the screen
        // font's height, a click in the trough does nothing.
        HDC adc = GetDC(area);
        const Picture seen = Grab(adc, 0, 0, PreviewVisWidth, PreviewVisHeight);
        EXPECT_TRUE(seen.pixels == Grab(hPreviewDC, 0, 0, PreviewVisWidth, PreviewVisHeight).pixels);
        SendMessageA(dlg, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(hPreviewVBar));
        EXPECT_EQ(GetScrollPos(hPreviewVBar, SB_CTL), FontHeight);
        SendMessageA(dlg, WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(hPreviewVBar));
        EXPECT_EQ(GetScrollPos(hPreviewVBar, SB_CTL), FontHeight);
        UpdateWindow(area);
        const Picture scrolled = Grab(adc, 0, 0, PreviewVisWidth, PreviewVisHeight);
        EXPECT_TRUE(scrolled.pixels == Grab(hPreviewDC, 0, FontHeight, PreviewVisWidth, PreviewVisHeight).pixels);
        ReleaseDC(area, adc);
        Click(dlg, IDCANCEL);
    };
    PressCtrlP();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(hPreviewDC);  // released on closing
    EXPECT_FALSE(hPreviewVBar);
    EXPECT_FALSE(hPrintFont);
}

TEST_F(Print, MarginsTypedAndSteppedReachTheSettings) {
    Open("margins.txt", TextFile(20));
    int32_t leftAfter = 0, topAfter = 0;
    PreviewScript = [&](HWND dlg) {
        TypeMargin(dlg, 110, "5");
        EXPECT_EQ(ItemText(dlg, 110), "3.33");
        TypeMargin(dlg, 110, ".5");
        EXPECT_EQ(ItemText(dlg, 110), "0.50");
        TypeMargin(dlg, 112, "0.755");
        EXPECT_EQ(ItemText(dlg, 112), "0.76");
        TypeMargin(dlg, 111, "1");
        EXPECT_EQ(ItemText(dlg, 111), "1.00");
        ClickArrow(dlg, 120, false);  // Top, up
        EXPECT_EQ(ItemText(dlg, 110), "0.45");
        ClickArrow(dlg, 121, true);  // Left, right
        EXPECT_EQ(ItemText(dlg, 111), "1.05");
        const int32_t bottom = BottomMargin;
        ClickArrow(dlg, 123, true);  // Bottom, down: 0.05 less
        EXPECT_EQ(ItemText(dlg, 113), Margin(std::max(bottom - 5, MinBottom)));
        ClickArrow(dlg, 122, false);  // Right, left: 0.76 -> 0.81
        EXPECT_EQ(ItemText(dlg, 112), "0.81");
        // Below the unprintable strip: raised to it.
        TypeMargin(dlg, 113, "0");
        EXPECT_EQ(ItemText(dlg, 113), Margin(MinBottom));
        EXPECT_EQ(BottomMargin, MinBottom);

        // The layout follows: the picture's text starts 1.05 inch in.
        UpdateWindow(dlg);
        UpdateWindow(GetDlgItem(dlg, 102));
        const Picture page = Grab(hPreviewDC, 0, 0, PreviewWidth, PreviewHeight);
        const int y0 = TopMargin * 72 / 100;
        const auto first = InkRuns(page, y0, y0 + PreviewFontHeight, 2 * PreviewCharWidth);
        ASSERT_FALSE(first.empty());
        EXPECT_NEAR(first[0].first, 105 * 72 / 100, 2);
        EXPECT_EQ(PreviewWidth, PreviewCharWidth * CharsPerLine + (105 + 81) * 72 / 100);
        leftAfter = LeftMargin;
        topAfter = TopMargin;
        Click(dlg, IDCANCEL);
    };
    PressCtrlP();
    EXPECT_EQ(leftAfter, 105);
    EXPECT_EQ(topAfter, std::max(45, MinTop));

    // Cancel keeps the margins; they are written at exit in the portrait set.
    StopShell();
    const std::vector<uint8_t> stored = ReadSetting("Settings");
    ASSERT_EQ(stored.size(), 92u);
    int32_t portrait[4];
    std::memcpy(portrait, stored.data() + 16, sizeof portrait);
    EXPECT_EQ(portrait[0], 105);
    EXPECT_EQ(portrait[1], std::max(45, MinTop));
    EXPECT_EQ(portrait[2], 81);
    EXPECT_EQ(portrait[3], MinBottom);
}

TEST_F(Print, PropertiesAndFooterFromThePreview) {
    Open("choices.txt", TextFile(40));
    std::vector<std::string> sizes, spacings;
    std::string face, sampleFirst;
    PreviewScript = [&](HWND dlg) {
        FormatScript = [&](HWND format) {
            char text[32];
            const int selected = static_cast<int>(
                SendDlgItemMessageA(format, 160, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
            LVITEMA item{};
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendDlgItemMessageA(format, 160, LVM_GETITEMTEXTA, selected, reinterpret_cast<LPARAM>(&item));
            face = text;
            for (int i = 0; i < 10; ++i) {
                SendDlgItemMessageA(format, 104, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                sizes.push_back(text);
            }
            for (int i = 0; i < 3; ++i) {
                SendDlgItemMessageA(format, 106, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                spacings.push_back(text);
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
        EXPECT_EQ(PrintLineNums, 2);
        EXPECT_EQ(PrintSpacing, 3);
        EXPECT_EQ(PrintBold, 1);
        // Laid out again: the lines of the picture are 1 1/2 font heights apart.
        UpdateWindow(GetDlgItem(dlg, 102));
        const Picture spaced = Grab(hPreviewDC, 0, 0, PreviewWidth, PreviewHeight);
        const int y0 = TopMargin * 72 / 100;
        EXPECT_FALSE(InkRuns(spaced, y0 + 18, y0 + 18 + 9, 1).empty());
        EXPECT_TRUE(InkRuns(spaced, y0 + 13, y0 + 17, 1).empty());

        // Cancel after changes leaves every choice.
        FormatScript = [&](HWND format) {
            SelectChoice(format, 107, 4);
            SelectChoice(format, 104, 0);
            Click(format, 111);
            Click(format, IDCANCEL);
        };
        Click(dlg, 106);
        EXPECT_EQ(PrintLineNums, 2);
        EXPECT_EQ(PrintSize, 4);
        EXPECT_EQ(PrintItalic, 0);

        FooterScript = [&](HWND footer) {
            EXPECT_EQ(ItemText(footer, 124), "%F");
            EXPECT_EQ(ItemText(footer, 125), "%D  %T");
            EXPECT_EQ(ItemText(footer, 126), "Page %p of %n");
            SetDlgItemTextA(footer, 124, "%f");
            SetDlgItemTextA(footer, 126, "");
            Click(footer, 100);  // Set Default
            EXPECT_EQ(ItemText(footer, 124), "%F");
            EXPECT_EQ(ItemText(footer, 126), "Page %p of %n");
            SetDlgItemTextA(footer, 124, "%f");
            SetDlgItemTextA(footer, 125, "%p");
            SetDlgItemTextA(footer, 126, "of %n");
            Click(footer, IDOK);
        };
        Click(dlg, 131);
        EXPECT_STREQ(FooterBlock + 1, "%f\tof %n\t%p");
        FooterScript = [&](HWND footer) {
            SetDlgItemTextA(footer, 124, "changed");
            Click(footer, IDCANCEL);
        };
        Click(dlg, 131);
        EXPECT_STREQ(FooterBlock + 1, "%f\tof %n\t%p");

        // The footer switched off: the picture's footer line is blank.
        UpdateWindow(GetDlgItem(dlg, 102));
        const PagePlan plan = PlanPage(72, 72, PageHeight, 0, 0, PreviewFontHeight, true);
        Picture page = Grab(hPreviewDC, 0, 0, PreviewWidth, PreviewHeight);
        EXPECT_FALSE(InkRuns(page, plan.footerTop, plan.footerTop + PreviewFontHeight, 1).empty());
        Click(dlg, 130);
        EXPECT_EQ(FooterBlock[0], 0);
        UpdateWindow(GetDlgItem(dlg, 102));
        page = Grab(hPreviewDC, 0, 0, PreviewWidth, PreviewHeight);
        EXPECT_TRUE(InkRuns(page, plan.footerTop, plan.footerTop + PreviewFontHeight, 1).empty());
        Click(dlg, IDCANCEL);
    };
    PressCtrlP();
    EXPECT_EQ(face, "Courier New");
    EXPECT_EQ(sizes, (std::vector<std::string>{" 8", " 9", "10", "11", "12", "14", "16", "18", "20", "24"}));
    EXPECT_EQ(spacings, (std::vector<std::string>{"1", "1\xBD", "2"}));

    StopShell();
    const std::vector<uint8_t> settings = ReadSetting("Settings");
    ASSERT_EQ(settings.size(), 92u);
    EXPECT_EQ(settings[83], 1);  // bold
    EXPECT_EQ(settings[85], 4);  // 12 points
    EXPECT_EQ(settings[87], 3);  // spacing 1 1/2
    EXPECT_EQ(settings[88], 2);  // 3 digits
    const std::vector<uint8_t> footer = ReadSetting("Footer");
    EXPECT_EQ(std::string(footer.begin(), footer.end()), std::string("\0%f\tof %n\t%p\0", 13));
}

TEST_F(Print, FormatDialogFromTheMenuStoresOnlyOnOk) {
    FormatScript = [](HWND format) {
        SelectChoice(format, 105, 4);  // 15 cpi
        Click(format, IDOK);
    };
    Command(CM_PRINT_PROPERTIES);
    EXPECT_EQ(PrintCpi, 4);
    FormatScript = nullptr;  // cancelled
    Command(CM_PRINT_PROPERTIES);
    EXPECT_EQ(PrintCpi, 4);
    EXPECT_TRUE(IsWindowEnabled(wn));
}

// With wrapping on, the preview wraps the text at the printed line's width;
// the view wraps it at its own width again at its next paint.
TEST_F(Print, WrappedTextFollowsThePrintedWidthAndBack) {
    Open("wrapped.txt", std::string(40, '\n').insert(0, std::string(1000, 'w')));
    Command(CM_WRAP);
    UpdateWindow(hViewWnd);
    const int32_t screenLines = NumLines, screenCols = ScreenCols;
    int32_t printLines = 0, printCols = 0;
    PreviewScript = [&](HWND dlg) {
        printLines = NumLines;
        printCols = ScreenCols;
        Click(dlg, IDCANCEL);
    };
    PressCtrlP();
    EXPECT_EQ(printCols, CharsPerLine);
    EXPECT_EQ(printLines, 40 + (1000 + printCols - 1) / printCols);
    InvalidateRect(hViewWnd, nullptr, TRUE);
    UpdateWindow(hViewWnd);
    EXPECT_EQ(ScreenCols, screenCols);
    EXPECT_EQ(NumLines, screenLines);
    EXPECT_NE(screenLines, printLines);
}

// A printer that cannot be reached is reported when it is chosen and again
// when Print is pressed; the preview stays open and nothing is printed.
TEST_F(Print, UnreachablePrinterIsReportedAtPrint) {
    Open("nowhere.txt", TextFile(5));
    bool stayed = false;
    std::vector<std::string> atChoice;
    // The error boxes seen (the preview itself is seen again after each).
    auto boxes = [] {
        std::vector<std::string> found;
        for (const std::string& seen : SeenDialogs)
            if (seen.rfind("Print Preview|", 0) != 0) found.push_back(seen);
        return found;
    };
    PreviewScript = [&](HWND dlg) {
        ClearDialogs();
        HWND list = GetDlgItem(dlg, 101);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Nowhere Printer"));
        SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Nowhere"));
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(101, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        EXPECT_STREQ(PrinterName, "Nowhere Printer");
        atChoice = boxes();
        Click(dlg, IDOK);
        stayed = IsWindowVisible(dlg) != 0;
        Click(dlg, IDCANCEL);
    };
    PressCtrlP();
    ASSERT_EQ(atChoice.size(), 1u);
    const std::vector<std::string> all = boxes();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].rfind("Line 1342, Error Code ", 0), 0u) << all[0];
    EXPECT_EQ(all[1].rfind("Line 1342, Error Code ", 0), 0u) << all[1];
    EXPECT_TRUE(stayed);
}

// No default printer: the preview reports it and keeps the metrics it has.
TEST_F(Print, MissingDefaultPrinterIsReported) {
    char device[256] = "";
    GetProfileStringA("windows", "device", "", device, sizeof device);
    WriteProfileStringA("windows", "device", nullptr);
    Open("nodefault.txt", TextFile(5));
    const int32_t height = PageHeight;
    std::string chosen = "unread";
    PreviewScript = [&](HWND dlg) {
        chosen = ItemText(dlg, 101);
        Click(dlg, IDCANCEL);
    };
    ClearDialogs();
    PressCtrlP();
    if (device[0]) WriteProfileStringA("windows", "device", device);
    ASSERT_FALSE(SeenDialogs.empty());
    EXPECT_EQ(SeenDialogs[0].rfind("Line 1342, Error Code ", 0), 0u) << SeenDialogs[0];
    EXPECT_STREQ(PrinterName, "No printers found");
    EXPECT_EQ(PageHeight, height);
    EXPECT_EQ(chosen, HavePrinter() ? "" : "No printers found");
}

// --- print jobs on the PDF printer ---

// Document properties chosen once (here a landscape page) apply at the next
// opening and bring the landscape margins.
TEST_F(Print, LandscapePropertiesLoadTheLandscapeMargins) {
    if (!HavePrinter()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)";
    HANDLE printer = 0;
    ASSERT_TRUE(OpenPrinterA(const_cast<char*>("PDF"), &printer, nullptr));
    const LONG size = DocumentPropertiesA(nullptr, printer, const_cast<char*>("PDF"), nullptr, nullptr, 0);
    ASSERT_GT(size, 0);
    if (hDevMode) GlobalFree(hDevMode);
    hDevMode = GlobalAlloc(GHND, static_cast<SIZE_T>(size));
    DEVMODEA* mode = static_cast<DEVMODEA*>(GlobalLock(hDevMode));
    DocumentPropertiesA(nullptr, printer, const_cast<char*>("PDF"), mode, nullptr, DM_OUT_BUFFER);
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmFields |= DM_ORIENTATION;
    GlobalUnlock(hDevMode);
    ClosePrinter(printer);

    Open("landscape.txt", TextFile(5));
    std::string top, left;
    PreviewScript = [&](HWND dlg) {
        top = ItemText(dlg, 110);
        left = ItemText(dlg, 111);
        Click(dlg, IDCANCEL);
    };
    PressCtrlP();
    EXPECT_GT(PageWidth, PageHeight);
    EXPECT_EQ(top, "1.00");
    EXPECT_EQ(left, Margin(std::max(55, MinLeft)));
    EXPECT_TRUE(hDevMode);  // kept for the next opening
    GlobalFree(hDevMode);
    hDevMode = 0;
}

TEST_F(Print, TextFilePrintsEveryLineNumberedWithItsFooter) {
    if (!HavePrinter()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)";
    Open("printed.txt", TextFile(300));
    PrintLineNums = 4;  // 5 digits
    const std::set<std::string> before = PdfTexts();
    int32_t pages = 0;
    LRESULT progress = 0;
    PreviewScript = [&](HWND dlg) {
        Click(dlg, IDOK);
        pages = PageCount;
        progress = SendDlgItemMessageA(dlg, 141, PBM_GETPOS, 0, 0);
    };
    PressCtrlP();
    std::string bbox;
    const std::vector<std::string> printed = WaitForPages(before, &bbox);
    // A4 with the default margins holds 61 lines of 12 points beside the footer.
    ASSERT_EQ(printed.size(), 5u);
    EXPECT_EQ(pages, 5);
    EXPECT_EQ(progress, 5);  // stepped once per page

    FILETIME ft{static_cast<DWORD>(FileTime), static_cast<DWORD>(FileTime >> 32)};
    SYSTEMTIME st;
    FileTimeToSystemTime(&ft, &st);
    char date[16], time[16];
    FormatFooterDate({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute}, date);
    FormatFooterTime({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute}, time);

    int next = 1;
    for (size_t p = 0; p < printed.size(); ++p) {
        const std::vector<std::string> lines = Lines(printed[p]);
        ASSERT_GE(lines.size(), 2u);
        for (size_t i = 0; i + 1 < lines.size(); ++i, ++next) {
            char expect[64];
            std::snprintf(expect, sizeof expect, "%05d:  Line %d of the printed file", next, next);
            EXPECT_EQ(Squeeze(lines[i]), Squeeze(expect)) << "page " << p + 1;
        }
        EXPECT_EQ(lines.size() - 1, p + 1 < printed.size() ? 61u : 300u - 4 * 61u);
        const std::string footer = Squeeze(lines.back());
        EXPECT_EQ(footer, Squeeze(std::string(FileName) + " " + date + " " + time + " Page " +
                                  std::to_string(p + 1) + " of 5"));
    }
    EXPECT_EQ(next, 301);

    // The first line sits at the margins measured from the paper's edge.
    double x = 0, y = 0;
    ASSERT_TRUE(FirstWord(bbox, &x, &y));
    EXPECT_NEAR(x, LeftMargin * 0.72, 1.0);
    EXPECT_NEAR(y, TopMargin * 0.72, 3.0);
}

TEST_F(Print, HexViewPrintsTheRowsOfTheScreen) {
    if (!HavePrinter()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)";
    std::string bytes;
    for (int i = 0; i < 950; ++i) bytes += static_cast<char>('A' + i % 26);  // 60 rows
    Open("printedhex.bin", bytes);
    Command(CM_VIEW_HEX);
    const std::set<std::string> before = PdfTexts();
    PreviewScript = [&](HWND dlg) {
        EXPECT_EQ(ItemText(dlg, 142), "");
        Click(dlg, IDOK);
    };
    PressCtrlP();
    const std::vector<std::string> printed = WaitForPages(before);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_GE(CharsPerLine, HexRowWidth);
    RowText screen;
    BuildHexRows(100, 16, HexRowWidth, 0, 1, 0, screen);
    std::vector<std::string> lines = Lines(printed[0]);
    ASSERT_EQ(lines.size(), screen.rows.size() + 1);  // and the footer
    for (size_t i = 0; i < screen.rows.size(); ++i) EXPECT_EQ(Squeeze(lines[i]), screen.rows[i]);
}

TEST_F(Print, HexRowsTooWideForTheChosenCpiAreCut) {
    if (!HavePrinter()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)";
    Open("widehex.bin", std::string(100, 'x'));
    Command(CM_VIEW_HEX);
    PrintCpi = 2;  // 10 characters per inch: fewer than 71 fit on A4
    const std::set<std::string> before = PdfTexts();
    PreviewScript = [&](HWND dlg) {
        EXPECT_EQ(ItemText(dlg, 142), "Lines will be truncated.");
        Click(dlg, IDOK);
    };
    PressCtrlP();
    const std::vector<std::string> printed = WaitForPages(before);
    ASSERT_EQ(printed.size(), 1u);
    ASSERT_LT(CharsPerLine, HexRowWidth);
    RowText cut;
    BuildHexRows(100, 16, CharsPerLine, 0, 1, 0, cut);
    const std::vector<std::string> lines = Lines(printed[0]);
    ASSERT_GE(lines.size(), cut.rows.size());
    for (size_t i = 0; i < cut.rows.size(); ++i) EXPECT_EQ(Squeeze(lines[i]), cut.rows[i]);
    EXPECT_EQ(lines[0].find(']'), std::string::npos);
}

TEST_F(Print, UninterpretedFilePrintsOneLine) {
    if (!HavePrinter()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)";
    Open("plain.txt", TextFile(500));
    Checked = _INTERP_;
    ClearInterpTree();
    const std::set<std::string> before = PdfTexts();
    PreviewScript = [](HWND dlg) { Click(dlg, IDOK); };
    Command(CM_PRINT);
    const std::vector<std::string> printed = WaitForPages(before);
    ASSERT_EQ(printed.size(), 1u);
    const std::vector<std::string> lines = Lines(printed[0]);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Cannot interpret this file!");
    EXPECT_NE(lines[1].find("Page 1 of 1"), std::string::npos);
    Checked = ShowMode = _TEXT_;
}

class ListingLines final : public ListingSink {
public:
    void Put(const ListingLine& line) override { lines.push_back(Squeeze(line.Text)); }
    std::vector<std::string> lines;
};

TEST_F(Print, ExportListingPrintsItsLines) {
    if (!HavePrinter()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)";
    char dll[MAX_PATH];
    GetSystemDirectoryA(dll, sizeof dll);
    std::strcat(dll, "\\version.dll");
    std::strcpy(FileName, dll);
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
    ASSERT_GT(listing.lines.size(), 3u);

    const std::set<std::string> before = PdfTexts();
    PreviewScript = [](HWND dlg) { Click(dlg, IDOK); };
    Command(CM_PRINT);
    const std::vector<std::string> printed = WaitForPages(before);
    std::vector<std::string> lines;
    for (const std::string& page : printed) {
        std::vector<std::string> l = Lines(page);
        ASSERT_FALSE(l.empty());
        lines.insert(lines.end(), l.begin(), l.end() - 1);  // without the footer
    }
    ASSERT_EQ(lines.size(), listing.lines.size());
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(Squeeze(lines[i]), listing.lines[i]);
    Checked = ShowMode = _TEXT_;
    ClearInterpTree();
}

}  // namespace
