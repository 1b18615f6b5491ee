#pragma once

// How many processors this process may use.

#include <cstddef>

namespace sumwarden {

// The processors in this process's affinity mask (what taskset or a container allows),
// at least 1.
std::size_t UsableProcessorCount();

} // namespace sumwarden
