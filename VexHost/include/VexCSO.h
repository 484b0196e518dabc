#pragma once
// The current selection of an editor: what the user picked, in picking order.

#include "VexXSO.h"

class VexCSO : public VexXSO {};
