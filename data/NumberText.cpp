#include "BaseOnly.h"

#include "NumberText.h"

#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Two digits at a time: the formatters spend most of their time here.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

std::size_t WriteUnsigned(std::uint64_t v, char* out) {
    char tmp[24];
    char* p = tmp + sizeof tmp;
    while (v >= 100) {
        const unsigned pair = unsigned(v % 100) * 2;
        v /= 100;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    }
    if (v >= 10) {
        *--p = kDigitPairs[v * 2 + 1];
        *--p = kDigitPairs[v * 2];
    } else {
        *--p = char('0' + v);
    }
    const std::size_t n = std::size_t(tmp + sizeof tmp - p);
    std::memcpy(out, p, n);
    return n;
}

std::size_t WriteNonFinite(double value, char* out) {
    std::size_t n = 0;
    if (std::signbit(value)) out[n++] = '-';
    const char* word = std::isnan(value) ? "nan" : "inf";
    std::memcpy(out + n, word, 3);
    return n + 3;
}

// value × 10^decimals is exact in a double for a float (at most 24 + 14 significant bits), so
// rounding it to an integer with the current (nearest, ties-to-even) mode gives exactly the digits
// printf prints for the exact binary value. Large values go to to_chars, which is exact as well.
template <int Decimals>
std::size_t FormatFixed(float f, char* out) {
    const double value = f;
    if (!std::isfinite(value)) return WriteNonFinite(value, out);
    constexpr double kScale = Decimals == 6 ? 1e6 : 100.0;
    constexpr std::uint64_t kDiv = Decimals == 6 ? 1000000 : 100;
    const double scaled = std::fabs(value) * kScale;
    if (scaled >= 9.0e15) {
        const auto r = std::to_chars(out, out + kMaxNumberText, value, std::chars_format::fixed, Decimals);
        return std::size_t(r.ptr - out);
    }
    const auto units = std::uint64_t(std::nearbyint(scaled));
    std::size_t n = 0;
    if (std::signbit(value)) out[n++] = '-';
    n += WriteUnsigned(units / kDiv, out + n);
    out[n++] = '.';
    std::uint64_t frac = units % kDiv;
    for (int i = Decimals - 1; i >= 0; --i) {
        out[n + std::size_t(i)] = char('0' + frac % 10);
        frac /= 10;
    }
    return n + Decimals;
}

void SkipBlanks(std::string_view& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    text.remove_prefix(i);
}

}  // namespace

std::size_t FormatFixed6(float value, char* out) {
    return FormatFixed<6>(value, out);
}

std::size_t FormatFixed2(float value, char* out) {
    return FormatFixed<2>(value, out);
}

std::size_t FormatInt(long long value, char* out) {
    if (value >= 0) return WriteUnsigned(std::uint64_t(value), out);
    out[0] = '-';
    return 1 + WriteUnsigned(std::uint64_t(0) - std::uint64_t(value), out + 1);
}

bool OnlyBlanks(std::string_view text) {
    SkipBlanks(text);
    return text.empty();
}

bool ScanInt(std::string_view& text, long long& value) {
    std::string_view rest = text;
    SkipBlanks(rest);
    if (!rest.empty() && rest.front() == '+') {
        rest.remove_prefix(1);
        if (rest.empty() || rest.front() == '-') return false;
    }
    const auto r = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (r.ec != std::errc()) return false;
    text = rest.substr(std::size_t(r.ptr - rest.data()));
    return true;
}

bool ScanFloat(std::string_view& text, float& value) {
    std::string_view rest = text;
    SkipBlanks(rest);
    if (!rest.empty() && rest.front() == '+') {
        rest.remove_prefix(1);
        if (rest.empty() || rest.front() == '-') return false;
    }
    const auto r = fast_float::from_chars(rest.data(), rest.data() + rest.size(), value);
    // Out of float range reads as ±inf, as the C library's "%f" does.
    if (r.ec != std::errc() && r.ec != std::errc::result_out_of_range) return false;
    if (r.ptr == rest.data()) return false;
    text = rest.substr(std::size_t(r.ptr - rest.data()));
    return true;
}

std::optional<int> ParseIntLine(std::string_view text) {
    long long v = 0;
    if (!ScanInt(text, v) || !OnlyBlanks(text)) return std::nullopt;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return int(v);
}
