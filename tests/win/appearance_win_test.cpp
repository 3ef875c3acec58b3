// Screen font and colours chosen in their dialogs: as drawn, and after a restart.
#include "appearance/font_list_win.h"
#include "win_test_support.h"

namespace {

enum FontItem { FamilyList = 160, SizeList = 161 };
// The colour dialog's edits of red, green and blue; its button "Add to Custom
// Colors"; its custom colours, 8 boxes a row in 2 rows.
enum ColorItem { RedEdit = 706, AddCustomButton = 712, CustomBoxes = 721 };

// What the font dialog listed: "|a|*b|c|" (* selected); the families' images.
std::string Families, Sizes;
std::map<std::string, int> Images;

// The entries of a list view, which must be sorted and each there once.
std::string Entries(HWND list, std::map<std::string, int>* images = nullptr) {
    std::string out = "|", last;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        char text[64] = "";
        ListView_GetItemText(list, i, 0, text, sizeof text);
        EXPECT_LT(lstrcmpiA(last.c_str(), text), 0) << "after \"" << last << "\": " << text;
        out += std::string(ListView_GetItemState(list, i, LVIS_SELECTED) ? "*" : "") + text + "|";
        last = text;
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        if (images && ListView_GetItem(list, &item)) (*images)[last] = item.iImage;
    }
    return out;
}

// Runs `command`, whose dialog `title` is answered by `answer`, then `button`.
void Show(int command, const char* title, const Script& answer, int button) {
    Answers[title] = [answer, button](HWND d) {
        answer(d);
        Click(d, button);
    };
    Command(command);
    ASSERT_EQ(TakeTitles(), title);
    PaintView();
}
// Picks `family` and `size` in the font dialog (nullptr: the one preselected).
void PickFont(const char* family, const char* size, int button = IDOK) {
    Show(
        CM_SELECT_FONT, "Select Font and Size",
        [=](HWND d) {
            Families = Entries(GetDlgItem(d, FamilyList), &Images);
            if (family) SelectFamily(GetDlgItem(d, FamilyList), family);  // as a click would
            Sizes = Entries(GetDlgItem(d, SizeList));
            if (size) SelectFamily(GetDlgItem(d, SizeList), size);
        },
        button);
}

void ClickFirstCustomBox(HWND dialog) {
    HWND boxes = GetDlgItem(dialog, CustomBoxes);
    RECT r;
    GetClientRect(boxes, &r);
    POINT p{r.right / 16, r.bottom / 4};
    MapWindowPoints(boxes, dialog, &p, 1);
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

// A file of `bytes` shown as text with bytes 2..5 marked.
void Open(const std::string& bytes) {
    OpenInView("orvex-appearance.bin", bytes, CM_VIEW_TEXT);
    SetMark(1, 2, 6);
    PaintView();
}

std::string ScreenFont() {
    return std::string(FontName) + " " + std::to_string(FontHeight) + " x " +
           std::to_string(FontWidth);
}

using Appearance = ShellTest;

TEST_F(Appearance, FontDialogListsPreselectsAndStores) {
    const char* twelve = "| 8| 9|10|11|*12|14|16|18|20|";
    const char* terminal = "| 8 x  8|*12 x  8|16 x  8|";
    const struct {
        const char *face, *family, *size;  // FontName before; picked (nullptr: the preselected)
        int16_t height;                    // FontHeight before
        int button;
        const char *sizes, *font;  // listed for the family, * the preselected; ScreenFont() after
    } cases[] = {
        {"Terminal", nullptr, nullptr, 12, IDOK, terminal, "Terminal 12 x 8"},
        {"Liberation Mono", nullptr, nullptr, 13, IDOK, twelve, "Liberation Mono 12 x 0"},
        {"Terminal", "Courier New", "16", 12, IDOK, twelve, "Courier New 16 x 0"},
        {"Courier New", "Terminal", " 8 x  8", 12, IDOK, terminal, "Terminal 8 x 8"},
        {"Terminal", "Fixedsys", nullptr, 12, IDOK, "|*15 x  8|", "Fixedsys 15 x 8"},
        {"Terminal", "Courier New", "20", 12, IDCANCEL, twelve, "Terminal 12 x 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.face) + " -> " + (c.family ? c.family : "-"));
        std::strcpy(FontName, c.face);
        FontHeight = c.height;
        FontWidth = 3;  // takes no part in the choice
        PickFont(c.family, c.size, c.button);
        EXPECT_EQ(Sizes, c.sizes);
        EXPECT_EQ(ScreenFont(), c.font);
    }
    EXPECT_EQ(ImageList_GetImageCount(hSmallImages), 2) << "the images outlive the dialog";
    EXPECT_EQ(Images.at("Terminal"), 0);
    EXPECT_EQ(Images.at("Courier New"), 1) << "TrueType";
    EXPECT_EQ(Images.count("Liberation Serif"), 0u) << "not of fixed pitch";
    std::strcpy(FontName, "No Such Face");  // the first family is selected and stored
    PickFont(nullptr, nullptr);
    EXPECT_EQ(Families.rfind("|*" + std::string(FontName) + "|", 0), 0u) << Families;
}

TEST_F(Appearance, FaceAndColoursAreDrawnAndSurviveARestart) {
    Open(std::string(40, 'p') + "\r\n" + std::string(40, 'q') + "\r\n");
    PickFont("Liberation Mono", "18");
    EXPECT_EQ(CharWidth, 10) << "of \"A\" in Liberation Mono 18";
    // The colour's value afterwards is seen in cell `col` of row 0 (3 is
    // marked, 20 is not) and not in the other. A colour added to the custom
    // colours is offered again by the next dialog, in its first custom box.
    enum Custom { None, Add, Pick };  // Pick: the first custom box, not the typed colour
    const struct {
        int command, button;
        COLORREF typed;
        Custom custom;
        COLORREF value;
        int col;
    } cases[] = {
        {CM_BK_COLOR, IDCANCEL, RGB(1, 2, 3), None, RGB(255, 255, 192), 20},
        {CM_TEXT_COLOR, IDOK, RGB(10, 200, 30), Add, RGB(10, 200, 30), 20},
        {CM_MARK_TEXT_COLOR, IDOK, RGB(0, 0, 255), None, RGB(0, 0, 255), 3},
        {CM_MARK_BK_COLOR, IDOK, RGB(160, 0, 160), None, RGB(160, 0, 160), 3},
        {CM_BK_COLOR, IDOK, RGB(0, 160, 0), Pick, RGB(10, 200, 30), 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Show(
            c.command, "Color",
            [&](HWND d) {
                for (int i = 0; i < 3; ++i)
                    SetDlgItemInt(d, RedEdit + i, (c.typed >> (8 * i)) & 0xFF, FALSE);
                if (c.custom == Add) Click(d, AddCustomButton);
                if (c.custom == Pick) ClickFirstCustomBox(d);
            },
            c.button);
        EXPECT_EQ(*CommandColor(c.command), c.value);
        const Capture shot;
        EXPECT_GT(shot.Cell(c.col, 0, c.value), 0);
        EXPECT_EQ(shot.Cell(23 - c.col, 0, c.value), 0);
    }
    // A new start draws with them: bytes 2..5 marked in cells of 10 x 18
    // pixels, the new brush below the text.
    StopShell();
    StartShell();
    EXPECT_EQ(ScreenFont(), "Liberation Mono 18 x 0");
    Open(std::string(40, 'p'));
    const Capture shot;
    for (int c = 0; c < 42; ++c) {
        const bool marked = c >= 2 && c < 6;
        EXPECT_EQ(shot.Cell(c, 0, RGB(160, 0, 160)) > 0, marked) << c;
    }
    EXPECT_EQ(shot.Pixel(shot.r.right / 2, shot.r.bottom - 2), RGB(10, 200, 30));  // below the text
}

}  // namespace
