// Small number and text routines on single-byte, NUL-terminated text.
// None of them allocates; none reports an error.
#pragma once
#include <cstdint>

// Fills `width` characters with `fill`, then writes the digits of `value`
// from the right end leftwards (at least one digit). Digits that do not fit
// are dropped. No NUL is written.
void FormatDec(char* buffer, uint32_t value, int width, char fill);
void FormatHex(char* buffer, uint32_t value, int width, char fill);

// Reads decimal / hexadecimal digits from the first character on, stopping at
// the first character that is not a digit of the base. Wraps modulo 2^32.
uint32_t ParseDec(const char* text);
uint32_t ParseHex(const char* text);

// Inserts, in place, a comma before every group of three digits counted from
// the right end of a string of decimal digits. The buffer must have room for
// (n - 1) / 3 more characters.
void AddCommas(char* text);

// 0 exactly when both strings are equal byte for byte; non-zero otherwise.
int CompareText(const char* a, const char* b);

// True when both strings have the same length and every pair of characters is
// identical or differs only in bit 0x20 of an ASCII letter.
bool SameText(const char* a, const char* b);

// The part of a path after its last backslash; the whole path without one.
const char* NamePart(const char* path);
char* NamePart(char* path);

// Mouse key masks as the window system defines them.
constexpr unsigned KeyShift = 0x0004;    // MK_SHIFT
constexpr unsigned KeyControl = 0x0008;  // MK_CONTROL

// 1 when c belongs to a word for a double click with the given keys held.
int IsWordChar(unsigned char c, unsigned keys);

// "0123456789ABCDEF"
extern const char HexDigits[17];
