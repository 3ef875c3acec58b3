// The printer's metrics, the print fonts, and pages drawn with the row
// renderers of the screen, followed by the footer.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>
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
#include "view/hex_rows.h"
#include "view/text_rows.h"

HFONT hPrintFont = 0;
HFONT hPreviewFont = 0;
HWND hPrintProgress = 0;
bool PrintLinesLost = false;

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
    // The cell the device makes: the widest printable ASCII character. A
    // device that cannot scale a face's width apart from its height (a
    // PostScript driver among them) may draw the face at its natural width
    // while reporting the width asked for: its cell is never narrower than
    // that natural width.
    int32_t CellWidth(int32_t width) override {
        Drop();
        int32_t cell = 0;
        if (width != 0 && !(GetDeviceCaps(hdc_, TEXTCAPS) & TC_SF_X_YINDEP)) {
            font = MakeFont(PrintFontHeight, 0);
            cell = Selected();
            Drop();
        }
        font = MakeFont(PrintFontHeight, width);
        return std::max(cell, Selected());
    }
    int32_t Selected() {
        SelectObject(hdc_, font);
        TEXTMETRICA tm{};
        GetTextMetricsA(hdc_, &tm);
        int32_t cell = tm.tmAveCharWidth;
        INT widths['~' - ' ' + 1];
        if (GetCharWidth32A(hdc_, ' ', '~', widths))
            for (INT w : widths) cell = std::max<int32_t>(cell, w);
        return cell;
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

// Where the lines of the printed plan go on the device drawn on.
struct PagePlace {
    PagePlan plan;  // printer units, relative to the printable area
    int dpiX, dpiY, offsetX, offsetY;
    int32_t cell;  // character cell on this device
    int X(int32_t v) const { return PlanToDevice(v, LogPixelsX, MinLeft, dpiX, offsetX); }
    int Y(int32_t v) const { return PlanToDevice(v, LogPixelsY, MinTop, dpiY, offsetY); }
    int Left() const { return X(plan.x0); }
    int LineTop(int32_t i) const { return Y(plan.y0 + plan.pitch * i); }
    int FooterTop() const { return Y(plan.footerTop); }
};

// Draws `len` characters from x, each in a cell of `cell` units whatever
// advance the font would give it.
void DrawCells(HDC hdc, int x, int y, const char* text, int32_t len, int32_t cell) {
    constexpr int32_t Batch = 256;
    INT dx[Batch];
    std::fill(std::begin(dx), std::end(dx), cell);
    for (int32_t done = 0; done < len;) {
        const int n = static_cast<int>(std::min<int32_t>(len - done, Batch));
        ExtTextOutA(hdc, x + cell * done, y, 0, nullptr, text + done, n, dx);
        done += n;
    }
}

// Draws rows and listing lines one a line of the plan, every character in a
// cell of the plan's width whatever advance the font would give it.
class PageLines final : public RowSink, public ListingSink {
  public:
    PageLines(HDC hdc, const PagePlace& place) : hdc_(hdc), place_(place) {}
    void Put(const Row& row) override {
        const int y = place_.LineTop(line_++);
        for (int32_t i = 0; i < row.count; ++i)
            DrawCells(hdc_, place_.Left() + place_.cell * row.pieces[i].cell, y,
                      row.text + row.pieces[i].cell, row.pieces[i].len, place_.cell);
    }
    void Put(const ListingLine& line) override {
        const int y = place_.LineTop(line_++);
        const int x = place_.Left();
        if (line.Text[0]) TextOutA(hdc_, x, y, line.Text, static_cast<int>(std::strlen(line.Text)));
        if (line.Name[0])
            TextOutA(hdc_, x + ImportNameIndent, y, line.Name,
                     static_cast<int>(std::strlen(line.Name)));
    }

  private:
    HDC hdc_;
    const PagePlace& place_;
    int32_t line_ = 0;
};

void NoteTooManyLines() { PrintLinesLost = true; }

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

int32_t MakePrintFonts(HDC hdc, HDC printer) {
    DeletePrintFonts();
    PrintFontHeight = PrintHeightUnits();
    HDC measured = printer ? printer : hdc;
    const HGDIOBJ oldPrinterFont = GetCurrentObject(measured, OBJ_FONT);
    DcMeasure measure(measured, oldPrinterFont);
    FitPrintFont(measure);
    hPrintFont = measure.font;
    SelectObject(measured, oldPrinterFont);

    const HGDIOBJ old = GetCurrentObject(hdc, OBJ_FONT);
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
    // The preview places its characters in the printer's cells at 72 dpi, so
    // that its lines end where the printed ones do.
    PreviewCharWidth = std::max(requested, 1);
    SelectObject(hdc, old);
    return PreviewPageWidth();
}

void WrapForPrint() {
    if (ShowMode != _TEXT_ || Checked == _INTERP_) return;
    ScreenCols = std::max<int32_t>(PrintTextCols(), 1);
    if (WrapFlag && FileSize) GetLinePtrs(0, FileSize);  // may leave text mode and say so
}

void DrawFooter(HDC hdc, int x, int y, int width, int cell) {
    if (!FooterBlock[0]) return;
    FooterBlock[FooterBlockSize - 1] = '\0';
    const FooterFacts facts = {FileName, FileNamePart, FileClock(), LocalNow, PageNum, PageCount};
    char parts[3][FooterPartMax + 1];
    int32_t lengths[3], cx[3];
    for (int i = 0; i < 3; ++i) {
        lengths[i] = ExpandFooterPart(FooterBlock + 1, i, facts, parts[i]);
        SIZE size{};
        if (cell <= 0) GetTextExtentPoint32A(hdc, parts[i], lengths[i], &size);
        cx[i] = cell > 0 ? lengths[i] * cell : size.cx;
    }
    const FooterPlacement place = PlaceFooter(cx, x, width);
    for (int i = 0; i < 3; ++i) {
        if (!place.drawn[i] || lengths[i] <= 0) continue;
        if (cell > 0)
            DrawCells(hdc, place.x[i], y, parts[i], lengths[i], cell);
        else
            TextOutA(hdc, place.x[i], y, parts[i], lengths[i]);
    }
}

void PrintPages(HDC hdc, int dpiX, int dpiY, int /*pageWidth*/, int pageHeight, int offsetX,
                int offsetY, bool printing) {
    PageNum = 1;
    PageCount = 1;
    LineCounter = 1;
    PrintLinesLost = false;
    int32_t first = 1;
    int64_t firstByte = 0;
    // One plan, made at the printer's resolution, for the printer and the
    // preview alike: the same lines on each page, the same page count.
    PagePlace place{};
    place.plan = PlanPage(LogPixelsX, LogPixelsY, pageHeight, MinLeft, MinTop, PrintFontHeight,
                          FooterBlock[0] != 0);
    place.dpiX = dpiX, place.dpiY = dpiY, place.offsetX = offsetX, place.offsetY = offsetY;
    place.cell = printing ? PrintCharWidth : PreviewCharWidth;
    if (!place.plan.drawable) return;
    const HGDIOBJ old = SelectObject(hdc, printing ? hPrintFont : hPreviewFont);
    const int32_t lines = place.plan.lines;

    // The layout has wrapped the text for the printed width; the view may
    // have wrapped it for its own since.
    if (ShowMode == _TEXT_ && Checked != _INTERP_) {
        ScreenCols = std::max<int32_t>(PrintTextCols(), 1);
        if (WrapFlag && FileSize && WrapCols != ScreenCols) {
            // Too many lines here are noted, not acted on in the middle of a
            // paint: the preview lays out again, which says so.
            void (*const handler)() = TooManyLinesHandler;
            TooManyLinesHandler = NoteTooManyLines;
            GetLinePtrs(0, FileSize);
            TooManyLinesHandler = handler;
        }
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
        PageLines sink(hdc, place);
        if (uninterpreted) {
            TextOutA(hdc, place.Left(), place.LineTop(0), "Cannot interpret this file!", 27);
        } else if (Checked == _INTERP_ && (SelKind == ExportListing || SelKind == ImportListing)) {
            if (SelKind == ExportListing)
                ListExportLines(first, lines, sink);
            else
                ListImportLines(first, lines, sink);
        } else if (ShowMode == _TEXT_) {
            BuildTextRows(lines, CharsPerLine, first, 1, PrintLineNums, 0, sink);
            if (ScreenCols < NumCols) std::strcpy(PrintMessage, TruncatedMessage);
        } else {
            BuildHexRows(lines, rowBytes, CharsPerLine, static_cast<int32_t>(firstByte), 1, 0,
                         sink);
            if (CharsPerLine < FitRowChars()) std::strcpy(PrintMessage, TruncatedMessage);
        }
        DrawFooter(hdc, place.Left(), place.FooterTop(), CharsPerLine * place.cell, place.cell);
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
