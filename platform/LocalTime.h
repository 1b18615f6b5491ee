#pragma once

#include <ctime>
#include <string>

namespace sumwarden {

// The local date and time as "yyyy-mm-dd hh:mm:ss" (24-hour clock).
std::string LocalTimeText(std::time_t moment);
std::string LocalTimeText();

} // namespace sumwarden
