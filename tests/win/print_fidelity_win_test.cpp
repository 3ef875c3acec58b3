// The printout is what the preview shows, on faces the printer scales otherwise
// than asked; the preview's closing, document properties and wrapping.
#include "win_test_support.h"

#include <winspool.h>

#include "print/page_layout.h"
#include "print/print_settings.h"
#include "print/print_win.h"

namespace {

struct Word {
    double xMin, xMax;
    std::string text;
};
using Pdf = std::vector<std::vector<Word>>;  // the words of each page

// The PDF printer's folder as a Windows path; "" when the run has no printer.
std::string PdfDir() {
    const char* dir = std::getenv("ORVEX_PDF_DIR");
    return dir && *dir ? std::string("Z:") + dir + "/" : "";
}
Texts PdfJobs() { return FilesIn(PdfDir() + "*.pdf.bbox"); }

// The words of each page of the first job not in `before`, from its word boxes.
Pdf WaitForJob(const Texts& before) {
    std::string xml;
    for (int wait = 0; wait < 600 && xml.empty(); ++wait) {
        Sleep(100);
        for (const std::string& name : PdfJobs())
            if (!std::count(before.begin(), before.end(), name))
                xml = ReadWholeFile(PdfDir() + name);
    }
    Pdf pdf;
    for (size_t at = 0; (at = xml.find('<', at)) != std::string::npos; ++at) {
        if (xml.compare(at, 6, "<page ") == 0) pdf.emplace_back();
        if (xml.compare(at, 6, "<word ") != 0 || pdf.empty()) continue;
        Word w{};
        std::sscanf(xml.c_str() + at, "<word xMin=\"%lf\" yMin=\"%*f\" xMax=\"%lf\"", &w.xMin,
                    &w.xMax);
        const size_t from = xml.find('>', at) + 1;
        w.text = xml.substr(from, xml.find('<', from) - from);
        pdf.back().push_back(w);
    }
    return pdf;
}

// The rows of the preview's picture with ink, counted as bands (lines).
int InkBands(HWND dlg) {
    InvalidateRect(dlg, nullptr, TRUE);
    UpdateWindow(dlg);
    UpdateWindow(GetDlgItem(dlg, 102));
    int bands = 0;
    for (int y = 0, was = 0; y < PreviewHeight; ++y) {
        bool ink = false;
        for (int x = 0; x < PreviewWidth && !ink; ++x)
            ink = GetPixel(hPreviewDC, x, y) != RGB(255, 255, 255);
        bands += ink && !was;
        was = ink;
    }
    return bands;
}

using PrintFidelity = ShellTest;

// A face the PostScript driver draws at its natural width, wider than the 12 characters an inch
// asked for, printed with Enter in the Left margin field just set to 1.5 inch: every word lies
// between the margins, long lines are cut where the next character would cross, and the preview's
// page 1, page count and the footers' "of n" are the printout's.
TEST_F(PrintFidelity, PrintoutMatchesThePreviewOnAnotherFace) {
    if (PdfDir().empty()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)";
    std::string text;
    for (int i = 1; i <= 150; ++i)
        text += (i > 1 ? "\r\nL" : "L") + std::to_string(1000 + i) + ":" + std::string(200, 'x');
    OpenPath(TempFile("wide.txt", text));
    std::strcpy(FooterBlock + 1, "\tof %n\t");  // right: "of n"
    std::strcpy(PrintFontName, "DejaVu Sans Mono");
    PrintBold = 1;
    PrintSize = 6;  // 16 points
    PrintCpi = 3;   // 12 an inch
    int previewLines = 0, previewPages = 0;
    const Texts old = PdfJobs();
    Answers["Print Preview"] = [&](HWND dlg) {
        previewLines = InkBands(dlg) - 1;  // less the footer
        previewPages = PageCount;
        SetFocus(GetDlgItem(dlg, 111));
        SetDlgItemTextA(dlg, 111, "1.5");
        PostMessageA(GetDlgItem(dlg, 111), WM_KEYDOWN, VK_RETURN, 0);
    };
    Key('P', true);
    const Pdf pdf = WaitForJob(old);
    ASSERT_EQ(int(pdf.size()), previewPages);
    const double right = 595.28 - 0.5 * 72;  // A4 less the right margin of 0.50
    std::string last;
    for (size_t p = 0; p < pdf.size(); ++p)
        for (size_t i = 0; i < pdf[p].size(); ++i) {
            const Word& w = pdf[p][i];
            EXPECT_LE(w.xMax, right + 0.5) << w.text;
            EXPECT_GE(w.xMin, 1.5 * 72 - 0.5) << w.text;
            if (w.text == "of") {
                EXPECT_EQ(pdf[p].at(i + 1).text, std::to_string(pdf.size()));
            }
            if (p == 0 && w.text[0] == 'L') last = w.text.substr(1, 4);
            const double cell = (w.xMax - w.xMin) / double(w.text.size());
            if (w.text.size() > 100) {  // cut where one more character would cross
                EXPECT_GT(w.xMax + cell, right - 0.5) << w.text;
            }
        }
    EXPECT_EQ(last, std::to_string(1000 + previewLines));
}

// Esc with the caret in a margin field closes the preview cleanly: the next
// opening, on a page wider than the small main window, has both scroll bars.
TEST_F(PrintFidelity, ClosingFromAMarginFieldLeavesTheNextPreviewWhole) {
    OpenPath(TempFile("small.txt", "one line"));
    MoveWindow(wn, 0, 0, 420, 260, TRUE);
    Answers["Print Preview"] = [](HWND dlg) {
        SetFocus(GetDlgItem(dlg, 111));
        PostMessageA(GetDlgItem(dlg, 111), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    Key('P', true);
    HWND dialog = 0, vertical = 0, horizontal = 0;  // the bars' parents
    Answers["Print Preview"] = [&](HWND dlg) {
        dialog = dlg;
        vertical = IsWindow(hPreviewVBar) ? GetParent(hPreviewVBar) : 0;
        horizontal = IsWindow(hPreviewHBar) ? GetParent(hPreviewHBar) : 0;
    };
    Key('P', true);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(vertical, dialog);
    EXPECT_EQ(horizontal, dialog);
}

// Document properties apply only to the printer they were made for: a
// landscape block of another printer leaves the default printer upright.
TEST_F(PrintFidelity, DocumentPropertiesStayWithTheirPrinter) {
    char device[256] = "";
    GetProfileStringA("windows", "device", "", device, sizeof device);
    if (char* comma = std::strchr(device, ',')) *comma = '\0';
    HANDLE h = 0;
    if (!OpenPrinterA(device, &h, nullptr)) GTEST_SKIP() << "no default printer";
    const LONG size = DocumentPropertiesA(0, h, device, nullptr, nullptr, 0);
    for (const char* owner : {"Some Other Printer", static_cast<const char*>(device)}) {
        hDevMode = GlobalAlloc(GHND, size_t(std::max(size, 1L)));
        auto* mode = static_cast<DEVMODEA*>(GlobalLock(hDevMode));
        DocumentPropertiesA(0, h, device, mode, nullptr, DM_OUT_BUFFER);
        mode->dmFields |= DM_ORIENTATION;
        mode->dmOrientation = DMORIENT_LANDSCAPE;
        GlobalUnlock(hDevMode);
        std::snprintf(DevModePrinter, sizeof DevModePrinter, "%s", owner);
        Key('P', true);
        EXPECT_EQ(PageWidth > PageHeight, owner == device) << owner;
        GlobalFree(hDevMode);
        hDevMode = 0;
    }
    ClosePrinter(h);
}

// Wrapping at the printed width makes too many lines for text mode: the
// preview says so once, not from its paint, and lays out the hex rows.
TEST_F(PrintFidelity, TooManyWrappedLinesLeaveTextModeBeforeThePreviewIsDrawn) {
    std::string text;
    for (int i = 0; i < 60000; ++i) text += std::string(100, 'w') + "\r\n";  // 2 printed lines each
    OpenPath(TempFile("many.txt", text));
    Command(CM_WRAP);
    PaintView();
    ASSERT_GE(ScreenCols, 100);
    std::string message = "-";
    Answers["Print Preview"] = [&](HWND dlg) {
        InkBands(dlg);  // paints the page
        message = ItemText(dlg, 142);
    };
    Key('P', true);
    EXPECT_EQ(TakeTitles(), "Text mode not available, Print Preview");
    EXPECT_EQ(ShowMode, _HEX_);
    EXPECT_GE(CharsPerLine, 71);
    EXPECT_EQ(message, "");
}

}  // namespace
