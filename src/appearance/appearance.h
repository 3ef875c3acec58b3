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

extern char FontName[32];   // face of the screen font
extern int16_t FontHeight;  // screen font height
extern int16_t FontWidth;   // screen font width; 0 leaves it to the font mapper
extern uint32_t TextColor;
extern uint32_t BkColor;
extern uint32_t MarkTextColor;
extern uint32_t MarkBkColor;

// The custom colours of the colour dialog, kept for the run (not stored);
// the dialog writes the user's changes back into them.
constexpr int CustColorCount = 16;
extern uint32_t CustColors[CustColorCount];

// The colour that a colour command (316 text, 317 background, 318 marked
// text, 319 marked background) changes; nullptr for any other command.
uint32_t* CommandColor(int id);
