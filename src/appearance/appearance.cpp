#include "appearance/appearance.h"

char FontName[32] = "Terminal";
int16_t FontHeight = DefaultFontHeight;
int16_t FontWidth = DefaultFontWidth;
uint32_t TextColor = DefaultTextColor;
uint32_t BkColor = DefaultBkColor;
uint32_t MarkTextColor = DefaultMarkTextColor;
uint32_t MarkBkColor = DefaultMarkBkColor;
