// CirclePack packing files as documents: the graph from the flowers, and a hyperbolic
// packing from the radii and centres; and the document's graph and packing as such a file.
// CirclePack's frame has y up, the model's y down: y is flipped and the flowers reversed on
// the way out and back, so that both programs show the same picture.
#pragma once

#include "document/TesselDoc.h"

#include <string>
#include <string_view>
#include <vector>

// Replaces the document's graph by the file's (the document is left as it was on failure,
// with one sentence naming the line and the fault in `error`). A hyperbolic packing in the
// file is applied as it stands, so the document opens packed; otherwise the graph is packed
// anew. What was left unread goes into `notes`, one sentence each.
bool ImportCirclePack(CTesselDoc& doc, std::string_view text, std::vector<std::string>& notes,
                      std::string& error, const CancelCheck& cancelled = {});

// The document's graph as a packing file, in hyperbolic geometry, with the radii and centres
// of its packing when it is packed; `name` becomes the PACKNAME. Empty when the graph is not
// a triangulated disk (with the reason in `problem`).
std::string ExportCirclePack(const CTesselDoc& doc, const std::string& name, std::string& problem);
