// The ten files opened last, most recent first.
#pragma once
#include <cstdint>

constexpr int RecentCount = 10;
constexpr int RecentPathSize = 256;  // at most 255 characters and NUL
// The first menu id of the recent entries: entry i is item RecentFirstId + i.
constexpr int RecentFirstId = 336;

// An empty entry is a free slot.
extern char RecentFiles[RecentCount][RecentPathSize];

// Moves FileName to entry 0. `p` is the entry it came from: the recent item
// it was opened from, 0 for a reload, 9 for any other open (then an entry
// equal to FileName, letters compared without case, is taken as its place;
// without one the oldest entry drops out). Returns the highest entry index
// whose text changed; entries 0 to that index need to be shown again.
int PromoteRecent(int p);
