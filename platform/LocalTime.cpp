#include "platform/LocalTime.h"

namespace sumwarden {

std::string LocalTimeText(std::time_t moment) {
    std::tm local{};
    ::localtime_r(&moment, &local);
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(text, length);
}

std::string LocalTimeText() {
    return LocalTimeText(std::time(nullptr));
}

} // namespace sumwarden
