// Test helper: one random edit of a document, as a user's clicks or direct calls would make it.
#pragma once

#include <random>
#include <string>

class CTesselDoc;

struct EditOutcome {
    std::string name; // which edit was tried, for failure messages
    bool changed = false;
    bool deletion = false; // DeleteNode or DeleteEdge called directly: the flag stays as it was
};

// Picks an edit (grow, connect, delete node, delete edge, or a click near a node or edge)
// and a target at random, mostly among the targets where the edit is possible, and runs it.
EditOutcome RandomEdit(CTesselDoc& doc, std::mt19937& random);
