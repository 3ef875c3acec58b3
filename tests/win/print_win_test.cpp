// Printing: the preview, its picture and margins, the properties and footer
// dialogs opened from it, and jobs on the CUPS PDF printer read back as text.
#include "win_test_support.h"

#include <climits>
#include <sstream>

#include "print/page_layout.h"
#include "print/print_win.h"

namespace {

// The items of the "Print Preview", "Print Properties" and "Format Footer" dialogs.
constexpr int PrinterList = 101, PreviewArea = 102, DocumentProperties = 103,
              PropertiesButton = 106, TopEdit = 110, LeftEdit = 111, RightEdit = 112,
              TopArrows = 120, RightArrows = 122, FooterCheck = 130, FooterButton = 131,
              Progress = 141, MessageText = 142;
constexpr int SizeList = 104, SpacingList = 106, NumbersList = 107, BoldCheck = 110;
constexpr int FooterLeft = 124, FooterCentre = 125, FooterRight = 126, SetDefault = 100;

// The preview's picture of page 1 now, and the box holding its ink.
using Picture = std::vector<uint32_t>;
Picture PageNow(HWND dlg) {
    UpdateWindow(dlg);
    UpdateWindow(GetDlgItem(dlg, PreviewArea));
    return GrabPixels(hPreviewDC, 0, 0, PreviewWidth, PreviewHeight);
}
struct Ink {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;  // right, bottom: the last
};
Ink InkOf(const Picture& p) {
    Ink ink;
    for (int y = 0; y < PreviewHeight; ++y)
        for (int x = 0; x < PreviewWidth; ++x)
            if ((p[static_cast<size_t>(y * PreviewWidth + x)] & 0xFFFFFF) != 0xFFFFFF) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

// The PDF printer's folder as a Windows path; empty when the run has no printer.
std::string PdfDir() {
    const char* dir = std::getenv("ORVEX_PDF_DIR");
    std::string path = dir && *dir ? std::string("Z:") + dir : "";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
Texts PdfTexts() { return FilesIn(PdfDir() + "\\*.pdf.txt"); }

// A line without its blanks, as pdftotext places words by their positions
// and the widths of gaps may differ from the row's; '-' read as a soft hyphen.
std::string Squeeze(std::string s) {
    for (size_t at; (at = s.find("\xC2\xAD")) != std::string::npos;) s.replace(at, 2, "-");
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

using Pages = std::vector<Texts>;  // the squeezed lines of each page
// The pages of the job whose text was not there `before`.
Pages WaitForPages(const Texts& before) {
    for (int wait = 0; wait < 600; ++wait) {
        Sleep(100);
        for (const std::string& name : PdfTexts()) {
            if (std::count(before.begin(), before.end(), name)) continue;
            const std::string base = PdfDir() + "\\" + name;
            std::istringstream text(ReadWholeFile(base));
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

#define NEED_PRINTER() \
    if (PdfDir().empty()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)"
// The preview lays its page out for the system's default printer.
bool HasDefaultPrinter() {
    char device[256] = "";
    return GetProfileStringA("windows", "device", "", device, sizeof device) > 0;
}
#define NEED_DEFAULT_PRINTER() \
    if (!HasDefaultPrinter()) GTEST_SKIP() << "no default printer"

std::string TextFile(int lines) {
    std::string text = "Line 1 of the printed file";
    for (int i = 2; i <= lines; ++i)
        text += "\r\nLine " + std::to_string(i) + " of the printed file";
    return text;
}
// Opens the preview with Ctrl+P, as the user presses it.
void Preview(const Script& script) {
    Answers["Print Preview"] = script;
    Key('P', true);
}
// Prints from the preview, which `then` sees after; the pages printed.
Pages PrintJob(const Script& then) {
    const Texts before = PdfTexts();
    Preview([&](HWND dlg) {
        Click(dlg, IDOK);
        then(dlg);
    });
    return WaitForPages(before);
}
// The boxes seen that tell a printer could not be used.
int PrinterBoxes() {
    int n = 0;
    for (const std::string& seen : SeenDialogs) n += seen.rfind("Line 1342, Error Code ", 0) == 0;
    return n;
}
using Print = ShellTest;

// One preview: its picture, margins, and the properties and footer dialogs.
TEST_F(Print, PreviewDrawsThePagesAndItsDialogsSetTheChoices) {
    NEED_DEFAULT_PRINTER();
    OpenInView("preview.txt", TextFile(300));
    bool ran = false;
    Preview([&](HWND dlg) {
        ran = true;
        // The preview is 72 pixels an inch. The default margins, left 1.00 and
        // top, right and bottom 0.55, 0.50, 0.55 inch: 72, 39.6, 36, 39.6 pixels;
        // a glyph's ink may start a few pixels inside its cell.
        const Picture page = PageNow(dlg);
        const Ink ink = InkOf(page);
        EXPECT_NEAR(ink.left, 72, 2);
        EXPECT_GE(ink.top, 39);
        EXPECT_LE(ink.top, 39 + 4);
        EXPECT_LT(ink.right, PreviewWidth - 36);
        EXPECT_LT(ink.bottom, PreviewHeight - 39);
        EXPECT_GT(ink.bottom, PreviewHeight - 39 - 24) << "the footer on the last line";

        // Margins typed (and left, as the user does), limited to 3.33, and
        // stepped by the arrows of the up-downs.
        const struct {
            int field, arrow;
            const char* typed;
            const char* shown;
        } edits[] = {
            {TopEdit, 0, "5", "3.33"},
            {TopEdit, 0, ".5", "0.50"},
            {RightEdit, 0, "0.755", "0.76"},
            {LeftEdit, 0, "1", "1.00"},
            {TopEdit, TopArrows, nullptr, "0.45"},
            {RightEdit, RightArrows, nullptr, "0.81"},
        };
        for (const auto& e : edits) {
            HWND field = GetDlgItem(dlg, e.field), arrows = GetDlgItem(dlg, e.arrow);
            if (e.typed) {
                SetFocus(field);
                SetWindowTextA(field, e.typed);
                SetFocus(GetDlgItem(dlg, DocumentProperties));
            } else {  // a click on the up (vertical) or left (horizontal) arrow
                RECT r;
                GetClientRect(arrows, &r);
                SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON,
                             MAKELPARAM(r.right / 4, r.bottom / 4));
                SendMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 4, r.bottom / 4));
            }
            EXPECT_EQ(ItemText(dlg, e.field), e.shown)
                << e.field << " " << (e.typed ? e.typed : "arrow");
        }
        EXPECT_EQ(TopMargin, 45);
        EXPECT_EQ(RightMargin, 81);
        const Picture moved = PageNow(dlg);
        EXPECT_GE(InkOf(moved).top, 32) << "0.45 inch: 32.4 pixels";
        EXPECT_LE(InkOf(moved).top, 32 + 4);

        // Print properties with 12 points preselected: OK keeps the choices
        // and lays the page out again.
        Answers["Print Properties"] = [](HWND format) {
            EXPECT_EQ(SendDlgItemMessageA(format, SizeList, CB_GETCURSEL, 0, 0), 4);
            SelectChoice(format, NumbersList, 2);  // 3 digits
            SelectChoice(format, SpacingList, 1);  // 1 1/2
            Click(format, BoldCheck);
            Click(format, IDOK);
        };
        Click(dlg, PropertiesButton);
        EXPECT_FALSE(IsWindowEnabled(wn));  // still under the preview
        EXPECT_EQ(PrintLineNums, 2);
        EXPECT_EQ(PrintSpacing, 3);
        EXPECT_EQ(PrintBold, 1);
        EXPECT_NE(PageNow(dlg), moved);
        // The footer's parts as stored, Set Default, then OK.
        Answers["Format Footer"] = [](HWND footer) {
            EXPECT_EQ(ItemText(footer, FooterLeft) + "|" + ItemText(footer, FooterCentre) + "|" +
                          ItemText(footer, FooterRight),
                      "%F|%D  %T|Page %p of %n");
            SetDlgItemTextA(footer, FooterLeft, "%f");
            Click(footer, SetDefault);
            EXPECT_EQ(ItemText(footer, FooterLeft), "%F");
            SetDlgItemTextA(footer, FooterCentre, "%p");
            SetDlgItemTextA(footer, FooterRight, "of %n");
            Click(footer, IDOK);
        };
        Click(dlg, FooterButton);
        EXPECT_STREQ(FooterBlock + 1, "%F\tof %n\t%p");
        // The footer switched off: the page's ink ends above the footer's line.
        const int bottom = InkOf(PageNow(dlg)).bottom;
        Click(dlg, FooterCheck);
        EXPECT_EQ(FooterBlock[0], 0);
        EXPECT_LT(InkOf(PageNow(dlg)).bottom, bottom);
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(hPreviewDC);  // released on closing
    EXPECT_FALSE(hPrintFont);
}

// With wrapping on, the preview wraps the text at the printed line's width;
// the view wraps it at its own width again at its next paint.
TEST_F(Print, WrappedTextFollowsThePrintedWidthAndBackAndMissingPrinterIsReported) {
    NEED_DEFAULT_PRINTER();
    OpenInView("wrapped.txt", std::string(1000, 'w') + std::string(40, '\n'));
    Command(CM_WRAP);
    PaintView();
    const int32_t screenCols = ScreenCols, screenLines = NumLines;
    int32_t printLines = 0, printCols = 0;
    Preview([&](HWND dlg) {
        // The view may rewrap to its own width while the preview is open;
        // the preview's next picture wraps to the printed width again.
        UpdateWindow(hViewWnd);
        InvalidateRect(dlg, nullptr, TRUE);
        PageNow(dlg);
        printLines = NumLines;
        printCols = ScreenCols;
    });
    // 1000 characters wrapped at the printed line's width, then 40 empty lines.
    EXPECT_EQ(printCols, CharsPerLine);
    EXPECT_EQ(printLines, (1000 + printCols - 1) / printCols + 40);
    PaintView();
    EXPECT_EQ(ScreenCols, screenCols);
    EXPECT_EQ(NumLines, screenLines);

    // A printer that cannot be reached: reported when chosen and again at
    // Print, which leaves the preview open.
    OpenInView("nowhere.txt", TextFile(5));
    bool stayed = false;
    Preview([&](HWND dlg) {
        SelectChoice(
            dlg, PrinterList,
            int(SendDlgItemMessageA(dlg, PrinterList, CB_ADDSTRING, 0, LPARAM("Nowhere Printer"))));
        EXPECT_STREQ(PrinterName, "Nowhere Printer");
        EXPECT_EQ(PrinterBoxes(), 1);
        Click(dlg, IDOK);
        stayed = IsWindowVisible(dlg) != 0;
    });
    EXPECT_EQ(PrinterBoxes(), 2);
    EXPECT_TRUE(stayed);
}

// A text on A4 with the default margins: 61 numbered lines of 12 points a
// page beside the footer.
TEST_F(Print, TextFilePrintsEveryLineNumberedWithItsFooter) {
    NEED_PRINTER();
    OpenInView("printed.txt", TextFile(300));
    PrintLineNums = 4;     // 5 digits
    LRESULT progress = 0;  // stepped once per page
    const Pages printed = PrintJob(
        [&](HWND dlg) { progress = SendDlgItemMessageA(dlg, Progress, PBM_GETPOS, 0, 0); });
    ASSERT_EQ(printed.size(), 5u);
    EXPECT_EQ(progress, 5);
    FILETIME ft{static_cast<DWORD>(FileTime), static_cast<DWORD>(FileTime >> 32)};
    SYSTEMTIME st;
    FileTimeToSystemTime(&ft, &st);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, " %02u/%02u/%u %u:%02u %s Page ", st.wMonth, st.wDay,
                  st.wYear, (st.wHour + 11) % 12 + 1, st.wMinute, st.wHour < 12 ? "am" : "pm");
    for (size_t p = 0; p < printed.size(); ++p) {
        ASSERT_EQ(printed[p].size(), p < 4 ? 62u : 57u) << "page " << p + 1;
        for (size_t i = 0; i + 1 < printed[p].size(); ++i) {
            const int line = static_cast<int>(61 * p + i + 1);
            char expect[64];
            std::snprintf(expect, sizeof expect, "%05d: Line %d of the printed file", line, line);
            EXPECT_EQ(printed[p][i], Squeeze(expect));
        }
        EXPECT_EQ(printed[p].back(), Squeeze(FileName + (stamp + std::to_string(p + 1)) + " of 5"));
    }
}

// Hex rows of 71 characters: at the default pitch the font is narrowed to
// fit them; at 10 characters an inch only 67 fit, which the preview says.
TEST_F(Print, HexRowsTooWideForThePitchAreSaidToBeCut) {
    NEED_DEFAULT_PRINTER();
    OpenInView("printedhex.bin", std::string(950, 'h'), CM_VIEW_HEX);
    for (const auto& [cpi, message] :
         {std::pair<uint8_t, const char*>{0, ""}, {2, "Lines will be truncated."}}) {
        SCOPED_TRACE(int(cpi));
        PrintCpi = cpi;
        std::string shown = "<no preview>";
        Preview([&](HWND dlg) { shown = ItemText(dlg, MessageText); });
        EXPECT_EQ(shown, message);
    }
}

// Interpret mode prints what the view shows: a message, a listing's lines.
TEST_F(Print, InterpretedViewsPrintTheirLines) {
    NEED_PRINTER();
    OpenInView("plain.txt", TextFile(50), CM_VIEW_INTERP);
    Pages printed = PrintJob([](HWND) {});
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].front(), Squeeze("Cannot interpret this file!"));
    // The export listing of fixture64.dll as objdump -p reads the DLL: the
    // names in the name table's order, each with its index in the address
    // table and its RVA; then the footer.
    OpenPath(ORVEX_FIXTURE_DIR "\\fixture64.dll", CM_VIEW_INTERP);
    SelectNode(NamedNode("Exports"));
    ASSERT_EQ(SelKind, KindExports);
    printed = PrintJob([](HWND) {});
    ASSERT_EQ(printed.size(), 1u);
    printed[0].pop_back();
    EXPECT_EQ(printed[0], (Texts{
                              "OrdinalRVAName",
                              std::string(7 + 10 + 8, '-'),
                              "0x00050x00001037AaaFirst",
                              "0x00000x00001025FixtureAdd",
                              "0x00010x00001029FixtureName",
                          }));
}

}  // namespace
