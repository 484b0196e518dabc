#include "VexGrdNodeBrData.h"

VexGrdNodeBrData::VexGrdNodeBrData(int idClass, VexUnicodeString id, int assocStatus)
    : idClass_(idClass), assocStatus_(assocStatus), id_(std::move(id)) {}
