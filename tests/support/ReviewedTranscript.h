#pragma once
// Whole sessions are checked against transcripts a person has read: the scenario folders keep
// one beside each script.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

/// `transcript` with every occurrence of each (text, placeholder) pair's text replaced, in order,
/// and UTC time stamps as "<time>", so that it reads the same in any folder at any time.
std::string WithPlaceholders(std::string transcript,
                             const std::vector<std::pair<std::string, std::string>>& places);

/// The reviewed transcript kept in `expected`. With VOLTARIA_UPDATE_SCENARIOS=1 in the
/// environment, `transcript` replaces it first (read every difference before committing it).
std::string ReviewedTranscript(const std::filesystem::path& expected, const std::string& transcript);
