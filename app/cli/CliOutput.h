#pragma once

// The command line's two streams: each line goes out at once to a terminal, and at least
// every tenth of a second to a file or pipe; a line that cannot be written to standard
// output is an error of the run, never a silent loss.

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

// Control characters as \xHH, byte by byte, so a name can neither drive the terminal it is
// shown on nor make itself read as another: the C0 controls but TAB, DEL, the C1 controls
// (U+0080 to U+009F, and the bytes 0x80 to 0x9F outside valid UTF-8) and the bidirectional
// controls (U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069). Other bytes, other
// invalid UTF-8 included, stay as they are.
std::string EscapeControlCharacters(std::string_view text);

// Whether lines to standard output and standard error are escaped: on when the stream is
// a terminal, so bytes go unchanged to files and other programs.
void EscapeOutputFor(bool standardOutput, bool standardError);

// Whether every line is flushed at once (on when standard output is a terminal, whose
// lines mix with the progress line on standard error) or at least every tenth of a second.
void FlushEachLine(bool eachLine);

// Writes the line and its line end to standard output; throws OutputError.
void PrintLine(std::string_view line);

// Writes everything as it stands to standard output; throws OutputError.
void PrintText(std::string_view text);

// Flushes and checks standard output once the job is done; throws OutputError.
void FinishOutput();

// "sumwarden-cli: " followed by the text, on standard error. Errors while writing there
// have nowhere to go and are ignored.
void PrintError(std::string_view text);

} // namespace sumwarden::cli
