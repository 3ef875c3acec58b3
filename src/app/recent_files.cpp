#include "app/recent_files.h"

#include <cstring>

#include "document/document.h"
#include "document/text_number.h"

char RecentFiles[RecentCount][RecentPathSize];

int PromoteRecent(int p) {
    if (p < 0) p = 0;
    if (p > RecentCount - 1) p = RecentCount - 1;
    if (RecentFiles[0][0] != '\0') {
        if (p >= RecentCount - 1) {
            for (int k = 0; k < RecentCount; ++k) {
                if (SameText(RecentFiles[k], FileName)) {
                    p = k;
                    break;
                }
            }
        }
        for (int i = p; i >= 1; --i)
            std::memcpy(RecentFiles[i], RecentFiles[i - 1], RecentPathSize);
    } else {
        p = 0;
    }
    std::strncpy(RecentFiles[0], FileName, RecentPathSize - 1);
    RecentFiles[0][RecentPathSize - 1] = '\0';
    return p;
}
