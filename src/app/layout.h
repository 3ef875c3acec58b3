// The frame's geometry: where the status bar parts end, where the splitter
// lies and how high the image pane is. The windows are placed by
// main_frame_win.cpp with these numbers.
#pragma once
#include "interpret/image_pane.h"
#include "interpret/image_table.h"
#include "interpret/selection.h"
#include <cstdint>

extern int32_t ViewWidth;        // width right of the tree pane
extern int32_t ViewHeight;       // height between toolbar and status bar
extern int32_t ToolBarHeight;    // the toolbar's client height plus 2
extern int32_t StatusEdges[4];   // right edges of the status bar parts
extern int32_t ImagePaneHeight;  // height of the image pane when it exists (image_pane.h)
extern uint8_t IsMaximized;      // 1 while the main window is maximised
extern uint8_t SplitDrag;        // 1 while the splitter is dragged
extern int16_t DragOffset;       // pointer x minus TreeWidth at the press

// The gap between the tree pane and the views.
constexpr int32_t SplitterGap = 4;

// Sets StatusEdges for a client area `right` pixels wide.
void SetStatusEdges(int32_t right);

// Which status bar part a click at x falls in: 0 to 3.
int StatusPartAt(int32_t x);

// True when a press at (x, y) of the main window grabs the splitter.
bool OnSplitter(int32_t x, int32_t y);
