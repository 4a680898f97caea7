// The application's title as its files name their creator (EPS "%%Creator", EMF description).
#pragma once

inline constexpr char kAppTitle[] = "Tessel";
