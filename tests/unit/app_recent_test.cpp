#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/recent_files.h"
#include "document/document.h"

namespace {
void SetList(const std::vector<std::string>& names) {
    std::memset(RecentFiles, 0, sizeof RecentFiles);
    for (size_t i = 0; i < names.size(); ++i) std::strcpy(RecentFiles[i], names[i].c_str());
}
std::vector<std::string> List() {
    std::vector<std::string> out;
    for (auto& e : RecentFiles) out.push_back(e);
    while (!out.empty() && out.back().empty()) out.pop_back();
    return out;
}
int Open(const char* name, int p) {
    std::strcpy(FileName, name);
    return PromoteRecent(p);
}
using L = std::vector<std::string>;
}  // namespace

TEST(PromoteRecent, NewAndRepeatedFilesFromTheDialog) {
    SetList({});
    EXPECT_EQ(Open("A", 9), 0);  // an empty list: nothing searched or shifted
    EXPECT_EQ(List(), L({"A"}));
    Open("B", 9);
    Open("C", 9);
    EXPECT_EQ(List(), L({"C", "B", "A"}));
    EXPECT_EQ(Open("A", 9), 2);  // found at 2: entries 0..2 change
    EXPECT_EQ(List(), L({"A", "C", "B"}));
}

TEST(PromoteRecent, RecentItemMovesToTheTop) {
    SetList({"A", "B", "C", "D", "E"});
    EXPECT_EQ(Open("C", 2), 2);
    EXPECT_EQ(List(), L({"C", "A", "B", "D", "E"}));
}

TEST(PromoteRecent, EleventhFileDropsTheOldest) {
    SetList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    EXPECT_EQ(Open("new", 9), 9);
    EXPECT_EQ(List(), L({"new", "0", "1", "2", "3", "4", "5", "6", "7", "8"}));
}

TEST(PromoteRecent, CaseIsIgnoredAndTheNewFormKept) {
    SetList({"X", "C:\\DIR\\FILE.TXT", "Y"});
    EXPECT_EQ(Open("c:\\dir\\file.txt", 9), 1);
    EXPECT_EQ(List(), L({"c:\\dir\\file.txt", "X", "Y"}));
    // No path normalisation: these differ.
    Open("c:\\.\\dir\\file.txt", 9);
    EXPECT_EQ(List().size(), 4u);
}

TEST(PromoteRecent, ReloadRewritesOnlyTheTop) {
    SetList({"A", "B"});
    EXPECT_EQ(Open("a", 0), 0);
    EXPECT_EQ(List(), L({"a", "B"}));
}
