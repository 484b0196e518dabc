#pragma once
// The words of one line of the command language: blanks, tabs and CR separate words, "double
// quotes" group words (and may make an empty one), '#' outside quotes starts a comment where a
// word could start (not inside a word such as BUS1#2). A small library of its own, so that the
// parser can be tested and fuzzed without the host program around it.

#include <string>
#include <vector>

/// The words of `line`; std::invalid_argument when a quote is left open.
std::vector<std::string> SplitCommandWords(const std::string& line);
