#pragma once
// The plant text format: a plant typed, generated or written by the model reader, one entry a
// line, fields separated by '|' (blanks around fields ignored), '#' lines and blank lines skipped,
// coordinates and sizes in millimetres:
//
//   element   | <name> | <kind> | <type text>     kind: Equipment, Conduit, Tray, Cable, ...
//   route     | <name> | x y z ; x y z ; ...      route points of a linear element
//   placement | <name> | x y z | dx dy dz         a world-axis box: lowest corner and size
//   number    | <name> | <attribute> | <value>    CableDiameter, BendRadius, ... in mm
//   text      | <name> | <attribute> | <text>     SourceId: the element's identifier at its source
//   skipped   | <what> | <why>                    something of the model left out, and why
//   note      | <name> | <what is missing>        an element imported without part of its data
//   other     | <sort> | <count>                  entities that are no plant elements
//
// A line naming an element applies to the nearest element line of that name above it. Names tell
// elements apart unless they carry a SourceId; a field cannot hold '|' or a line break. The
// sample's network entries (node, branch, link, master, length, job) are counted, not imported.

#include <string>
#include <string_view>

#include "VexPlantModel.h"

/// Reads the text `bytes` of the file `fileName` (named in messages). Anything that is not the
/// format raises a VexInputError naming the file and the line.
VexPlantModel VexReadPlantText(std::string_view bytes, const VexUnicodeString& fileName);

/// Writes `model` in the format, so that VexReadPlantText gives it back (fields are cleaned of
/// '|' and line breaks, numbers written to round-trip).
std::string VexWritePlantText(const VexPlantModel& model);
