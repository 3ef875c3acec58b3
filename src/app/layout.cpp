#include "app/layout.h"

#include "app/settings.h"

int32_t ViewWidth = 0;
int32_t ViewHeight = 0;
int32_t ToolBarHeight = 0;
int32_t StatusEdges[4] = {0, 0, 0, 0};
int32_t ImagePaneHeight = 0;
uint8_t IsMaximized = 0;
uint8_t SplitDrag = 0;
int16_t DragOffset = 0;

int32_t ContentHeight = 0;
uint8_t ImageIsBitmap = 0;

void SetStatusEdges(int32_t right) {
    StatusEdges[0] = right - 370;
    StatusEdges[1] = right - 320;
    StatusEdges[2] = right - 150;
    StatusEdges[3] = right;
}

int StatusPartAt(int32_t x) {
    if (x <= StatusEdges[0]) return 0;
    if (x <= StatusEdges[1]) return 1;
    if (x <= StatusEdges[2]) return 2;
    return 3;
}

bool OnSplitter(int32_t x, int32_t y) {
    return y < ViewHeight && x >= TreeWidth && x <= TreeWidth + 3;
}

int32_t ImagePaneHeightFor(int32_t width, int32_t height, int32_t scrollHeight) {
    // The pane always shows both scroll bars: the cells of a row fit beside
    // the vertical one and the pane keeps room below for the horizontal one,
    // so that no picture lies under a bar.
    const int32_t cell = CellHeight > 0 ? CellHeight : 1;
    if (!ImageIsBitmap) {
        int32_t perRow = CellWidth > 0 ? (width - 4 - scrollHeight) / CellWidth : 1;
        if (perRow < 1) perRow = 1;
        const int32_t count = ImageLast >= ImageFirst ? ImageLast - ImageFirst : 0;
        ContentHeight = (count / perRow + 1) * cell;
    }
    int32_t pane = ContentHeight + 4;
    const int32_t limit = 7 * (height / 8);
    if (limit < pane) pane = ImageIsBitmap ? limit : limit / cell * cell;
    return pane + scrollHeight;
}
