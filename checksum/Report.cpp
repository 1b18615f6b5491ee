#include "checksum/Report.h"

#include <algorithm>

namespace sumwarden {

bool FieldIsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) <= ' '; });
}

} // namespace sumwarden
