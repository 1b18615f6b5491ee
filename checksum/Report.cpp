#include "checksum/Report.h"

#include "platform/IoError.h"

#include <algorithm>

namespace sumwarden {

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

void JobObserver::Problem(const std::string& path, int errorNumber) const {
    if (problem) {
        problem(path, IoErrorText(errorNumber));
    }
}

JobObserver LinesOnly(const LineSink& sink) {
    return {[sink](const std::string& line, LineKind) { sink(line); }, {}};
}

bool FieldIsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) <= ' '; });
}

} // namespace sumwarden
