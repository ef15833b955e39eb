#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Profile-style INI files: "[Section]" lines and "key=value" lines, sections
// and keys matched ignoring (ASCII) case, the first match wins. Every call
// reads the file afresh; a write changes one key in place and keeps every
// other line, comment and the file's encoding (UTF-16 little- or big-endian
// with byte-order mark, UTF-8 with or without one). Lines of a UTF-8 file
// that are not UTF-8 (an 8-bit encoding) read as Latin-1 and are written back
// byte for byte. A new file is UTF-8 without a mark, lines end in CR LF.
// A name that is not a regular file (a pipe, a device, a folder) or a file
// larger than kMaxFileBytes reads as if it were missing, and no write
// replaces it.
namespace IniFile {

constexpr std::int64_t kMaxFileBytes = std::int64_t(1) << 20;

// The value of key in section, stripped of surrounding blanks and of one
// pair of enclosing quotes, cut to maxChars characters; defaultValue when
// the file, the section or the key is missing.
std::u16string ReadString(const std::filesystem::path& file, std::u16string_view section,
    std::u16string_view key, std::u16string_view defaultValue, std::size_t maxChars = 255);

// The integer at the start of the value (blanks, an optional sign, decimal
// digits or "0x" and hexadecimal digits; reading stops at the first other
// character; no digits give 0); defaultValue when the key is missing or its
// value is empty.
int ReadInt(const std::filesystem::path& file, std::u16string_view section, std::u16string_view key,
    int defaultValue);

// Writes key=value into section, replacing the key's line where it is, or
// adding it at the end of the section, or adding the section at the end of
// the file; creates the file when missing. No value removes the key. The file
// is replaced only after the new content is written in full and flushed to
// disk; writers in several processes take turns, so none loses another's
// update. False when it cannot be read or written, and when the section, key
// or value holds a line break (it would write a second line).
bool WriteString(const std::filesystem::path& file, std::u16string_view section, std::u16string_view key,
    std::optional<std::u16string_view> value);

} // namespace IniFile
} // namespace platform
