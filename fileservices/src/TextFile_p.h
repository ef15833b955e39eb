#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shareguard::detail {

// The bytes of the two text-file kinds. "Unicode": UTF-16LE after the
// byte-order mark FF FE. "ANSI": UTF-8 without a byte-order mark. Both end
// their lines with CR LF, whichever machine of a shared folder wrote them.
std::string UnicodeBytes(const std::u16string& text); // byte-order mark included
std::string AnsiBytes(const std::u16string& text);

// A line feed becomes CR LF; with `lines`, every line is followed by one
// (an empty list is one line holding a single space).
std::u16string WithCrLf(const std::u16string& text);
std::u16string JoinLines(const std::vector<std::u16string>& lines);

// The lines of a text file's bytes, Unicode when they start with FF FE.
// Lines end at a line feed; a line holding carriage returns is split at them,
// and the empty piece that a carriage return ending the line leaves is
// dropped. A final line break starts no further line.
std::vector<std::u16string> SplitTextFileLines(const std::vector<std::uint8_t>& bytes);

} // namespace shareguard::detail
