// Find: the search options.
#pragma once
#include <cstdint>

extern uint8_t ExactCase;  // "Search for Exact case": 0 or 8
extern uint8_t HexSearch;  // "Search in Hex mode": 0 or 8
