// The one table of the program's settings: for each, its profile section and key, the
// variable the program runs with, its field in the Settings dialog's record and the values
// it may take. Loading and saving the profile and the dialog's record all go through it.
#pragma once

#include "document/SettingsValues.h"
#include "document/ViewSettings.h"
#include "geometry/Color.h"

#include <optional>
#include <span>
#include <string_view>
#include <variant>

// Where a setting lives: a class-wide variable of the model, or a member of the view's
// settings record.
template <class T> class CSettingVariable {
public:
    constexpr CSettingVariable(T* global) : m_global(global) {}
    constexpr CSettingVariable(T CViewSettings::*member) : m_member(member) {}

    T& In(CViewSettings& view) const { return m_global != nullptr ? *m_global : view.*m_member; }
    const T& In(const CViewSettings& view) const {
        return m_global != nullptr ? *m_global : view.*m_member;
    }

private:
    T* m_global = nullptr;
    T CViewSettings::*m_member = nullptr;
};

// The kinds of setting. `field` is the setting's copy in the Settings dialog's record, or
// null when the dialog does not edit it. A stored value outside [min, max] keeps the value
// the program has, or takes `fallback` when there is one.
struct CIntegerSetting {
    CSettingVariable<int> variable;
    int CSettingsValues::*field;
    int min;
    int max;
};
// 0 or 1; any other stored number reads as 1.
struct CFlagSetting {
    CSettingVariable<int> variable;
    int CSettingsValues::*field;
};
// 0x00BBGGRR; a stored value outside 0 ... 0xFFFFFF keeps the current colour.
struct CColorSetting {
    CSettingVariable<COLORREF> variable;
    COLORREF CSettingsValues::*field;
};
// Written with twelve decimals, or, when `shortest` is set, as the shortest text that reads
// back exactly (a tolerance of 1e-13 would otherwise be stored as zero).
struct CRealSetting {
    CSettingVariable<double> variable;
    double CSettingsValues::*field;
    double min;
    double max;
    std::optional<double> fallback;
    bool shortest = false;
};

struct CSetting {
    std::string_view section; // empty: never stored, it lasts for the session
    std::string_view key;
    std::variant<CIntegerSetting, CFlagSetting, CColorSetting, CRealSetting> kind;
};

// Every setting: first the stored ones in the order the profile keeps them (sections View,
// Node, Edge, Circle, Convergence), then the one that is never stored (GraphResizeRate).
std::span<const CSetting> SettingsTable();
