// LoadSettings / SaveSettings: every setting of the profile sections "View", "Node", "Edge",
// "Circle" and "Convergence", and what the text-export, new-disk and Colour By dialogs keep in
// the profile.
#pragma once

#include "document/IniFile.h"
#include "document/ViewSettings.h"
#include "model/NodeColouring.h"

#include <string>

// Reads the five sections in the order View, Node, Edge, Circle, Convergence (the settings
// table's order), each key with the current value of its setting as the default. Values the
// program cannot work with (a negative size, a margin beyond 65535, a hit distance that is not
// a number, a colour beyond 0xFFFFFF...) keep the current value; the solver threshold falls
// back to 0.0001 and the convergence tolerance to 1e-12.
void LoadSettings(const CIniFile& ini, CViewSettings& view);
// Writes the 23 keys in the same order. GraphResizeRate is never stored.
void SaveSettings(CIniFile& ini, const CViewSettings& view);

// LoadSettings from the profile file; a missing file leaves every setting as it is. False,
// with `error`, when the file exists but cannot be read (the settings then stay too).
bool LoadSettingsFile(const std::string& path, CViewSettings& view, std::string& error);
// SaveSettings into the profile file, keeping every other section and key in it; creates
// the profile's folder when it is missing. False, with `error`, when it cannot be written.
bool SaveSettingsFile(const std::string& path, const CViewSettings& view, std::string& error);

// The line template of the text export ("TextExport", "Format"; "%X, %Y, %R" by default).
std::string LoadTextExportFormat(const CIniFile& ini);
void SaveTextExportFormat(CIniFile& ini, const std::string& format);
// The same against the profile file, for the Text File Setup dialog.
std::string ReadTextExportFormat(const std::string& path);
bool WriteTextExportFormat(const std::string& path, const std::string& format, std::string& error);

// Whether a generated disk is packed to convergence as soon as it is made ("NewDisk",
// "PackToConvergence"; 0 or 1, 0 by default).
int LoadNewDiskPacking(const CIniFile& ini);
void SaveNewDiskPacking(CIniFile& ini, int pack);

// Colour By's two gradation colours and its palette ("ColourBy": "FirstColor", "LastColor",
// "Palette1" ... "Palette6", colours 0x00BBGGRR as integers). A colour outside 0 ... 0xFFFFFF
// keeps the current one; a palette of fewer than six valid colours, or with a colour twice,
// keeps the current palette whole.
void LoadColourByColours(const CIniFile& ini, CColouring& how);
// Writes the two colours and the first six colours of the palette.
void SaveColourByColours(CIniFile& ini, const CColouring& how);
