#include "app/find.h"

uint8_t ExactCase = 0;
uint8_t HexSearch = 0;
