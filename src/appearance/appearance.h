// The screen font and the four colours of the view. Colours are COLORREF
// values: 0x00BBGGRR.
#pragma once
#include <cstdint>

extern char FontName[32];      // face of the screen font
extern int16_t FontHeight;     // screen font height
extern int16_t FontWidth;      // screen font width; 0 leaves it to the font mapper
extern uint32_t TextColor;
extern uint32_t BkColor;
extern uint32_t MarkTextColor;
extern uint32_t MarkBkColor;
