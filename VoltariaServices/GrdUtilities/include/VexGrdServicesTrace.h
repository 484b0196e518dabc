#pragma once
// The services' own trace channel, "GRDSRV": what the services skip or refuse without raising (a
// missing or malformed result file) is written here, so a user who switches the channel on
// (VEX_TRACE=GRDSRV) sees why nothing happened.

#include <string>
#include <vector>

#include "VexTrace.h"
#include "VexUnicodeString.h"

/// The channel "GRDSRV" (mode 1, standard error).
VexTrace& VexGrdServicesTrace();

/// Writes one level-2 line: the text of `key` in the utilities' catalog built with `parameters`,
/// followed by `detail` when it is not empty.
void VexGrdTraceMessage(const char* key, const std::vector<VexUnicodeString>& parameters,
                        const std::string& detail = "");
