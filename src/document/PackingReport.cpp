// Packing reports from the string table.
#include "document/PackingReport.h"

#include "document/StringIds.h"
#include "document/StringTable.h"

std::string TooSmallReport(int count) {
    if (count <= 0) {
        return {};
    }
    if (count == 1) {
        return LoadString(ids::kCircleTooSmall);
    }
    std::string text = LoadString(ids::kCirclesTooSmall);
    if (auto at = text.find("%s"); at != std::string::npos) {
        text.replace(at, 2, std::to_string(count));
    }
    return text;
}
