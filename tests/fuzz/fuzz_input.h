// Takes numbers for a fuzz run's settings off the front of its input.
#pragma once
#include <cstddef>
#include <cstdint>

struct Reader {
    const uint8_t* data;
    size_t size;
    // Up to four bytes, big-endian, reduced modulo `mod` (0: not reduced).
    uint32_t Take(uint32_t mod) {
        uint32_t v = 0;
        for (int i = 0; i < 4 && size; ++i, ++data, --size) v = (v << 8) | *data;
        return mod ? v % mod : v;
    }
};
