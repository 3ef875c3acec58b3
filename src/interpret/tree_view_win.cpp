// The interpretation tree in its control: built from the tree data when
// interpret mode is shown, destroyed with its icons and panes, and the
// selection of a node applied to the view.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <new>
#include <vector>

#include "app/app_win.h"
#include "app/layout.h"
#include "app/settings.h"
#include "document/document.h"
#include "interpret/image_check.h"
#include "interpret/interp_tree.h"
#include "interpret/interpret_win.h"
#include "interpret/selection.h"

HWND hDlgPreview = 0;

namespace {

// Error box numbers.
constexpr unsigned TreeCreateFailed = 1442;
constexpr unsigned RootInsertFailed = 942;
constexpr unsigned SectionInsertFailed = 818;
constexpr unsigned DirectoryInsertFailed = 855;
constexpr unsigned PreviewFailed = 2898;
constexpr unsigned TreeOutOfMemory = 1443;
constexpr unsigned SelectOutOfMemory = 2890;

// The control's item of every node of the tree data.
std::vector<HTREEITEM> Items;

void ShowMessages(const UserMessages& shown) {
    for (const UserMessage& m : shown)
        MessageBoxA(wn, m.Text, m.Caption[0] ? m.Caption : nullptr, MB_OK);
}

HTREEITEM Insert(HTREEITEM parent, int32_t node) {
    TreeNode& n = TreeNodes[static_cast<size_t>(node)];
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent;
    // Siblings arrive in the order of the tree data, which has placed the
    // sorted ones already: the control never sorts, so what it shows is
    // that order, and inserting stays linear.
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    ins.item.pszText = n.Text;
    ins.item.cChildren = n.HasChildren ? 1 : 0;
    ins.item.lParam = node;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(hTreeView, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

// Inserts the children of `node`, depth first, parents before children.
void InsertChildren(int32_t node) {
    std::vector<int32_t> stack{node};
    while (!stack.empty()) {
        const int32_t parent = stack.back();
        stack.pop_back();
        const HTREEITEM item = Items[static_cast<size_t>(parent)];
        if (!item) continue;
        std::vector<int32_t> kids;
        for (int32_t c = TreeNodes[static_cast<size_t>(parent)].FirstChild; c >= 0;
             c = TreeNodes[static_cast<size_t>(c)].NextSibling) {
            const HTREEITEM made = Insert(item, c);
            Items[static_cast<size_t>(c)] = made;
            if (!made && InterpKind == InterpExe) {
                const uint16_t kind = TreeNodes[static_cast<size_t>(c)].Kind;
                if (parent == RootNode && kind == 0) LastErrorBox(SectionInsertFailed);
                if (kind >= 16 && kind < 32) LastErrorBox(DirectoryInsertFailed);
            }
            if (TreeNodes[static_cast<size_t>(c)].FirstChild >= 0) kids.push_back(c);
        }
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) stack.push_back(*it);
    }
}

// True for a click on a button: the only command that ends the preview.
// Other controls with the ids 1 and 2 (an edit, a list, a notifying
// static) send their own notifications, some while they are created.
bool ButtonClicked(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED || !lParam) return false;
    char cls[16] = "";
    GetClassNameA(reinterpret_cast<HWND>(lParam), cls, sizeof cls);
    return lstrcmpiA(cls, "Button") == 0;
}

INT_PTR CALLBACK PreviewDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) &&
        ButtonClicked(wParam, lParam)) {
        if (hwnd == hDlgPreview) hDlgPreview = 0;
        DestroyWindow(hwnd);
        return TRUE;
    }
    return FALSE;
}

void DestroyPreview() {
    if (!hDlgPreview) return;
    HWND h = hDlgPreview;
    hDlgPreview = 0;
    DestroyWindow(h);
}

// The program's own window classes: a template that names one would make a
// program window from the file.
const char* const OwnClasses[] = {"Orvex", "TextClient", "PlainVanilla", nullptr};

// The live preview of the DIALOG entry shown: made from a copy of its
// bytes, once the whole template with its items is known to lie in them.
void OpenPreview() {
    const uint8_t* bytes = FileBuf + static_cast<uint32_t>(ByteOffset);
    HGLOBAL mem = GlobalAlloc(GMEM_FIXED, NumBytes ? NumBytes : 1);
    if (!mem) {
        LastErrorBox(PreviewFailed);
        return;
    }
    std::memcpy(mem, bytes, NumBytes);
    if (DialogTemplateFits(static_cast<const uint8_t*>(mem), NumBytes, OwnClasses)) {
        hDlgPreview = CreateDialogIndirectParamA(hInst, static_cast<LPCDLGTEMPLATEA>(mem), wn,
                                                 PreviewDlgProc, 0);
    } else {
        SetLastError(ERROR_INVALID_DATA);
    }
    if (!hDlgPreview) {
        // The template's structure was checked: a failure the system gives
        // no code for is a control whose class this process does not have
        // (rather than "Success.").
        const DWORD code = GetLastError();
        ErrorBox(PreviewFailed, code ? code : ERROR_CANNOT_FIND_WND_CLASS);
    }
    GlobalFree(mem);
    if (!hDlgPreview) return;
    RECT view;
    GetWindowRect(hViewWnd, &view);
    POINT at{view.left + 2, view.top + 2};
    // A template with the child style makes a child of the main window,
    // placed in its client coordinates.
    if (GetWindowLongA(hDlgPreview, GWL_STYLE) & WS_CHILD) ScreenToClient(wn, &at);
    // The focus goes back to the tree first: that activates the main window,
    // which raises it, so the preview is placed above it afterwards.
    SetFocus(hTreeView);
    SetWindowPos(hDlgPreview, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(hDlgPreview, SW_SHOWNOACTIVATE);
    SetWindowPos(hDlgPreview, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

HTREEITEM TreeItemOf(int32_t node) {
    if (node < 0 || static_cast<size_t>(node) >= Items.size()) return 0;
    return Items[static_cast<size_t>(node)];
}

void CreateTV(HWND parent) {
    CellWidth = 0;
    hTreeView =
        CreateWindowExA(WS_EX_CLIENTEDGE, "SysTreeView32", "",
                        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0,
                        0, TreeWidth, ViewHeight, parent, nullptr, hInst, nullptr);
    if (!hTreeView) {
        LastErrorBox(TreeCreateFailed);
        return;
    }
    UserMessages shown;
    try {
        BuildInterpTree(shown);
    } catch (const std::bad_alloc&) {
        // Memory ran out while reading: the tree keeps only its root.
        ErrorBox(TreeOutOfMemory, ERROR_NOT_ENOUGH_MEMORY);
        ClearInterpTree();
        AddNode(-1, FileNamePart ? FileNamePart : "", 0, 0, 0, 0, false);
        TreeNodes[RootNode].FirstChild = TreeNodes[RootNode].NextSibling = -1;
    }
    ShowMessages(shown);
    MakeImageIcons();
    Items.assign(TreeNodes.size(), nullptr);
    Items[RootNode] = Insert(TVI_ROOT, RootNode);
    if (!Items[RootNode]) {
        LastErrorBox(RootInsertFailed);
    } else {
        InsertChildren(RootNode);
        for (size_t n = 0; n < TreeNodes.size(); ++n)
            if (TreeNodes[n].Expanded && Items[n])
                SendMessageA(hTreeView, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Items[n]));
        SelNode = -1;
        SendMessageA(hTreeView, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(Items[RootNode]));
        // A control that had selected the root by itself sends no change.
        if (SelNode != RootNode) {
            NMTREEVIEWA nm{};
            nm.hdr.hwndFrom = hTreeView;
            nm.hdr.code = TVN_SELCHANGEDA;
            nm.itemNew.hItem = Items[RootNode];
            nm.itemNew.lParam = RootNode;
            TreeSelChanged(reinterpret_cast<LPARAM>(&nm));
        }
    }
    SendMessageA(wn, WM_SIZE, 0, 0);
}

void TreeSelChanged(LPARAM notification) {
    const NMTREEVIEWA* nm = reinterpret_cast<const NMTREEVIEWA*>(notification);
    DestroyPreview();
    const int32_t node = static_cast<int32_t>(nm->itemNew.lParam);
    UserMessages shown;
    try {
        SelectNode(node, shown);
    } catch (const std::bad_alloc&) {
        ErrorBox(SelectOutOfMemory, ERROR_NOT_ENOUGH_MEMORY);
        ClearSelection();
        SelNode = node;
    }
    ShowMessages(shown);
    if (ImageShow != ImagesNone)
        ShowImagePane();
    else
        RemoveImagePane();
    if (ShowDialogPreview) OpenPreview();
    InvalidateRect(hViewWnd, nullptr, TRUE);
}

void DestroyTV() {
    DestroyPreview();
    if (hTreeView) {
        // Cleared first: the control's notifications while it goes are not
        // taken for selections.
        HWND tree = hTreeView;
        hTreeView = 0;
        DestroyWindow(tree);
    }
    Items.clear();
    DestroyImageIcons();
    if (hImageWnd) {
        HWND pane = hImageWnd;
        hImageWnd = 0;
        DestroyWindow(pane);
    }
    ClearInterpTree();
    ClearSelection();
}
