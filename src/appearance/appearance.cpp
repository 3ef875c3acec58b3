#include "appearance/appearance.h"

#include "resources/resource_ids.h"

char FontName[32] = "Terminal";
int16_t FontHeight = DefaultFontHeight;
int16_t FontWidth = DefaultFontWidth;
uint32_t TextColor = DefaultTextColor;
uint32_t BkColor = DefaultBkColor;
uint32_t MarkTextColor = DefaultMarkTextColor;
uint32_t MarkBkColor = DefaultMarkBkColor;

namespace {
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }
}  // namespace

uint32_t CustColors[CustColorCount] = {
    Rgb(255, 255, 192), Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(0, 0, 0),
    Rgb(255, 0, 255),   Rgb(255, 0, 0),     Rgb(128, 0, 128),   Rgb(128, 0, 0),
    Rgb(255, 255, 0),   Rgb(128, 128, 0),   Rgb(0, 255, 0),     Rgb(0, 128, 0),
    Rgb(0, 255, 255),   Rgb(0, 128, 128),   Rgb(0, 0, 255),     Rgb(0, 0, 128)};

uint32_t* CommandColor(int id) {
    switch (id) {
    case CM_TEXT_COLOR: return &TextColor;
    case CM_BK_COLOR: return &BkColor;
    case CM_MARK_TEXT_COLOR: return &MarkTextColor;
    case CM_MARK_BK_COLOR: return &MarkBkColor;
    default: return nullptr;
    }
}
