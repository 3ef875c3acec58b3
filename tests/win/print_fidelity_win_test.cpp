// The printout and the preview agree: on faces and widths the printer makes
// differently from what was asked, on page breaks, and through the preview's
// closing, Enter in a margin field and document properties. The PDF printer's
// pages are read back as word boxes (pdftotext -bbox).
#include "win_test_support.h"

#include <winspool.h>

#include "print/page_layout.h"
#include "print/print_settings.h"
#include "print/print_win.h"

namespace {

struct Word {
    double xMin, yMin, xMax, yMax;
    std::string text;
};
struct PdfPage {
    double width = 0, height = 0;  // points
    std::vector<Word> words;
};
using Pdf = std::vector<PdfPage>;

std::string PdfFolder() {
    const char* dir = std::getenv("ORVEX_PDF_DIR");
    std::string path = dir && *dir ? std::string("Z:") + dir : "";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
#define NEED_PDF_PRINTER() \
    if (PdfFolder().empty()) GTEST_SKIP() << "no PDF printer (scripts/printer-env.sh)"

Pdf ParseBbox(const std::string& xml) {
    Pdf pdf;
    for (size_t at = 0; (at = xml.find('<', at)) != std::string::npos; ++at) {
        if (xml.compare(at, 6, "<page ") == 0) {
            pdf.emplace_back();
            std::sscanf(xml.c_str() + at, "<page width=\"%lf\" height=\"%lf\"", &pdf.back().width,
                        &pdf.back().height);
        } else if (xml.compare(at, 6, "<word ") == 0 && !pdf.empty()) {
            Word w;
            std::sscanf(xml.c_str() + at,
                        "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &w.xMin,
                        &w.yMin, &w.xMax, &w.yMax);
            const size_t from = xml.find('>', at) + 1;
            w.text = xml.substr(from, xml.find('<', from) - from);
            pdf.back().words.push_back(w);
        }
    }
    return pdf;
}

// Runs `before` in the preview, then presses Print unless `before` has had
// it pressed, and reads the job's pages back.
Pdf PrintAndRead(const Script& before, bool pressPrint = true) {
    const Texts old = FilesIn(PdfFolder() + "\\*.pdf.txt");
    Answers["Print Preview"] = [&](HWND dlg) {
        before(dlg);
        if (pressPrint) Click(dlg, IDOK);
    };
    Key('P', true);
    for (int i = 0; i < 600; ++i, Sleep(100))
        for (const std::string& name : FilesIn(PdfFolder() + "\\*.pdf.txt"))
            if (!std::count(old.begin(), old.end(), name)) {
                const std::string base = PdfFolder() + "\\" + name;
                return ParseBbox(ReadWholeFile(base.substr(0, base.size() - 4) + ".bbox"));
            }
    return {};
}

// The lines of a page, top to bottom, as the words that share a baseline.
Texts Lines(const PdfPage& page) {
    std::vector<Word> words = page.words;
    std::stable_sort(words.begin(), words.end(),
                     [](const Word& a, const Word& b) { return a.yMax < b.yMax - 1; });
    Texts lines;
    double y = -100;
    for (const Word& w : words) {
        if (w.yMax > y + 1) lines.emplace_back(), y = w.yMax;
        lines.back() += (lines.back().empty() ? "" : " ") + w.text;
    }
    return lines;
}

// The preview's picture now, as the area's paint leaves it.
std::vector<uint32_t> PreviewPicture(HWND dlg) {
    InvalidateRect(dlg, nullptr, TRUE);
    UpdateWindow(dlg);
    UpdateWindow(GetDlgItem(dlg, 102));
    return GrabPixels(hPreviewDC, 0, 0, PreviewWidth, PreviewHeight);
}
bool Ink(uint32_t pixel) { return (pixel & 0xFFFFFF) != 0xFFFFFF; }
// The rightmost column with ink, and the bands of rows with ink (lines of text).
int RightmostInk(const std::vector<uint32_t>& p) {
    int right = -1;
    for (int y = 0; y < PreviewHeight; ++y)
        for (int x = right + 1; x < PreviewWidth; ++x)
            if (Ink(p[size_t(y) * PreviewWidth + x])) right = x;
    return right;
}
int InkBands(const std::vector<uint32_t>& p) {
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < PreviewHeight; ++y) {
        bool ink = false;
        for (int x = 0; x < PreviewWidth && !ink; ++x) ink = Ink(p[size_t(y) * PreviewWidth + x]);
        bands += ink && !inBand;
        inBand = ink;
    }
    return bands;
}

using PrintFidelity = ShellTest;

// Faces and widths that the printer scales otherwise than asked: every word
// of every page stays left of the right margin, each long line is cut where
// the next character would cross it, and the preview's ink keeps inside its
// own right margin too.
TEST_F(PrintFidelity, LinesStopAtTheRightMarginOnAnyFaceAndWidth) {
    NEED_PDF_PRINTER();
    std::string text;
    for (int i = 1; i <= 30; ++i) {
        char head[16];
        std::snprintf(head, sizeof head, "%sL%02d:", i > 1 ? "\r\n" : "", i);
        text += head + std::string(250, char('a' + i % 26));
    }
    OpenInView("wide.txt", text);
    const struct Case {
        const char* face;
        uint8_t bold, size, cpi;  // indexes: size 16, 12, 24, 10 points; cpi 12, 12, default, 20
    } cases[] = {
        {"DejaVu Sans Mono", 1, 6, 3},
        {"Liberation Mono", 0, 4, 3},
        {"DejaVu Sans Mono", 0, 9, 0},
        {"Liberation Mono", 1, 2, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + (c.bold ? " bold" : "") + " size " +
                     std::to_string(c.size) + " cpi " + std::to_string(c.cpi));
        std::snprintf(PrintFontName, sizeof PrintFontName, "%s", c.face);
        PrintBold = c.bold, PrintSize = c.size, PrintCpi = c.cpi;
        int previewRight = 0, previewMargin = 0;
        std::string message;
        const Pdf pdf = PrintAndRead([&](HWND dlg) {
            previewRight = RightmostInk(PreviewPicture(dlg));
            previewMargin = PreviewWidth - RightMargin * 72 / 100;
            message = ItemText(dlg, 142);
        });
        ASSERT_FALSE(pdf.empty());
        EXPECT_EQ(message, "Lines will be truncated.");
        EXPECT_LE(previewRight, previewMargin);
        const double margin = pdf[0].width - RightMargin * 0.72;
        for (const PdfPage& page : pdf)
            for (const Word& w : page.words) EXPECT_LE(w.xMax, margin + 0.5) << w.text;
        // Line 2: "L02:" and 250 letters, cut; one more character would cross.
        const auto second =
            std::find_if(pdf[0].words.begin(), pdf[0].words.end(),
                         [](const Word& w) { return w.text.rfind("L02:", 0) == 0; });
        ASSERT_NE(second, pdf[0].words.end());
        const Word& line = *second;
        const double cell = (line.xMax - line.xMin) / double(line.text.size());
        EXPECT_GT(line.xMax + cell, margin - 0.5) << line.text.size() << " characters";
    }
}

// Page breaks and the page count are one plan: the preview's page 1 holds the
// lines the printed page 1 holds, and the preview's count is the footers' "of
// n" and the number of pages printed.
TEST_F(PrintFidelity, PreviewAndPrintoutBreakPagesAlike) {
    NEED_PDF_PRINTER();
    std::string text;
    for (int i = 1; i <= 700; ++i) {
        char line[24];
        std::snprintf(line, sizeof line, "%sLINE %04d", i > 1 ? "\r\n" : "", i);
        text += line;
    }
    OpenInView("breaks.txt", text);
    const struct Case {
        const char* face;
        uint8_t size, spacing;
    } cases[] = {{"Liberation Mono", 3, 3}, {"DejaVu Sans Mono", 0, 3}, {"DejaVu Sans Mono", 7, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + " size " + std::to_string(c.size) + " spacing " +
                     std::to_string(c.spacing));
        std::snprintf(PrintFontName, sizeof PrintFontName, "%s", c.face);
        PrintSize = c.size, PrintSpacing = c.spacing;
        int previewLines = 0, previewCount = 0;
        const Pdf pdf = PrintAndRead([&](HWND dlg) {
            previewLines = InkBands(PreviewPicture(dlg)) - 1;  // less the footer
            previewCount = PageCount;
        });
        ASSERT_FALSE(pdf.empty());
        EXPECT_EQ(previewCount, int(pdf.size()));
        for (size_t p = 0; p < pdf.size(); ++p)
            EXPECT_NE(Lines(pdf[p]).back().find("of " + std::to_string(pdf.size())),
                      std::string::npos)
                << "page " << p + 1;
        const Texts first = Lines(pdf[0]);
        ASSERT_GE(first.size(), 2u);
        EXPECT_EQ(int(first.size()) - 1, previewLines);
        char last[16];
        std::snprintf(last, sizeof last, "LINE %04d", previewLines);
        EXPECT_EQ(first[first.size() - 2], last);
    }
}

// A small main window: the dialog still shows its progress bar and message.
// Esc with the caret in a margin field closes cleanly: the next opening on a
// page wider than the window has both scroll bars, and they work.
TEST_F(PrintFidelity, ClosingFromAMarginFieldLeavesTheNextPreviewWhole) {
    OpenInView("small.txt", "one line");
    MoveWindow(wn, 0, 0, 420, 260, TRUE);
    Pump();
    std::vector<LONG> client, progress, message;
    Answers["Print Preview"] = [&](HWND dlg) {
        client = Rect(dlg, dlg);
        progress = Rect(GetDlgItem(dlg, 141), dlg);
        message = Rect(GetDlgItem(dlg, 142), dlg);
        HWND field = GetDlgItem(dlg, 111);
        SetFocus(field);
        PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    Key('P', true);
    ASSERT_EQ(message.size(), 4u);
    EXPECT_LE(message[3], client[3] - client[1]);
    EXPECT_LE(progress[3], client[3] - client[1]);

    bool bars = false;
    Answers["Print Preview"] = [&](HWND dlg) {
        bars = IsWindow(hPreviewVBar) && GetParent(hPreviewVBar) == dlg && IsWindow(hPreviewHBar) &&
               GetParent(hPreviewHBar) == dlg;
    };
    Key('P', true);
    EXPECT_TRUE(bars);
}

// Enter in a margin field prints with the margin just typed.
TEST_F(PrintFidelity, EnterInAMarginFieldPrintsWithIt) {
    NEED_PDF_PRINTER();
    OpenInView("enter.txt", "Margin of two inches");
    const Pdf pdf = PrintAndRead(
        [](HWND dlg) {
            HWND field = GetDlgItem(dlg, 111);  // Left
            SetFocus(field);
            SetWindowTextA(field, "2");
            PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
        },
        false);
    ASSERT_FALSE(pdf.empty());
    ASSERT_FALSE(pdf[0].words.empty());
    EXPECT_NEAR(pdf[0].words[0].xMin, 144.0, 1.0);  // 2.00 inches
}

// Document properties apply only to the printer they were made for: a
// landscape block of another printer leaves the default printer's page
// upright; the same block made for the default printer turns it.
TEST_F(PrintFidelity, DocumentPropertiesStayWithTheirPrinter) {
    NEED_PDF_PRINTER();
    OpenInView("turned.txt", "A page on its side");
    char device[256] = "";
    GetProfileStringA("windows", "device", "", device, sizeof device);
    std::string printer = device;
    printer = printer.substr(0, printer.find(','));
    HANDLE h = 0;
    ASSERT_TRUE(OpenPrinterA(const_cast<char*>(printer.c_str()), &h, nullptr));
    const LONG size =
        DocumentPropertiesA(0, h, const_cast<char*>(printer.c_str()), nullptr, nullptr, 0);
    ASSERT_GT(size, 0);
    for (const bool own : {false, true}) {
        SCOPED_TRACE(own ? "made for the default printer" : "made for another printer");
        hDevMode = GlobalAlloc(GHND, size_t(size));
        auto* mode = static_cast<DEVMODEA*>(GlobalLock(hDevMode));
        ASSERT_EQ(DocumentPropertiesA(0, h, const_cast<char*>(printer.c_str()), mode, nullptr,
                                      DM_OUT_BUFFER),
                  IDOK);
        mode->dmFields |= DM_ORIENTATION;
        mode->dmOrientation = DMORIENT_LANDSCAPE;
        GlobalUnlock(hDevMode);
        std::snprintf(DevModePrinter, sizeof DevModePrinter, "%s",
                      own ? printer.c_str() : "Some Other Printer");
        bool landscape = false;
        Answers["Print Preview"] = [&](HWND) { landscape = PageWidth > PageHeight; };
        Key('P', true);
        EXPECT_EQ(landscape, own);
        GlobalFree(hDevMode);
        hDevMode = 0;
    }
    ClosePrinter(h);
}

// Wrapping at the printed width makes too many lines for text mode: the
// preview says so once, outside its paint, and lays the hex view out with a
// font fitted to its rows.
TEST_F(PrintFidelity, TooManyWrappedLinesLeaveTextModeBeforeThePreviewIsDrawn) {
    ShowWindow(wn, SW_SHOWMAXIMIZED);
    Pump();
    std::string text;
    for (int i = 0; i < 60000; ++i) text += std::string(100, 'w') + "\r\n";  // 2 printed lines each
    OpenInView("many.txt", text);
    Command(CM_WRAP);
    PaintView();
    ASSERT_EQ(ShowMode, _TEXT_);
    ASSERT_GE(ScreenCols, 100);
    TakeDialogs();
    std::string message;
    int32_t mode = 0, chars = 0;
    Answers["Print Preview"] = [&](HWND dlg) {
        PreviewPicture(dlg);
        message = ItemText(dlg, 142), mode = ShowMode, chars = CharsPerLine;
    };
    Key('P', true);
    const Texts seen = TakeDialogs();
    EXPECT_EQ(std::count_if(
                  seen.begin(), seen.end(),
                  [](const std::string& s) { return s.rfind("Text mode not available|", 0) == 0; }),
              1);
    EXPECT_EQ(mode, _HEX_);
    EXPECT_GE(chars, 71);
    EXPECT_EQ(message, "");
}

}  // namespace
