// The Settings dialog's record filled from, and copied back to, the variables the model and
// the view read, along the settings table.
#include "document/SettingsValues.h"

#include "document/SettingsTable.h"

CSettingsValues CSettingsValues::Current(const CViewSettings& view) {
    CSettingsValues values;
    for (const CSetting& setting : SettingsTable()) {
        std::visit(
            [&](const auto& s) {
                if (s.field != nullptr) {
                    values.*s.field = s.variable.In(view);
                }
            },
            setting.kind);
    }
    return values;
}

void CSettingsValues::Store(CViewSettings& view) const {
    for (const CSetting& setting : SettingsTable()) {
        std::visit(
            [&](const auto& s) {
                if (s.field != nullptr) {
                    s.variable.In(view) = this->*s.field;
                }
            },
            setting.kind);
    }
}
