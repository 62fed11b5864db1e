#pragma once
// The class factory of ZembraAviWriter: creates control objects (no
// aggregation, no licence) and locks the module on request.
#include "com/ComTypes.h"

namespace avi {

// A new factory with one reference.
IClassFactory* NewClassFactory();

} // namespace avi
