#include "appearance/appearance.h"

char FontName[32] = "Terminal";
int16_t FontHeight = 12;
int16_t FontWidth = 8;
uint32_t TextColor = 0x00000000;
uint32_t BkColor = 0x00C0FFFF;
uint32_t MarkTextColor = 0x00000000;
uint32_t MarkBkColor = 0x008080FF;
