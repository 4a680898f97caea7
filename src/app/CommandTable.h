// The editor's command set as data: every command with its texts, icon and keys, and the
// layout of the menu bar and the tool bar. The main frame builds its actions from it.
#pragma once

#include <span>

struct CommandInfo {
    int id = 0;
    const char* icon = nullptr; // resource path of the tool-bar image, or none
    // Portable key text ("Ctrl+N"; several separated by "; "), or none.
    const char* shortcut = nullptr;
    bool checkable = false;
};

// Entries of a menu or the tool bar besides command ids.
namespace layout {
constexpr int kSeparator = 0;
constexpr int kExportMenu = -1;  // the File > Export submenu
constexpr int kRecentFiles = -2; // where the recent-file entries stand
} // namespace layout

struct MenuInfo {
    int captionId = 0;
    std::span<const int> entries;
};

std::span<const CommandInfo> CommandTable();
const CommandInfo* FindCommand(int id);
std::span<const MenuInfo> MenuBarLayout();
std::span<const int> ExportMenuLayout();
std::span<const int> ToolBarLayout();
