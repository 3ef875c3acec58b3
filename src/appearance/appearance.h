// The screen font and the four colours of the view. Colours are COLORREF
// values: 0x00BBGGRR.
#pragma once
#include <cstdint>

// The defaults, for a first run and for stored values that cannot be used.
constexpr int16_t DefaultFontHeight = 12;
constexpr int16_t DefaultFontWidth = 8;
constexpr uint32_t DefaultTextColor = 0x00000000;      // black
constexpr uint32_t DefaultBkColor = 0x00C0FFFF;        // red 255, green 255, blue 192
constexpr uint32_t DefaultMarkTextColor = 0x00000000;  // black
constexpr uint32_t DefaultMarkBkColor = 0x008080FF;    // red 255, green 128, blue 128

extern char FontName[32];      // face of the screen font
extern int16_t FontHeight;     // screen font height
extern int16_t FontWidth;      // screen font width; 0 leaves it to the font mapper
extern uint32_t TextColor;
extern uint32_t BkColor;
extern uint32_t MarkTextColor;
extern uint32_t MarkBkColor;
