// A triangle mesh with the topology of a disk as a document: the mesh's faces become the
// graph's triangles, its positions projected onto the plane that fits them best.
#pragma once

#include "interchange/MeshFile.h"

#include <string>
#include <string_view>
#include <vector>

class CTesselDoc;

// Replaces the document's graph by the mesh's, or leaves the document as it was and says
// what the mesh is instead of a disk ("the mesh has 3 boundary loops", "line 40: edge 12–40
// belongs to 3 triangles", "2 separate parts: the largest has 1,204 triangles"). With
// `largest` a mesh of several parts gives its largest part. Faces are turned to agree with
// their neighbours; vertices of no face are left out, with a note.
bool ImportMesh(CTesselDoc& doc, const CMesh& mesh, bool largest, std::vector<std::string>& notes,
                std::string& error);

// Points of the plane as a document: their Delaunay triangulation (see PointSet.cpp).
bool ImportPoints(CTesselDoc& doc, std::string_view text, std::vector<std::string>& notes,
                  std::string& error);
