#include "print/page_layout.h"

#include <algorithm>
#include <cstdio>

#include "document/document.h"
#include "view/hex_rows.h"

int32_t LogPixelsX = 600, LogPixelsY = 600;
int32_t PageWidth = 850, PageHeight = 1100;
int32_t MinLeft = 25, MinTop = 25, MinRight = 25, MinBottom = 50;
int32_t LeftMargin = 125, TopMargin = 50, RightMargin = 75, BottomMargin = 60;

int32_t PrintFontHeight = 0;
int32_t PrintCharWidth = 0;
int32_t PreviewFontHeight = 0;
int32_t PreviewCharWidth = 0;
int32_t CharsPerLine = 0;
char FontInfoText[256] = "";

int32_t PageNum = 1, PageCount = 1;
char PrintMessage[32] = "";
const char TruncatedMessage[] = "Lines will be truncated.";

namespace {

// The stored choices are checked when read; these keep a damaged value in
// memory from indexing outside the tables.
int32_t PointSize() { return PrintSizes[std::min<int>(PrintSize, PrintSizeCount - 1)]; }
int32_t Cpi() { return CpiChoices[std::min<int>(PrintCpi, CpiChoiceCount - 1)]; }

}  // namespace

namespace {

// Lengths on paper are kept within a few hundred inches, so that sums and
// products of them and of the resolutions stay far inside 32 bits.
constexpr int64_t MaxPaper = 100000;  // 1000 inches
constexpr int32_t MaxDpi = 100000;

int64_t Hundredths(int32_t units, int32_t dpi) { return int64_t{units} * 100 / dpi; }

int32_t Fit(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

void TakePrinterMetrics(const DeviceCaps& caps) {
    // A report without a resolution, or of a page no printer has, is not
    // taken: the previous metrics stay.
    if (caps.logPixelsX <= 0 || caps.logPixelsY <= 0 || caps.logPixelsX > MaxDpi ||
        caps.logPixelsY > MaxDpi)
        return;
    const int64_t width = Hundredths(caps.physicalWidth, caps.logPixelsX);
    const int64_t height = Hundredths(caps.physicalHeight, caps.logPixelsY);
    const int64_t left = Hundredths(caps.physicalOffsetX, caps.logPixelsX);
    const int64_t top = Hundredths(caps.physicalOffsetY, caps.logPixelsY);
    const int64_t across = Hundredths(caps.horzRes, caps.logPixelsX);
    const int64_t down = Hundredths(caps.vertRes, caps.logPixelsY);
    const auto paper = [](int64_t v) { return v >= 0 && v <= MaxPaper; };
    if (width <= 0 || height <= 0 || !paper(width) || !paper(height) || !paper(left) ||
        !paper(top) || !paper(across) || !paper(down))
        return;
    LogPixelsX = caps.logPixelsX;
    LogPixelsY = caps.logPixelsY;
    PageWidth = static_cast<int32_t>(width);
    PageHeight = static_cast<int32_t>(height);
    MinLeft = static_cast<int32_t>(left);
    MinTop = static_cast<int32_t>(top);
    MinRight = static_cast<int32_t>(width - left - across);
    MinBottom = static_cast<int32_t>(height - top - down);
    LoadWorkingMargins();
}

bool PortraitPage() { return PageHeight > PageWidth; }

void LoadWorkingMargins() {
    const Margins& m = PortraitPage() ? PortraitMargins : LandscapeMargins;
    LeftMargin = std::max(m.left, MinLeft);
    TopMargin = std::max(m.top, MinTop);
    RightMargin = std::max(m.right, MinRight);
    BottomMargin = std::max(m.bottom, MinBottom);
}

int32_t PrintHeightUnits() { return PointSize() * LogPixelsY / 72; }

int32_t TextWidthUnits() {
    return Fit((int64_t{PageWidth} - LeftMargin - RightMargin) * LogPixelsX / 100);
}

int32_t FitRowChars() {
    if (ShowMode == _TEXT_) return 0;
    return ShowMode == _CHAR_ ? CharRowWidth : HexRowWidth;
}

bool FitsByNarrowing() { return Cpi() == 0 && ShowMode != _TEXT_; }

int32_t RequestedPrintWidth() {
    if (Cpi() != 0) return LogPixelsX / Cpi();
    if (ShowMode != _TEXT_) return TextWidthUnits() / FitRowChars();
    return 0;
}

int32_t FitPrintFont(FontMeasure& measure) {
    const int32_t text = TextWidthUnits();
    const int32_t row = FitRowChars();
    int32_t width = RequestedPrintWidth();
    for (;;) {
        const int32_t ave = measure.CellWidth(width);
        PrintCharWidth = ave;
        CharsPerLine = ave > 0 ? text / ave : 0;
        if (!FitsByNarrowing() || CharsPerLine >= row || width <= 1) return width;
        --width;
    }
}

int32_t PreviewRequestWidth() {
    return static_cast<int32_t>((int64_t{PrintCharWidth} * 72 + LogPixelsX / 2) / LogPixelsX);
}

bool PreviewNeedsRetry(int32_t requested, int32_t aveWidth, int32_t maxWidth) {
    return requested > aveWidth && maxWidth > aveWidth;
}

void SetFontInfo(int32_t requested, int32_t height, int32_t maxWidth, int32_t aveWidth) {
    std::snprintf(FontInfoText, sizeof FontInfoText, "72 dpi:  %ux%u --> %ux%u,%u",
                  static_cast<unsigned>(PreviewFontHeight), static_cast<unsigned>(requested),
                  static_cast<unsigned>(height), static_cast<unsigned>(maxWidth),
                  static_cast<unsigned>(aveWidth));
}

int32_t PreviewPageWidth() {
    return Fit(int64_t{PreviewCharWidth} * CharsPerLine +
               (int64_t{LeftMargin} + RightMargin) * 72 / 100);
}

PagePlan PlanPage(int32_t dpiX, int32_t dpiY, int32_t pageHeight, int32_t offsetX, int32_t offsetY,
                  int32_t h, bool footer) {
    PagePlan p{};
    p.x0 = Fit((int64_t{LeftMargin} - offsetX) * dpiX / 100);
    p.y0 = Fit((int64_t{TopMargin} - offsetY) * dpiY / 100);
    p.bottom = Fit((int64_t{pageHeight} - offsetY - BottomMargin) * dpiY / 100);
    p.pitch = PrintSpacing * h / 2;
    p.footerTop = Fit(int64_t{p.bottom} - h);
    const int64_t textBottom = footer ? int64_t{p.footerTop} - p.pitch : p.bottom;
    p.lines = p.pitch > 0 ? Fit((textBottom - p.y0) / p.pitch) : 0;
    p.drawable = p.bottom >= 256 && CharsPerLine >= 3 && p.lines >= 1;
    return p;
}

PagePlan PlanPrintedPage(bool footer) {
    return PlanPage(LogPixelsX, LogPixelsY, PageHeight, MinLeft, MinTop, PrintFontHeight, footer);
}

int32_t PlanToDevice(int32_t v, int32_t printerDpi, int32_t printerOffset, int32_t dpi,
                     int32_t offset) {
    if (printerDpi <= 0) return v;
    // inches = v / printerDpi + (printerOffset - offset) / 100, times dpi
    const int64_t num = (int64_t{v} * 100 + (int64_t{printerOffset} - offset) * printerDpi) * dpi;
    return Fit(num / (int64_t{printerDpi} * 100));
}

int32_t PrintTextCols() {
    return PrintLineNums ? CharsPerLine - (PrintLineNums + 4) : CharsPerLine;
}

int32_t PrintRowBytes() { return ShowMode == _CHAR_ ? 64 : 16; }

int32_t CountPages(int32_t lines) {
    const int64_t n = std::max(lines, 1);
    const int64_t count = ShowMode == _TEXT_ ? (int64_t{NumLines} - 1) / n + 1
                                             : (int64_t{NumBytes} - 1) / (PrintRowBytes() * n) + 1;
    // An empty text at one line a page still makes one page.
    return static_cast<int32_t>(std::clamp<int64_t>(count, 1, INT32_MAX));
}
