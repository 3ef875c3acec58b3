// The "Print Preview" dialog: printer choice, document properties, margins,
// footer switch, the first page drawn at 72 dpi, and the print job.
#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>

#include "app/app_win.h"
#include "app/wheel_win.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "print/page_layout.h"
#include "print/print_choices.h"
#include "print/print_settings.h"
#include "print/print_win.h"
#include "resources/resource_ids.h"

char PrinterName[256] = "";
HGLOBAL hDevMode = 0;
char DevModePrinter[256] = "";
HDC hPreviewDC = 0;
HBITMAP hPreviewBitmap = 0;
int32_t PreviewWidth = 0, PreviewHeight = 0, PreviewVisWidth = 0, PreviewVisHeight = 0,
        PreviewX = 0;
HWND hPreviewVBar = 0, hPreviewHBar = 0;

namespace {

constexpr int IdPrinters = 101, IdArea = 102, IdDocProps = 103, IdPrintProps = 106,
              IdMarginFirst = 110, IdUpDownFirst = 120, IdFooterOn = 130, IdFormatFooter = 131,
              IdFontInfo = 140, IdProgress = 141, IdMessage = 142, IdSideLine = 504;
// Posted when a paint found that the text no longer fits the line table.
constexpr int IdRelayout = 150;
constexpr char NoPrinters[] = "No printers found";

bool FillPrinterList = false;
bool PictureValid = false;  // the picture holds the page as last laid out
bool Closing = false;       // EndDialog has been called: no more layouts
HGDIOBJ OldBitmap = 0;
HDC hPrinterIC = 0;                   // the chosen printer, for measuring fonts
RECT MainRect, DialogRect, AreaRect;  // as created: the base of every layout
int NeededHeight = 0;                 // the dialog's height that shows all its controls

int32_t* WorkingMargin(MarginSide side) {
    switch (side) {
    case MarginTop: return &TopMargin;
    case MarginLeft: return &LeftMargin;
    case MarginRight: return &RightMargin;
    default: return &BottomMargin;
    }
}

int32_t Strip(MarginSide side) {
    switch (side) {
    case MarginTop: return MinTop;
    case MarginLeft: return MinLeft;
    case MarginRight: return MinRight;
    default: return MinBottom;
    }
}

// Field and up-down ids run top, left, right, bottom.
MarginSide SideOf(int id, int firstId) { return static_cast<MarginSide>(id - firstId); }

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// The document properties of PrinterName: hDevMode when it was made for that
// printer, else none (the driver's defaults).
HGLOBAL DevModeOfPrinter() {
    return hDevMode && lstrcmpiA(DevModePrinter, PrinterName) == 0 ? hDevMode : 0;
}

void ReleaseDevMode() {
    if (hDevMode) GlobalFree(hDevMode);
    hDevMode = 0;
    DevModePrinter[0] = '\0';
}

// The printer context of PrinterName with its document properties.
HDC PrinterDC() {
    const HGLOBAL block = DevModeOfPrinter();
    DEVMODEA* mode = block ? static_cast<DEVMODEA*>(GlobalLock(block)) : nullptr;
    HDC dc = CreateDCA(nullptr, PrinterName, nullptr, mode);
    const DWORD error = GetLastError();
    if (block) GlobalUnlock(block);
    SetLastError(error);
    return dc;
}

void DeletePrinterIC() {
    if (hPrinterIC) DeleteDC(hPrinterIC);
    hPrinterIC = 0;
}

// Measures the printer and keeps its context, on which the layout measures
// the printer font as the printer makes it.
void MeasurePrinter() {
    DeletePrinterIC();
    HDC dc = PrinterDC();
    if (!dc) {
        LastErrorBox(1342);
        return;
    }
    GetPrinterMetrics(dc);
    hPrinterIC = dc;
}

void DeletePicture() {
    if (hPreviewDC) {
        SelectObject(hPreviewDC, OldBitmap);
        DeleteDC(hPreviewDC);
    }
    if (hPreviewBitmap) DeleteObject(hPreviewBitmap);
    hPreviewDC = 0;
    hPreviewBitmap = 0;
    PictureValid = false;
}

void SetBar(HWND bar, int32_t size, int32_t page) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = size - 1;
    si.nPage = static_cast<UINT>(std::max(page, 0));
    SetScrollInfo(bar, SB_CTL, &si, TRUE);
}

void FillPrinters(HWND dlg) {
    HWND list = GetDlgItem(dlg, IdPrinters);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    if (!EnumPrintersA(flags, nullptr, 5, nullptr, 0, &needed, &count) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        LastErrorBox(2321);
    } else if (needed) {
        BYTE* data = static_cast<BYTE*>(GlobalAlloc(GPTR, needed));
        if (data && EnumPrintersA(flags, nullptr, 5, data, needed, &needed, &count)) {
            const PRINTER_INFO_5A* info = reinterpret_cast<const PRINTER_INFO_5A*>(data);
            for (DWORD i = 0; i < count; ++i)
                if (info[i].pPrinterName)
                    SendMessageA(list, CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(info[i].pPrinterName));
        } else if (data) {
            LastErrorBox(2321);
        }
        if (data) GlobalFree(data);
    }
    if (SendMessageA(list, CB_GETCOUNT, 0, 0) <= 0) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(NoPrinters));
        SendMessageA(list, CB_SETCURSEL, 0, 0);
    } else {
        // No entry is selected when the default printer is not among them.
        SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(PrinterName));
    }
}

void ShowMargins(HWND dlg) {
    const int32_t values[4] = {TopMargin, LeftMargin, RightMargin, BottomMargin};
    for (int i = 0; i < 4; ++i) {
        char text[16];
        FormatMargin(values[i], text);
        SetDlgItemTextA(dlg, IdMarginFirst + i, text);
    }
}

void Layout(HWND dlg) {
    // A field losing the focus while the dialog closes must not lay out (and
    // make scroll bars on) a dialog that is going away.
    if (Closing) return;
    DeletePicture();
    HWND area = GetDlgItem(dlg, IdArea);
    PreviewHeight = PageHeight * 72 / 100;
    HDC adc = GetDC(area);
    PreviewWidth = MakePrintFonts(adc, hPrinterIC);
    const uint16_t mode = ShowMode;
    WrapForPrint();
    // Too many lines for the printed width left text mode: fit the fonts to
    // the hex rows now shown.
    if (ShowMode != mode) PreviewWidth = MakePrintFonts(adc, hPrinterIC);
    ReleaseDC(area, adc);

    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYVSCROLL);
    const int width =
        std::min(Width(DialogRect) + PreviewWidth - Width(AreaRect) + barWidth, Width(MainRect));
    MoveWindow(dlg, MainRect.left + (Width(MainRect) - width) / 2, MainRect.top, width,
               std::max<int>(Height(MainRect), NeededHeight), TRUE);

    RECT client;
    GetClientRect(dlg, &client);
    PreviewX = AreaRect.left - DialogRect.left - 6;
    // A horizontal bar takes height and may make a vertical one needed too.
    bool vertical = false, horizontal = false;
    for (int pass = 0; pass < 2; ++pass) {
        const int visHeight = client.bottom - 2 - (horizontal ? barHeight : 0);
        vertical = visHeight < PreviewHeight;
        const int visWidth = client.right - PreviewX - (vertical ? barWidth : 0);
        horizontal = visWidth < PreviewWidth;
    }
    PreviewVisHeight = vertical ? client.bottom - 2 - (horizontal ? barHeight : 0) : PreviewHeight;
    PreviewVisWidth =
        horizontal ? client.right - PreviewX - (vertical ? barWidth : 0) : PreviewWidth;
    PreviewVisHeight = std::max(PreviewVisHeight, 1);
    PreviewVisWidth = std::max(PreviewVisWidth, 1);
    MoveWindow(area, PreviewX, 2, PreviewVisWidth, PreviewVisHeight, TRUE);

    if (hPreviewVBar) DestroyWindow(hPreviewVBar);
    hPreviewVBar = 0;
    if (vertical) {
        hPreviewVBar = CreateWindowA("SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT,
                                     PreviewX + PreviewVisWidth + 1, 2, barWidth,
                                     PreviewVisHeight + 1, dlg, nullptr, hInst, nullptr);
        SetBar(hPreviewVBar, PreviewHeight, PreviewVisHeight);
    }
    if (horizontal) {
        if (!hPreviewHBar)
            hPreviewHBar = CreateWindowA("SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_HORZ,
                                         PreviewX, 2 + PreviewVisHeight + 1, PreviewVisWidth + 1,
                                         barHeight, dlg, nullptr, hInst, nullptr);
        else
            MoveWindow(hPreviewHBar, PreviewX, 2 + PreviewVisHeight + 1, PreviewVisWidth + 1,
                       barHeight, TRUE);
        SetBar(hPreviewHBar, PreviewWidth, PreviewVisWidth);
    } else if (hPreviewHBar) {
        DestroyWindow(hPreviewHBar);
        hPreviewHBar = 0;
    }

    if (FillPrinterList) {
        FillPrinters(dlg);
        FillPrinterList = false;
    }
    ShowMargins(dlg);
    InvalidateRect(dlg, nullptr, TRUE);
}

int BarPos(HWND bar) { return bar ? GetScrollPos(bar, SB_CTL) : 0; }

// Draws page 1 into the picture.
void Render(HWND dlg) {
    SetCursor(hWaitCursor);
    if (!hPreviewDC) {
        HWND area = GetDlgItem(dlg, IdArea);
        HDC adc = GetDC(area);
        hPreviewDC = CreateCompatibleDC(adc);
        hPreviewBitmap =
            CreateCompatibleBitmap(adc, std::max(PreviewWidth, 1), std::max(PreviewHeight, 1));
        ReleaseDC(area, adc);
        OldBitmap = SelectObject(hPreviewDC, hPreviewBitmap);
    }
    PatBlt(hPreviewDC, 0, 0, PreviewWidth, PreviewHeight, WHITENESS);
    PrintPages(hPreviewDC, 72, 72, PageWidth, PageHeight, 0, 0, false);
    PictureValid = true;
    if (PrintLinesLost) PostMessageA(dlg, WM_COMMAND, IdRelayout, 0);
    SetDlgItemTextA(dlg, IdFontInfo, FontInfoText);
    SetDlgItemTextA(dlg, IdMessage, PrintMessage);
    SetCursor(hArrowCursor);
}

void CopyPicture(const DRAWITEMSTRUCT& item) {
    BitBlt(item.hDC, 0, 0, PreviewVisWidth, PreviewVisHeight, hPreviewDC, BarPos(hPreviewHBar),
           BarPos(hPreviewVBar), SRCCOPY);
}

// A new picture at the next paint of the area.
void Repaint(HWND dlg) {
    PictureValid = false;
    InvalidateRect(GetDlgItem(dlg, IdArea), nullptr, FALSE);
}

void Scroll(HWND dlg, HWND bar, int code, int32_t line, int32_t size, int32_t visible) {
    if (!bar) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(bar, SB_CTL, &si);
    int pos = si.nPos;
    switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    default: return;
    }
    pos = std::max(0, std::min(pos, size - visible));
    if (pos == si.nPos) return;
    SetScrollPos(bar, SB_CTL, pos, TRUE);
    InvalidateRect(GetDlgItem(dlg, IdArea), nullptr, FALSE);
}

void SetMargin(HWND dlg, MarginSide side, int32_t value) {
    value = LimitMargin(value, Strip(side));
    *WorkingMargin(side) = value;
    Margins& stored = PageHeight > PageWidth ? PortraitMargins : LandscapeMargins;
    switch (side) {
    case MarginTop: stored.top = value; break;
    case MarginLeft: stored.left = value; break;
    case MarginRight: stored.right = value; break;
    case MarginBottom: stored.bottom = value; break;
    }
    Layout(dlg);
}

// The fonts, the picture and the printer's context go when the dialog is
// destroyed; the scroll bars go with it as its children.
void Close(HWND dlg, INT_PTR result) {
    Closing = true;
    EndDialog(dlg, result);
}

void Destroyed() {
    DeletePrintFonts();
    DeletePicture();
    DeletePrinterIC();
    hPreviewVBar = hPreviewHBar = 0;
    hPrintProgress = 0;
}

// The margin field with the focus, if any, is read as when it loses it: Enter
// prints with what was typed.
void ApplyFocusedMargin(HWND dlg) {
    const int id = GetDlgCtrlID(GetFocus());
    if (GetParent(GetFocus()) != dlg || id < IdMarginFirst || id >= IdMarginFirst + 4) return;
    char text[7] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    SetMargin(dlg, SideOf(id, IdMarginFirst), ParseMargin(text));
}

void ShowDocumentProperties(HWND dlg) {
    HANDLE printer = 0;
    if (!OpenPrinterA(PrinterName, &printer, nullptr)) {
        LastErrorBox(1344);
        return;
    }
    if (!DevModeOfPrinter()) {
        // Properties made for another printer are of no use to this one.
        ReleaseDevMode();
        const LONG size = DocumentPropertiesA(dlg, printer, PrinterName, nullptr, nullptr, 0);
        if (size > 0) hDevMode = GlobalAlloc(GHND, static_cast<SIZE_T>(size));
        if (hDevMode) {
            DEVMODEA* mode = static_cast<DEVMODEA*>(GlobalLock(hDevMode));
            const LONG filled =
                DocumentPropertiesA(dlg, printer, PrinterName, mode, nullptr, DM_OUT_BUFFER);
            GlobalUnlock(hDevMode);
            if (filled != IDOK) {
                LastErrorBox(1345);
                ReleaseDevMode();
            } else {
                lstrcpynA(DevModePrinter, PrinterName, sizeof DevModePrinter);
            }
        }
    }
    LONG answer = IDCANCEL;
    if (hDevMode) {
        DEVMODEA* mode = static_cast<DEVMODEA*>(GlobalLock(hDevMode));
        answer = DocumentPropertiesA(dlg, printer, PrinterName, mode, mode,
                                     DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
        GlobalUnlock(hDevMode);
    }
    ClosePrinter(printer);
    if (answer == IDOK) {
        MeasurePrinter();
        Layout(dlg);
    }
}

void PrintJob(HWND dlg) {
    ApplyFocusedMargin(dlg);
    SetCursor(hWaitCursor);
    SetDlgItemTextA(dlg, IdFontInfo, "Creating Print File");
    UpdateWindow(GetDlgItem(dlg, IdFontInfo));
    HDC dc = PrinterDC();
    if (!dc) {
        LastErrorBox(1342);
        SetDlgItemTextA(dlg, IdFontInfo, FontInfoText);
        SetCursor(hArrowCursor);
        return;
    }
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = "Orvex Listing";
    if (StartDocA(dc, &doc) <= 0) {
        LastErrorBox(1343);
        DeleteDC(dc);
        SetDlgItemTextA(dlg, IdFontInfo, FontInfoText);
        SetCursor(hArrowCursor);
        return;
    }
    hPrintProgress = GetDlgItem(dlg, IdProgress);
    PrintPages(dc, LogPixelsX, LogPixelsY, PageWidth, PageHeight, MinLeft, MinTop, true);
    EndDoc(dc);
    DeleteDC(dc);
    SetCursor(hArrowCursor);
    Close(dlg, 1);
}

// The height that shows every control of the left column, with the gap
// above the first one also below the last.
int ControlsHeight(HWND dlg) {
    RECT client, window;
    GetClientRect(dlg, &client);
    GetWindowRect(dlg, &window);
    int top = Height(client), bottom = 0;
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id == IdArea || id == IdSideLine) continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
        top = std::min<int>(top, r.top);
        bottom = std::max<int>(bottom, r.bottom);
    }
    return bottom + std::max(top, 0) + Height(window) - Height(client);
}

void Open(HWND dlg) {
    Closing = false;
    hPreviewVBar = hPreviewHBar = 0;
    FillPrinterList = true;
    CheckDlgButton(dlg, IdFooterOn, FooterBlock[0] ? BST_CHECKED : BST_UNCHECKED);
    if (!wn || !GetWindowRect(wn, &MainRect) || Width(MainRect) <= 0 || Height(MainRect) <= 0)
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &MainRect, 0);
    GetWindowRect(dlg, &DialogRect);
    GetWindowRect(GetDlgItem(dlg, IdArea), &AreaRect);
    NeededHeight = ControlsHeight(dlg);
    GetProfileStringA("windows", "device", NoPrinters, PrinterName, sizeof PrinterName);
    if (char* comma = std::strchr(PrinterName, ',')) *comma = '\0';
    MeasurePrinter();
    Layout(dlg);
}

}  // namespace

HWND PrintDialogOwner(HWND hwnd) {
    HWND active = GetActiveWindow();
    return active && GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId() ? active
                                                                                       : hwnd;
}

INT_PTR CALLBACK PreviewDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: Open(dlg); return TRUE;
    case WM_DESTROY: Destroyed(); return FALSE;
    case WM_PAINT: Repaint(dlg); return FALSE;
    case WM_DRAWITEM: {
        if (wParam != IdArea) return FALSE;
        if (!PictureValid) Render(dlg);
        CopyPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    case WM_VSCROLL:
        if (!hPreviewVBar || reinterpret_cast<HWND>(lParam) != hPreviewVBar) return FALSE;
        Scroll(dlg, hPreviewVBar, LOWORD(wParam), FontHeight, PreviewHeight, PreviewVisHeight);
        return TRUE;
    case WM_HSCROLL:
        if (!hPreviewHBar || reinterpret_cast<HWND>(lParam) != hPreviewHBar) return FALSE;
        Scroll(dlg, hPreviewHBar, LOWORD(wParam), FontWidth, PreviewWidth, PreviewVisWidth);
        return TRUE;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        // The wheel moves the page as the scroll bars' arrows do.
        static WheelTurn down, across;
        const bool sideways = msg == WM_MOUSEHWHEEL;
        const int32_t steps =
            WheelSteps(sideways ? &across : &down, msg, wParam, sideways ? FontWidth : FontHeight,
                       sideways ? PreviewVisWidth : PreviewVisHeight);
        const int code = steps < 0 ? SB_LINEUP : SB_LINEDOWN;
        if (sideways)
            Scroll(dlg, hPreviewHBar, code, steps < 0 ? -steps : steps, PreviewWidth,
                   PreviewVisWidth);
        else
            Scroll(dlg, hPreviewVBar, code, steps < 0 ? -steps : steps, PreviewHeight,
                   PreviewVisHeight);
        return TRUE;
    }
    case WM_NOTIFY: {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        const int id = static_cast<int>(hdr->idFrom);
        if (hdr->code != UDN_DELTAPOS || id < IdUpDownFirst || id > IdUpDownFirst + 3) return FALSE;
        const MarginSide side = SideOf(id, IdUpDownFirst);
        const int delta = reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta;
        SetMargin(dlg, side, StepMargin(side, *WorkingMargin(side), delta));
        // The up-down keeps no value of its own.
        SetWindowLongPtrA(dlg, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id >= IdMarginFirst && id < IdMarginFirst + 4) {
            if (code != EN_KILLFOCUS) return FALSE;
            if (Closing) return TRUE;  // the focus leaves a closing dialog
            char text[7] = "";
            GetDlgItemTextA(dlg, id, text, sizeof text);
            SetMargin(dlg, SideOf(id, IdMarginFirst), ParseMargin(text));
            return TRUE;
        }
        switch (id) {
        case IdPrinters:
            if (code != CBN_SELCHANGE) return FALSE;
            {
                HWND list = GetDlgItem(dlg, IdPrinters);
                const LRESULT i = SendMessageA(list, CB_GETCURSEL, 0, 0);
                if (i < 0 || SendMessageA(list, CB_GETLBTEXTLEN, i, 0) >=
                                 static_cast<LRESULT>(sizeof PrinterName))
                    return TRUE;
                SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(PrinterName));
            }
            // Properties made for the printer now chosen stay with it.
            if (!DevModeOfPrinter()) ReleaseDevMode();
            MeasurePrinter();
            Layout(dlg);
            return TRUE;
        case IdDocProps: ShowDocumentProperties(dlg); return TRUE;
        case IdPrintProps:
            SendMessageA(wn, WM_COMMAND, CM_PRINT_PROPERTIES, 0);
            Layout(dlg);
            return TRUE;
        case IdFooterOn:
            FooterBlock[0] = FooterBlock[0] ? 0 : 1;
            Repaint(dlg);
            return TRUE;
        case IdFormatFooter:
            SendMessageA(wn, WM_COMMAND, CM_FOOTER, 0);
            Repaint(dlg);
            return TRUE;
        case IdRelayout: Layout(dlg); return TRUE;
        case IDOK: PrintJob(dlg); return TRUE;
        case IDCANCEL: Close(dlg, 0); return TRUE;
        }
        return FALSE;
    }
    }
    return FALSE;
}
