#pragma once
// A whole document as text, to compare its states in memory and on disk.

#include <string>

#include "VexDocument.h"

/// Every element (identifier, name, type, kind, route, attributes) and property, one per line.
std::string DescribeDocument(const VexDocument& document);
