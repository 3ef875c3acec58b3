// Printing: the preview, its margins, the properties and footer
// dialogs opened from it, and a job on the CUPS PDF printer read back as text.
#include "win_test_support.h"

#include <sstream>

#include "print/page_layout.h"
#include "print/print_win.h"

namespace {

// The items of the "Print Preview", "Print Properties" and "Format Footer" dialogs.
constexpr int DocumentProperties = 103, PropertiesButton = 106, TopEdit = 110, TopArrows = 120,
              FooterCheck = 130, FooterButton = 131, Progress = 141;
constexpr int SizeList = 104, SpacingList = 106, NumbersList = 107, BoldCheck = 110;
constexpr int FooterLeft = 124, FooterCentre = 125, FooterRight = 126, SetDefault = 100;

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

// The squeezed lines of the job whose text was not there `before`, a "<page>"
// line where each page ends.
Texts WaitForJob(const Texts& before) {
    for (int wait = 0; wait < 600; ++wait) {
        Sleep(100);
        for (const std::string& name : PdfTexts()) {
            if (std::count(before.begin(), before.end(), name)) continue;
            std::istringstream text(ReadWholeFile(PdfDir() + "\\" + name));
            Texts lines;
            for (std::string line; std::getline(text, line);) {
                if (!line.empty() && line[0] == '\f') {
                    lines.push_back("<page>");
                    line.erase(0, 1);
                }
                if (!Squeeze(line).empty()) lines.push_back(Squeeze(line));
            }
            while (!lines.empty() && lines.back() == "<page>") lines.pop_back();
            return lines;
        }
    }
    return {};
}

// Opens the preview with Ctrl+P, as the user presses it.
void Preview(const Script& script) {
    Answers["Print Preview"] = script;
    Key('P', true);
}
using Print = ShellTest;

// One preview: its margins, and the properties and footer dialogs.
TEST_F(Print, PreviewDrawsThePageAndItsDialogsSetTheChoices) {
    char device[256] = "";  // the preview lays its page out for the default printer
    if (!GetProfileStringA("windows", "device", "", device, sizeof device))
        GTEST_SKIP() << "no default printer";
    std::string text;
    for (int i = 1; i <= 100; ++i) text += "Line " + std::to_string(i) + " of the file\r\n";
    OpenInView("preview.txt", text);
    bool ran = false;
    Preview([&](HWND dlg) {
        ran = true;
        // A margin typed (and left, as the user does), then stepped down by
        // a click on the up-down's upper arrow.
        HWND top = GetDlgItem(dlg, TopEdit), arrows = GetDlgItem(dlg, TopArrows);
        SetFocus(top);
        SetWindowTextA(top, ".5");
        SetFocus(GetDlgItem(dlg, DocumentProperties));
        EXPECT_EQ(ItemText(dlg, TopEdit), "0.50");
        RECT r;
        GetClientRect(arrows, &r);
        SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 4));
        SendMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom / 4));
        EXPECT_EQ(ItemText(dlg, TopEdit), "0.45");
        EXPECT_EQ(TopMargin, 45);

        // Print properties with 12 points preselected: OK keeps the choices.
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
        Click(dlg, FooterCheck);  // off
        EXPECT_EQ(FooterBlock[0], 0);
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(hPreviewDC);  // released on closing
    EXPECT_FALSE(hPrintFont);
}

// A text of 70 lines on A4 with the default margins: 61 numbered lines of 12
// points a page beside the footer, the rest on page 2.
TEST_F(Print, TextFilePrintsEveryLineNumberedWithItsFooter) {
    if (PdfDir().empty()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)";
    std::string text;
    for (int i = 1; i <= 70; ++i) text += "Line " + std::to_string(i) + (i < 70 ? "\r\n" : "");
    OpenInView("printed.txt", text);
    PrintLineNums = 4;  // 5 digits
    const Texts before = PdfTexts();
    LRESULT progress = 0;  // stepped once per page
    Preview([&](HWND dlg) {
        Click(dlg, IDOK);
        progress = SendDlgItemMessageA(dlg, Progress, PBM_GETPOS, 0, 0);
    });
    const Texts printed = WaitForJob(before);
    EXPECT_EQ(progress, 2);
    FILETIME ft{static_cast<DWORD>(FileTime), static_cast<DWORD>(FileTime >> 32)};
    SYSTEMTIME st;
    FileTimeToSystemTime(&ft, &st);
    char stamp[64];  // the footer's middle, the file's time as "%D  %T"
    std::snprintf(stamp, sizeof stamp, "%02u/%02u/%u%u:%02u%s", st.wMonth, st.wDay, st.wYear,
                  (st.wHour + 11) % 12 + 1, st.wMinute, st.wHour < 12 ? "am" : "pm");
    Texts expected;
    for (int line = 1; line <= 70; ++line) {
        char row[32];
        std::snprintf(row, sizeof row, "%05d:Line%d", line, line);
        expected.push_back(row);
        if (line == 61 || line == 70) {
            const std::string page = line == 61 ? "1" : "2";
            expected.push_back(Squeeze(FileName) + stamp + "Page" + page + "of2");
            expected.push_back("<page>");
        }
    }
    expected.pop_back();
    EXPECT_EQ(printed, expected);
}

}  // namespace
