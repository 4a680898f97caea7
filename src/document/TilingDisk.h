// Regular tiling disks: the triangulated tiling {p,q} as a document's graph, for File > New
// Tiling Disk and tessel-cli tiling.
#pragma once

#include <string>

class CTesselDoc;

// Replaces the document's graph by the tiling {p,q} out to `depth` layers of tiles
// (MakeRegularTiling of src/model/RegularTiling.h), drawn as the tiling's own Poincare disk
// picture fitted into the graph area, the central tile's centre node first. False, with the
// reason and the document as it was, when p, q and depth make no tiling or the tiling would
// have more than MaxGrownNodes nodes.
bool BuildTilingDisk(CTesselDoc& doc, int p, int q, int depth, std::string& problem);
