#include "app/recent_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "document/document.h"

// A file opened from the dialog (p 9) or from the recent list at p: the
// entries 0..returned value change.
TEST(PromoteRecent, TheOpenedFileGoesToTheTop) {
    using L = std::vector<std::string>;
    const struct {
        L before;
        const char* name;
        int p, changed;
        L after;
    } cases[] = {
        {{}, "A", 9, 0, {"A"}},  // an empty list: nothing searched or shifted
        {{"B", "A"}, "C", 9, 9, {"C", "B", "A"}},
        {{"C", "B", "A"}, "A", 9, 2, {"A", "C", "B"}},
        {{"A", "B", "C", "D", "E"}, "C", 2, 2, {"C", "A", "B", "D", "E"}},
        {{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, "new", 9, 9,
         {"new", "0", "1", "2", "3", "4", "5", "6", "7", "8"}},  // the oldest drops out
        {{"X", "C:\\DIR\\FILE.TXT", "Y"}, "c:\\dir\\file.txt", 9, 1, {"c:\\dir\\file.txt", "X", "Y"}},
        {{"c:\\x"}, "c:\\.\\x", 9, 9, {"c:\\.\\x", "c:\\x"}},  // no path normalisation
        {{"A", "B"}, "a", 0, 0, {"a", "B"}},  // a reload rewrites the top only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::memset(RecentFiles, 0, sizeof RecentFiles);
        for (size_t i = 0; i < c.before.size(); ++i) std::strcpy(RecentFiles[i], c.before[i].c_str());
        std::strcpy(FileName, c.name);
        EXPECT_EQ(PromoteRecent(c.p), c.changed);
        L list(std::begin(RecentFiles), std::end(RecentFiles));
        while (!list.empty() && list.back().empty()) list.pop_back();
        EXPECT_EQ(list, c.after);
    }
}
