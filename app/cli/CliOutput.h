#pragma once

// The command line's two streams: each line goes out at once, and a line that cannot be
// written to standard output is an error of the run, never a silent loss.

#include <stdexcept>
#include <string>
#include <string_view>

namespace sumwarden::cli {

// Standard output could not be written; carries errno.
class OutputError : public std::runtime_error {
public:
    explicit OutputError(int errorNumber);
    int ErrorNumber() const { return errorNumber_; }

private:
    int errorNumber_;
};

// Writes the line and its line end to standard output and flushes; throws OutputError.
void PrintLine(std::string_view line);

// Writes everything as it stands to standard output; throws OutputError.
void PrintText(std::string_view text);

// Flushes and checks standard output once the job is done; throws OutputError.
void FinishOutput();

// "sumwarden-cli: " followed by the text, on standard error. Errors while writing there
// have nowhere to go and are ignored.
void PrintError(std::string_view text);

} // namespace sumwarden::cli
