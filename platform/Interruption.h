#pragma once

// An interrupted command (Ctrl+C, SIGTERM, SIGHUP) ends at once, the usual way, but
// first removes the temporary file of a check file still being written, so the folder is
// left as it was: the old check file, or none.

#include <string>

namespace sumwarden {

// Installs the handlers; the command line calls it once at start.
void RemoveTemporaryFileOnInterrupt();

// The file an interrupt removes, one at a time; the path is kept only when it fits
// PATH_MAX. Clearing it disarms the removal.
void SetFileToRemoveOnInterrupt(const std::string& path);
void ClearFileToRemoveOnInterrupt();

} // namespace sumwarden
