// The printer's metrics, the print fonts, and pages drawn with the row
// renderers of the screen, followed by the footer.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "document/document.h"
#include "document/line_index.h"
#include "interpret/interp_tree.h"
#include "interpret/listings.h"
#include "interpret/selection.h"
#include "print/footer.h"
#include "print/page_layout.h"
#include "print/print_settings.h"
#include "print/print_win.h"
#include "view/row_draw.h"
#include "view/text_rows.h"

HFONT hPrintFont = 0;
HFONT hPreviewFont = 0;
HWND hPrintProgress = 0;

namespace {

constexpr uint8_t ExportListing = 16;
constexpr uint8_t ImportListing = 33;

HFONT MakeFont(int32_t height, int32_t width) {
    return CreateFontA(height, width, 0, 0, PrintBold ? 700 : 400, PrintItalic ? 1 : 0, 0, 0,
                       DEFAULT_CHARSET, 0, 0, DRAFT_QUALITY, FIXED_PITCH, PrintFontName);
}

// Makes printer fonts on a context, keeping the last one made.
class DcMeasure final : public FontMeasure {
  public:
    DcMeasure(HDC hdc, HGDIOBJ old) : hdc_(hdc), old_(old) {}
    int32_t AverageWidth(int32_t width) override {
        Drop();
        font = MakeFont(PrintFontHeight, width);
        SelectObject(hdc_, font);
        TEXTMETRICA tm{};
        GetTextMetricsA(hdc_, &tm);
        return tm.tmAveCharWidth;
    }
    void Drop() {
        if (!font) return;
        SelectObject(hdc_, old_);
        DeleteObject(font);
        font = 0;
    }
    HFONT font = 0;

  private:
    HDC hdc_;
    HGDIOBJ old_;
};

// Draws listing lines on a page.
class PageListing final : public ListingSink {
  public:
    PageListing(HDC hdc, int x, int y, int dy) : hdc_(hdc), x_(x), y_(y), dy_(dy) {}
    void Put(const ListingLine& line) override {
        if (line.Text[0])
            TextOutA(hdc_, x_, y_, line.Text, static_cast<int>(std::strlen(line.Text)));
        if (line.Name[0])
            TextOutA(hdc_, x_ + ImportNameIndent, y_, line.Name,
                     static_cast<int>(std::strlen(line.Name)));
        y_ += dy_;
    }

  private:
    HDC hdc_;
    int x_, y_, dy_;
};

ClockTime Clock(const SYSTEMTIME& t) { return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute}; }

ClockTime LocalNow() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return Clock(t);
}

ClockTime FileClock() {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(FileTime);
    ft.dwHighDateTime = static_cast<DWORD>(FileTime >> 32);
    SYSTEMTIME t{};
    if (!FileTimeToSystemTime(&ft, &t)) return {};
    return Clock(t);
}

}  // namespace

void GetPrinterMetrics(HDC hdc) {
    DeviceCaps caps;
    caps.logPixelsX = GetDeviceCaps(hdc, LOGPIXELSX);
    caps.logPixelsY = GetDeviceCaps(hdc, LOGPIXELSY);
    caps.physicalWidth = GetDeviceCaps(hdc, PHYSICALWIDTH);
    caps.physicalHeight = GetDeviceCaps(hdc, PHYSICALHEIGHT);
    caps.physicalOffsetX = GetDeviceCaps(hdc, PHYSICALOFFSETX);
    caps.physicalOffsetY = GetDeviceCaps(hdc, PHYSICALOFFSETY);
    caps.horzRes = GetDeviceCaps(hdc, HORZRES);
    caps.vertRes = GetDeviceCaps(hdc, VERTRES);
    TakePrinterMetrics(caps);
}

void DeletePrintFonts() {
    if (hPrintFont) DeleteObject(hPrintFont);
    if (hPreviewFont) DeleteObject(hPreviewFont);
    hPrintFont = hPreviewFont = 0;
}

int32_t MakePrintFonts(HDC hdc) {
    DeletePrintFonts();
    const HGDIOBJ old = GetCurrentObject(hdc, OBJ_FONT);
    PrintFontHeight = PrintHeightUnits();
    DcMeasure measure(hdc, old);
    FitPrintFont(measure);
    hPrintFont = measure.font;

    PreviewFontHeight = PrintSizes[std::min<int>(PrintSize, PrintSizeCount - 1)];
    const int32_t requested = PreviewRequestWidth();
    TEXTMETRICA tm{};
    hPreviewFont = MakeFont(PreviewFontHeight, requested);
    SelectObject(hdc, hPreviewFont);
    GetTextMetricsA(hdc, &tm);
    if (PreviewNeedsRetry(requested, tm.tmAveCharWidth, tm.tmMaxCharWidth)) {
        SelectObject(hdc, old);
        DeleteObject(hPreviewFont);
        hPreviewFont = MakeFont(PreviewFontHeight, requested + 1);
        SelectObject(hdc, hPreviewFont);
        GetTextMetricsA(hdc, &tm);
    }
    SetFontInfo(requested, tm.tmHeight, tm.tmMaxCharWidth, tm.tmAveCharWidth);
    PreviewCharWidth = tm.tmAveCharWidth;
    SelectObject(hdc, old);
    return PreviewPageWidth();
}

void DrawFooter(HDC hdc, int x, int y, int width) {
    if (!FooterBlock[0]) return;
    FooterBlock[FooterBlockSize - 1] = '\0';
    const FooterFacts facts = {FileName, FileNamePart, FileClock(), LocalNow, PageNum, PageCount};
    char parts[3][FooterPartMax + 1];
    int32_t lengths[3], cx[3];
    for (int i = 0; i < 3; ++i) {
        lengths[i] = ExpandFooterPart(FooterBlock + 1, i, facts, parts[i]);
        SIZE size{};
        GetTextExtentPoint32A(hdc, parts[i], lengths[i], &size);
        cx[i] = size.cx;
    }
    const FooterPlacement place = PlaceFooter(cx, x, width);
    for (int i = 0; i < 3; ++i)
        if (place.drawn[i] && lengths[i] > 0) TextOutA(hdc, place.x[i], y, parts[i], lengths[i]);
}

void PrintPages(HDC hdc, int dpiX, int dpiY, int /*pageWidth*/, int pageHeight, int offsetX,
                int offsetY, bool printing) {
    PageNum = 1;
    PageCount = 1;
    LineCounter = 1;
    int32_t first = 1;
    int64_t firstByte = 0;
    const int32_t h = printing ? PrintFontHeight : PreviewFontHeight;
    const int32_t c = printing ? PrintCharWidth : PreviewCharWidth;
    const PagePlan plan =
        PlanPage(dpiX, dpiY, pageHeight, offsetX, offsetY, h, FooterBlock[0] != 0);
    if (!plan.drawable) return;
    const HGDIOBJ old = SelectObject(hdc, printing ? hPrintFont : hPreviewFont);
    const int32_t lines = plan.lines;

    if (ShowMode == _TEXT_ && Checked != _INTERP_) {
        ScreenCols = std::max<int32_t>(PrintTextCols(), 1);
        // May leave text mode when the narrower lines are too many.
        if (WrapFlag && FileSize) GetLinePtrs(0, FileSize);
    }
    const bool uninterpreted = Checked == _INTERP_ && InterpKind == 0;
    PageCount = uninterpreted ? 1 : CountPages(lines);
    const int32_t rowBytes = PrintRowBytes();
    if (printing) {
        if (hPrintProgress) {
            SendMessageA(hPrintProgress, PBM_SETRANGE32, 0, PageCount);
            SendMessageA(hPrintProgress, PBM_SETSTEP, 1, 0);
            SendMessageA(hPrintProgress, PBM_SETPOS, 0, 0);
        }
        StartPage(hdc);
    }
    for (;;) {
        PrintMessage[0] = '\0';
        if (uninterpreted) {
            TextOutA(hdc, plan.x0, plan.y0, "Cannot interpret this file!", 27);
        } else if (Checked == _INTERP_ && (SelKind == ExportListing || SelKind == ImportListing)) {
            PageListing sink(hdc, plan.x0, plan.y0, plan.pitch);
            if (SelKind == ExportListing)
                ListExportLines(first, lines, sink);
            else
                ListImportLines(first, lines, sink);
        } else if (ShowMode == _TEXT_) {
            DrawTextLines(hdc, plan.x0, plan.y0, plan.pitch, lines, CharsPerLine, first, 1,
                          PrintLineNums, 0);
            if (ScreenCols < NumCols) std::strcpy(PrintMessage, TruncatedMessage);
        } else {
            DrawHexLines(hdc, plan.x0, plan.y0, plan.pitch, lines, rowBytes, CharsPerLine,
                         static_cast<int32_t>(firstByte), 1, 0);
            if (CharsPerLine < FitRowChars()) std::strcpy(PrintMessage, TruncatedMessage);
        }
        DrawFooter(hdc, plan.x0, plan.footerTop, CharsPerLine * c);
        if (!printing) break;
        EndPage(hdc);
        if (hPrintProgress) SendMessageA(hPrintProgress, PBM_STEPIT, 0, 0);
        if (PageNum >= PageCount) break;
        ++PageNum;
        firstByte += int64_t{rowBytes} * lines;
        first += lines;
        StartPage(hdc);
    }
    SelectObject(hdc, old);
}
