// The structural check a graph from outside (a document file) must pass before any edit,
// drawing or packing may touch it.
#pragma once

#include <string>

class CCPEdgeArray;
class CCPNodeArray;

// True when the pointers of the graph are sound: no null node, edge or circle; no node, edge
// or circle held twice; every edge between two distinct nodes of the collection and listed
// once by each of them and by no other node; every listed edge in the edge collection; every
// kind Outer, Inner or NotConnected. Otherwise false, with a sentence naming the first fault
// found in problem (when given). Fans, orientation and derived states are not checked: the
// edits cope with any of those.
bool CheckGraph(const CCPNodeArray& nodes, const CCPEdgeArray& edges, std::string* problem);
