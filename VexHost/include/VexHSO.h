#pragma once
// The highlighted objects of an editor, which its 3D viewers show highlighted. Also used as a
// plain set of objects to reframe on.

#include "VexXSO.h"

class VexHSO : public VexXSO {};
