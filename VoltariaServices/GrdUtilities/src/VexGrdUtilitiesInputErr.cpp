#include "VexGrdUtilitiesInputErr.h"

VexGrdUtilitiesInputErr::VexGrdUtilitiesInputErr(int severity, VexString key, VexString catalog)
    : VexInputError(severity, std::move(key), std::move(catalog)) {}

VexGrdUtilitiesInputErr::VexGrdUtilitiesInputErr(int severity, VexString key,
                                                 std::vector<VexUnicodeString> parameters)
    : VexInputError(severity, std::move(key), kVexGrdUtilitiesCatalog, std::move(parameters)) {}
