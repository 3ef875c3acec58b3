#include "print/print_settings.h"

Margins PortraitMargins = {100, 55, 50, 55};
Margins LandscapeMargins = {55, 100, 55, 50};
char PrintFontName[32] = "Courier New";
uint8_t PrintBold = 0;
uint8_t PrintItalic = 0;
uint8_t PrintSize = 4;
uint8_t PrintCpi = 0;
uint8_t PrintSpacing = 2;
uint8_t PrintLineNums = 0;
char FooterBlock[FooterBlockSize] = "\x01%F\tPage %p of %n\t%D  %T";
