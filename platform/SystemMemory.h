#pragma once
// How much memory this process can still take before the system runs out:
// the kernel's estimate of available memory, lowered by the limit of the
// process's control group or its address-space limit when it has one.
#include <cstdint>

// Bytes; a very large value when nothing can be read.
int64_t AvailableMemory();
