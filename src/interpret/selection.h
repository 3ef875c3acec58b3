// What selecting a tree node does to the view: the byte range and drawing
// mode, the listing, the export command and the images to show. The window
// layer shows the returned messages and the image pane.
#pragma once
#include <cstdint>
#include <vector>

#include "interpret/interp_tree.h"

extern uint8_t SelKind;     // low 8 bits of the selected node's kind
extern uint8_t SelType;     // high 8 bits: a resource type id
extern uint16_t ExportCmd;  // 260 bitmaps, 261 cursors, 262 icons, 0 none

// The image pane.
constexpr uint8_t ImagesNone = 0;    // no pane
constexpr uint8_t ImagesGrid = 1;    // the images of SelImages in a grid
constexpr uint8_t ImagesBitmap = 2;  // the bitmap resource at ByteOffset
extern uint8_t ImageShow;
// The range of the image table the selection stands for (ImageLast <
// ImageFirst: empty), and the table indexes of exactly its images, in
// order, which the pane draws: a group's images looked up by their ids, its
// range as long as the images found.
extern int16_t ImageFirst;
extern int16_t ImageLast;
extern std::vector<int16_t> SelImages;
// For a group entry, the file offset of the group entry of each image of
// SelImages (what its export keeps); empty otherwise.
extern std::vector<uint32_t> SelGroupEntries;
// A DIALOG entry is selected: the window layer opens its preview.
extern uint8_t ShowDialogPreview;

// The node whose selection the state above describes.
extern int32_t SelNode;

// Applies the selection of `node` to the view state (ByteOffset, NumBytes,
// ByteNum, ShowMode, NumLines, LineNum, Col, NumCols, RvaBias) and the state
// above. Messages to show are appended to `shown`.
void SelectNode(int32_t node, UserMessages& shown);

// Forgets the selection: no node, no kind, no export command, no images.
void ClearSelection();
