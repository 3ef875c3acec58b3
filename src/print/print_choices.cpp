#include "print/print_choices.h"

#include <algorithm>
#include <cstdio>

const char* const PrintSizeTexts[PrintSizeCount] = {" 8", " 9", "10", "11", "12",
                                                    "14", "16", "18", "20", "24"};
const char* const CpiTexts[CpiChoiceCount] = {"Default", " 8", "10", "12", "15", "17", "20"};
const char* const SpacingTexts[3] = {"1", "1\xBD", "2"};
const char* const LineNumTexts[LineNumChoiceCount] = {"None", "2 digits", "3 digits", "4 digits",
                                                      "5 digits"};

const char* SampleText(int line, int lineNums) {
    const char* text = line == 1 ? "00001:  Line 1 ..." : "00002:  Line 2 ...";
    if (lineNums <= 0) return text + 8;
    return text + 4 - std::min(lineNums, 4);
}

int32_t SampleFontWidth(int cpiIndex) {
    if (cpiIndex <= 0 || cpiIndex >= CpiChoiceCount) return 0;
    return 72 / CpiChoices[cpiIndex];
}

int32_t SampleSecondLineY(int32_t height, int spacing) { return 4 + spacing * height / 2; }

int32_t ParseMargin(const char* text) {
    int32_t value = 0;
    int i = 0;
    for (; i < 6 && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
    value *= 100;
    if (i < 6 && text[i] == '.') {
        static const int32_t weight[2] = {10, 1};
        for (int k = 0; k < 3 && ++i < 6 && text[i] >= '0' && text[i] <= '9'; ++k) {
            const int32_t digit = text[i] - '0';
            if (k < 2)
                value += digit * weight[k];
            else if (digit >= 5)
                value += 1;
        }
    }
    return value;
}

int32_t StepMargin(MarginSide side, int32_t value, int delta) {
    if (delta == 0) return value;
    const int32_t step = delta < 0 ? -MarginStep : MarginStep;
    return side == MarginTop || side == MarginRight ? value + step : value - step;
}

int32_t LimitMargin(int32_t value, int32_t least) {
    return std::max(std::min(value, MaxMargin), least);
}

void FormatMargin(int32_t value, char* out) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03u", static_cast<unsigned>(std::max(value, 0)));
    out[0] = digits[0];
    out[1] = '.';
    int i = 1;
    for (; digits[i]; ++i) out[i + 1] = digits[i];
    out[i + 1] = '\0';
}
