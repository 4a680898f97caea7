// Long thin disks: the graphs whose packings span the widest range of circle sizes.
#pragma once

class CTesselDoc;

// Replaces the graph by a strip of `rows` rows and `columns` columns of points a unit apart,
// each square cut by one diagonal, all the same way (`flipped` takes the other), starting at
// the origin, less the two corners that touch no inner node. False when it is not a disk.
bool BuildStrip(CTesselDoc& doc, int rows, int columns, bool flipped = false);
