#include "VexGraphContextNotification.h"

VEX_IMPLEMENT_CLASS(VexGraphContextNotification, VexNotification, "VexNull", "VexHost")
