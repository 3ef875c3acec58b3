// Interpret mode on a large DLL in the real main window: the time from the
// open command until the tree is shown with its root selected, and the time
// of each selection with its repaint, node by node. Then the floor: the same
// tree in a bare control of the same size and styles over the program's,
// and the view's rows drawn by the least code, each selection repainted.
//   orvex-interp-bench [FILE]   (default: Wine's shell32.dll)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/app_win.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "document/line_index.h"
#include "floor_win.h"
#include "interpret/interp_tree.h"
#include "interpret/interpret_win.h"
#include "interpret/selection.h"
#include "resource_ids.h"

namespace {

HHOOK Hook = 0;
int Boxes = 0;

// Message boxes ("More than 1666 cursors/icons!", "Unrecognized format!")
// are answered at once and counted.
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && wParam) {
        char cls[32] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        if (std::strcmp(cls, "#32770") == 0 && reinterpret_cast<HWND>(wParam) != hDlgPreview) {
            ++Boxes;
            PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(Hook, code, wParam, lParam);
}

void Pump() { DispatchWaiting(); }

// Time spent repainting each window, summed over the run, and each
// selection's repaint of the tree and the view.
double PaintTime[4];
double LastPaint[4];

void Timed(int which, HWND h) {
    if (!h) return;
    const double a = Now();
    UpdateWindow(h);
    GdiFlush();
    LastPaint[which] = Now() - a;
    PaintTime[which] += LastPaint[which];
}

void ShowAll() {
    Timed(3, hViewWnd);
    Timed(1, hTreeView);
    Timed(2, hImageWnd);
    Timed(0, wn);
}

void Report(const char* what, std::vector<double> v) {
    if (v.empty()) return;
    std::sort(v.begin(), v.end());
    const size_t over = static_cast<size_t>(v.end() - std::upper_bound(v.begin(), v.end(), 20.0));
    std::printf("%s: %zu selections, median %.2f ms, 99th %.2f ms, max %.2f ms, %zu over 20 ms\n",
                what, v.size(), v[v.size() / 2], v[v.size() * 99 / 100], v.back(), over);
}

// The bare control, filled as the program fills its tree.
HWND BareTree(std::vector<HTREEITEM>& items) {
    RECT r;
    GetWindowRect(hTreeView, &r);
    MapWindowPoints(nullptr, wn, reinterpret_cast<POINT*>(&r), 2);
    HWND tree = CreateWindowExA(
        WS_EX_CLIENTEDGE, "SysTreeView32", "",
        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, r.left, r.top,
        r.right - r.left, r.bottom - r.top, wn, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(tree, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    items.assign(TreeNodes.size(), nullptr);
    std::vector<int32_t> order{RootNode};  // parents before children
    for (size_t i = 0; i < order.size(); ++i) {
        const TreeNode& n = TreeNodes[static_cast<size_t>(order[i])];
        TVINSERTSTRUCTA ins{};
        ins.hParent = n.Parent < 0 ? TVI_ROOT : items[static_cast<size_t>(n.Parent)];
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_CHILDREN;
        ins.item.pszText = const_cast<char*>(n.Text);
        ins.item.cChildren = n.HasChildren ? 1 : 0;
        items[static_cast<size_t>(order[i])] = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
        for (int32_t c = n.FirstChild; c >= 0; c = TreeNodes[static_cast<size_t>(c)].NextSibling)
            order.push_back(c);
    }
    for (size_t n = 0; n < TreeNodes.size(); ++n)
        if (TreeNodes[n].Expanded && items[n])
            SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[n]));
    return tree;
}

void Floor() {
    std::vector<HTREEITEM> items;
    HWND tree = BareTree(items);
    FloorRows rows;
    rows.rows.assign(static_cast<size_t>(ScreenLines),
                     "00001000:  4D5A 9000 0300 0000  0400 0000 FFFF 0000  [MZ..............]");
    HWND view = MakeFloorView(wn, hViewWnd, &rows);
    UpdateWindow(tree);
    UpdateWindow(view);
    Pump();
    std::vector<double> times, trees, views;
    for (HTREEITEM item : items) {
        if (!item) continue;
        const double a = Now();
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        UpdateWindow(tree);
        GdiFlush();
        const double m = Now();
        InvalidateRect(view, nullptr, TRUE);
        UpdateWindow(view);
        GdiFlush();
        const double b = Now();
        Pump();
        times.push_back(b - a);
        trees.push_back(m - a);
        views.push_back(b - m);
    }
    Report("floor, each selection with its repaint", times);
    Report("  of which the bare tree, selection and repaint", trees);
    Report("  of which the view's rows, one ExtTextOutA each", views);
    DestroyWindow(view);
    DestroyWindow(tree);
    Pump();
}

}  // namespace

int main(int argc, char** argv) {
    const char* path =
        argc > 1 ? argv[1] : "Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows\\shell32.dll";
    Hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    if (!StartUp(GetModuleHandleA(nullptr), true)) return 1;
    ShowWindow(wn, SW_SHOWMAXIMIZED);
    Pump();
    SendMessageA(wn, WM_COMMAND, CM_VIEW_INTERP, 0);
    Pump();

    std::snprintf(FileName, sizeof FileName, "%s", path);
    const double t0 = Now();
    SendMessageA(wn, WM_COMMAND, CM_OPEN_NAMED, 0);
    const double loaded = Now();
    ShowAll();
    const double shown = Now();
    Pump();
    if (!hTreeView || SelNode != RootNode) {
        std::printf("no tree for %s\n", path);
        return 1;
    }
    const int treeBoxes = Boxes;
    for (double& t : PaintTime) t = 0;
    std::printf("%s: %zu nodes, %d images\n", path, TreeNodes.size(), ImageCount);
    std::printf(
        "open and read: %.1f ms; tree shown with the root selected: %.1f ms "
        "(%d message box%s answered)\n",
        loaded - t0, shown - loaded, treeBoxes, treeBoxes == 1 ? "" : "es");

    std::vector<double> times, selects, paints, treePaints, viewPaints;
    std::vector<double> quiet;  // selections that showed no message box
    for (size_t n = 0; n < TreeNodes.size(); ++n) {
        HTREEITEM item = TreeItemOf(static_cast<int32_t>(n));
        if (!item) continue;
        const int before = Boxes;
        const double a = Now();
        SendMessageA(hTreeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        const double m = Now();
        if (n < 6 && getenv("ORVEX_BENCH_TRACE")) {
            RECT r;
            const HWND ws[] = {wn, hTreeView, hImageWnd, hViewWnd, hToolBar, hStatusBar};
            const char* names[] = {"main", "tree", "pane", "view", "toolbar", "status"};
            for (int w = 0; w < 6; ++w)
                if (ws[w] && GetUpdateRect(ws[w], &r, FALSE))
                    std::printf("  node %zu: %s invalid %ld,%ld-%ld,%ld\n", n, names[w], r.left,
                                r.top, r.right, r.bottom);
        }
        for (double& t : LastPaint) t = 0;
        ShowAll();
        const double b = Now();
        Pump();
        treePaints.push_back(LastPaint[1]);
        viewPaints.push_back(LastPaint[3]);
        times.push_back(b - a);
        selects.push_back(m - a);
        paints.push_back(b - m);
        if (Boxes == before) quiet.push_back(b - a);
    }
    Report("every selection with its repaint", times);
    Report("selections without a message box", quiet);
    Report("  of which the selection message", selects);
    Report("  of which the repaint", paints);
    Report("  of which the tree's repaint", treePaints);
    Report("  of which the view's repaint", viewPaints);
    std::printf(
        "  repaint time per selection: main %.2f ms, tree %.2f ms, pane %.2f ms, "
        "view %.2f ms\n",
        PaintTime[0] / times.size(), PaintTime[1] / times.size(), PaintTime[2] / times.size(),
        PaintTime[3] / times.size());
    // The parts of building the tree, done again.
    double a = Now();
    DestroyImageIcons();
    MakeImageIcons();
    for (int16_t i = 0; i < ImageCount; ++i) ImageIcon(i);
    std::printf("making all %d icons again: %.1f ms (each is made when first drawn)\n", ImageCount,
                Now() - a);
    a = Now();
    UserMessages messages;
    BuildInterpTree(messages);
    std::printf("reading the tree data again: %.1f ms\n", Now() - a);
    Floor();
    DestroyWindow(wn);
    Pump();
    return 0;
}
