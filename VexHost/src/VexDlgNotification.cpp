#include "VexDlgNotification.h"

VEX_IMPLEMENT_CLASS(VexDlgNotification, VexNotification, "VexNull", "VexHost")
