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
