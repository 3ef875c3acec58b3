#include "document/text_number.h"

#include <cstring>

const char HexDigits[17] = "0123456789ABCDEF";

void FormatDec(char* buffer, uint32_t value, int width, char fill) {
    if (width <= 0) return;
    std::memset(buffer, fill, static_cast<size_t>(width));
    char* p = buffer + width;
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 && p != buffer);
}

void FormatHex(char* buffer, uint32_t value, int width, char fill) {
    if (width <= 0) return;
    std::memset(buffer, fill, static_cast<size_t>(width));
    char* p = buffer + width;
    do {
        *--p = HexDigits[value & 15];
        value >>= 4;
    } while (value != 0 && p != buffer);
}

uint32_t ParseDec(const char* text) {
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10u + static_cast<uint32_t>(*text - '0');
    return value;
}

uint32_t ParseHex(const char* text) {
    uint32_t value = 0;
    for (;; ++text) {
        const char c = *text;
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else
            return value;
        value = (value << 4) | digit;
    }
}

void AddCommas(char* text) {
    const size_t n = std::strlen(text);
    if (n < 4) return;
    const size_t commas = (n - 1) / 3;
    // Move from the right end leftwards so no digit is overwritten early.
    char* src = text + n;  // at the NUL
    char* dst = src + commas;
    *dst = '\0';
    size_t digits = 0;
    while (src != text) {
        *--dst = *--src;
        if (++digits % 3 == 0 && src != text) *--dst = ',';
    }
}

int CompareText(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (*a != *b) return 1;
        if (*a == '\0') return 0;
    }
}

bool SameText(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const unsigned char ca = static_cast<unsigned char>(*a);
        const unsigned char cb = static_cast<unsigned char>(*b);
        if (ca != cb) {
            const unsigned char folded = static_cast<unsigned char>(cb | 0x20);
            if ((ca ^ cb) != 0x20 || folded < 'a' || folded > 'z') return false;
        }
        if (ca == '\0') return true;
    }
}

const char* NamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\') name = p + 1;
    return name;
}

char* NamePart(char* path) { return const_cast<char*>(NamePart(static_cast<const char*>(path))); }

int IsWordChar(unsigned char c, unsigned keys) {
    const unsigned char lower = static_cast<unsigned char>(c | 0x20);
    if (lower >= 'a' && lower <= 'z') return 1;
    if (c >= '0' && c <= '9') return 1;
    if (c == '_' && (keys & (KeyShift | KeyControl))) return 1;
    if ((keys & KeyControl) && (c == '.' || c == '/' || c == ':' || c == '\\' || c == '~'))
        return 1;
    return 0;
}
