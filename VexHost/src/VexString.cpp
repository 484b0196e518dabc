#include "VexString.h"

#include <ostream>

std::ostream& operator<<(std::ostream& out, const VexString& text) { return out << text.str(); }
