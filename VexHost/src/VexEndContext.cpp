#include "VexEndContext.h"

VEX_IMPLEMENT_CLASS(VexEndContext, VexNotification, "VexNull", "VexHost")
