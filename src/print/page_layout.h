// The arithmetic of printed pages: the printer's measurements, the working
// margins, the print and preview font sizes, characters per line, lines per
// page and the page count. Lengths on paper are 1/100 inch; device lengths are
// units of the device at hand; every division truncates.
#pragma once
#include <cstdint>

#include "print/print_settings.h"

// --- printer metrics (a 600-dpi letter page until a printer is measured) ---
extern int32_t LogPixelsX, LogPixelsY;                // device units per inch
extern int32_t PageWidth, PageHeight;                 // physical page, 1/100 inch
extern int32_t MinLeft, MinTop, MinRight, MinBottom;  // unprintable strips

// --- working margins, 1/100 inch ---
extern int32_t LeftMargin, TopMargin, RightMargin, BottomMargin;

// --- fonts and line width ---
extern int32_t PrintFontHeight;    // requested height of the printer font
extern int32_t PrintCharWidth;     // its character cell as the printer made it
extern int32_t PreviewFontHeight;  // requested height of the preview font
extern int32_t PreviewCharWidth;   // the printer's cell at 72 dpi: the preview's cell
extern int32_t CharsPerLine;       // characters between the left and right margins
extern char FontInfoText[256];     // the font report under the preview

// --- pages ---
// The page being drawn (from 1) and the number of pages. Kept 32 bits wide:
// a large hex view has more pages than a 16-bit count holds.
extern int32_t PageNum, PageCount;
extern char PrintMessage[32];  // "" or TruncatedMessage
extern const char TruncatedMessage[];

// What GetDeviceCaps reports for a printer.
struct DeviceCaps {
    int32_t logPixelsX, logPixelsY;
    int32_t physicalWidth, physicalHeight;
    int32_t physicalOffsetX, physicalOffsetY;
    int32_t horzRes, vertRes;
};

// Takes a printer's measurements and reloads the working margins. A report
// without a resolution is ignored (the previous metrics stay).
void TakePrinterMetrics(const DeviceCaps& caps);

// True for a page taller than wide; a square page counts as landscape.
bool PortraitPage();

// Loads the working margins from the set of the page's shape and raises each
// to the unprintable strip of its side.
void LoadWorkingMargins();

// Height of the printer font: the chosen size at LogPixelsY.
int32_t PrintHeightUnits();
// Width between the margins in printer units.
int32_t TextWidthUnits();
// Characters of a hex or char row of the current mode (71 or 75); 0 in text.
int32_t FitRowChars();
// True when the printer font is narrowed until a row fits: hex or char view
// with no characters per inch chosen.
bool FitsByNarrowing();
// The printer font's requested width: from the characters per inch, or the
// text width over the row's characters (hex and char), or 0 (natural width).
int32_t RequestedPrintWidth();

// Something that creates the printer font with a given width and measures
// the character cell the printer made of it.
class FontMeasure {
  public:
    virtual int32_t CellWidth(int32_t width) = 0;

  protected:
    ~FontMeasure() = default;
};

// Creates the printer font (through `measure`), narrowing it one unit at a
// time while a hex or char row does not fit, never below a width of 1.
// Sets CharsPerLine and PrintCharWidth; returns the width finally requested.
int32_t FitPrintFont(FontMeasure& measure);

// The preview font's requested width: the printer's measured cell scaled to
// 72 dpi, rounded (72 / cpi rounded when the printer made what was asked).
int32_t PreviewRequestWidth();
// True when the preview font is to be made once more, one unit wider.
bool PreviewNeedsRetry(int32_t requested, int32_t aveWidth, int32_t maxWidth);
// Fills FontInfoText.
void SetFontInfo(int32_t requested, int32_t height, int32_t maxWidth, int32_t aveWidth);
// Width in preview pixels of the page picture: margins plus one full line.
int32_t PreviewPageWidth();

// Where the text of a page goes, for a device of dpiX x dpiY whose origin is
// offsetX, offsetY (1/100 inch) from the paper's corner.
struct PagePlan {
    int32_t x0, y0;     // left and top of the first line
    int32_t bottom;     // the bottom margin's line, Y
    int32_t pitch;      // line pitch
    int32_t footerTop;  // top of the footer line (valid with the footer on)
    int32_t lines;      // lines per page, N
    bool drawable;      // false: nothing fits, nothing is drawn
};
// h is the font height asked for on that device.
PagePlan PlanPage(int32_t dpiX, int32_t dpiY, int32_t pageHeight, int32_t offsetX, int32_t offsetY,
                  int32_t h, bool footer);

// The plan of every page, printed or previewed: lines per page, pitch and
// positions in printer units, relative to the printable area.
PagePlan PlanPrintedPage(bool footer);

// A position `v` of the printed plan (printer units from the printable
// area's edge) on a device of `dpi` whose origin is `offset` (1/100 inch)
// from the paper's edge; the printer itself gets `v` back.
int32_t PlanToDevice(int32_t v, int32_t printerDpi, int32_t printerOffset, int32_t dpi,
                     int32_t offset);

// Columns left for the text of a printed text line: CharsPerLine less the
// line-number prefix.
int32_t PrintTextCols();
// Bytes per printed hex or char line.
int32_t PrintRowBytes();
// Pages of the current view with `lines` lines per page (at least 1).
int32_t CountPages(int32_t lines);
