// A graph read from another program's file, built and checked apart from the document and
// handed to it whole: nothing unchecked enters a document.
#pragma once

#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"
#include "model/TriangleGraph.h"

#include <functional>
#include <string>
#include <vector>

class CTesselDoc;

struct CImportedGraph {
    CCPNodeArray nodes;
    CCPEdgeArray edges;
};

// Builds the graph of the triangles and checks that it is one triangulated disk. Returns an
// empty string, or the fault with the graph left empty.
std::string BuildImportedGraph(const std::vector<CDPoint>& points,
                               const std::vector<CTriangle>& triangles, CImportedGraph& graph);

// The graph checks name nodes by index ("node 12"); a reader names them as its file does.
// Returns the problem with every "node N" replaced by name(N), and the first N in `first`.
std::string RenameNodes(const std::string& problem, const std::function<std::string(int)>& name,
                        int* first = nullptr);

// Replaces the document's graph by the checked one (left empty), its drawing centred and
// scaled into the graph area; the document is then modified and its history empty.
void InstallImportedGraph(CTesselDoc& doc, CImportedGraph& graph);
