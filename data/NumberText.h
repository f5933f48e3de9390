#pragma once
// Numbers in the data files: always "." as the decimal point, whatever the user's locale, and
// byte for byte what the C library's "%d", "%f" and "%.2f" print in the C locale.

#include <cstddef>
#include <optional>
#include <string_view>

// Longest text the formatters write (a float's "%f" has at most 39 integer digits).
constexpr std::size_t kMaxNumberText = 64;

// "%f" of the float (promoted to double, as printf does); returns the number of chars written.
std::size_t FormatFixed6(float value, char* out);
// "%.2f" of the float.
std::size_t FormatFixed2(float value, char* out);
// "%d".
std::size_t FormatInt(long long value, char* out);

// A whole line that holds one integer in int range, with optional blanks around it and an
// optional sign; nothing else.
std::optional<int> ParseIntLine(std::string_view text);

// Reads a number at the front of `text` after skipping blanks and tabs, advancing `text` past it.
// Returns false when no number stands there.
bool ScanInt(std::string_view& text, long long& value);
bool ScanFloat(std::string_view& text, float& value);

// A line of exactly `count` numbers separated by blanks (a sample line of the workspace).
bool ScanFloatLine(std::string_view text, float* values, int count);

// True when only blanks and tabs are left.
bool OnlyBlanks(std::string_view text);
