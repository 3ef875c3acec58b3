#include "print/print_settings.h"

#include <cstring>

Margins PortraitMargins = DefaultPortraitMargins;
Margins LandscapeMargins = DefaultLandscapeMargins;
char PrintFontName[32] = "Courier New";
uint8_t PrintBold = 0;
uint8_t PrintItalic = 0;
uint8_t PrintSize = 4;
uint8_t PrintCpi = 0;
uint8_t PrintSpacing = 2;
uint8_t PrintLineNums = 0;
char FooterBlock[FooterBlockSize] = {};

void SetDefaultFooter() {
    static_assert(sizeof DefaultFooterText < FooterBlockSize, "the default footer fits");
    std::memset(FooterBlock, 0, sizeof FooterBlock);
    FooterBlock[0] = 1;
    std::memcpy(FooterBlock + 1, DefaultFooterText, sizeof DefaultFooterText);
}

namespace {
// The footer is on, with its default text, before any settings are read.
[[maybe_unused]] const bool FooterSet = (SetDefaultFooter(), true);
}  // namespace
