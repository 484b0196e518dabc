#include "VexGrdNodeBrData.h"

VexGrdNodeBrData::VexGrdNodeBrData(int idClass, VexUnicodeString id, int assocStatus)
    : idClass_(idClass), id_(std::move(id)), assocStatus_(assocStatus) {}
