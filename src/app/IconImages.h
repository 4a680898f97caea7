// The application's and the document's icons as icon themes want them: the scalable SVG, and
// PNG pictures of it at the usual sizes.
#pragma once

#include <QByteArray>

// The sizes in pixels of the PNG icons installed and registered beside the SVG ones: the list
// TESSEL_ICON_SIZES of resources/CMakeLists.txt, which installs them.
inline constexpr int kIconSizes[] = {TESSEL_ICON_SIZES};

// The SVG drawn antialiased into a square PNG of `size` pixels, transparent where it draws
// nothing; empty when the SVG cannot be read.
QByteArray RenderIconPng(const QByteArray& svg, int size);
