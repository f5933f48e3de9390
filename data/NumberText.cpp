#include "data/NumberText.h"

#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "data/BaseOnly.h"

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
        const auto r =
            std::to_chars(out, out + kMaxNumberText, value, std::chars_format::fixed, Decimals);
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

std::size_t FormatFixed6(float value, char* out) { return FormatFixed<6>(value, out); }

std::size_t FormatFixed2(float value, char* out) { return FormatFixed<2>(value, out); }

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

namespace {

constexpr double kNegPow10[] = {1e0,  1e-1, 1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                1e-8, 1e-9, 1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15};

// Eight digit values (0..9, first digit in the lowest byte) as one number.
inline std::uint64_t EightDigits(std::uint64_t v) {
    v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFULL;
    v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFULL;
    return (v * 10000 + (v >> 32)) & 0xFFFFFFFFULL;
}

// The shape "%f" writes: [-]digits.digits, then a blank or the end. With m below 2^53,
// m × 10^-k lies within two units in the last place of the double nearest the true value, and the
// float halfway points are doubles: unless the product falls within a few units of such a point,
// rounding it to float gives the correctly rounded float. The rare close call goes to the full
// parser.
[[gnu::always_inline]] inline bool ScanPlainDecimal(const char*& p, const char* end, float& value) {
    const char* q = p;
    const bool negative = q != end && *q == '-';
    if (negative) ++q;
    std::uint64_t m = 0;
    int digits = 0;
    int fraction = 0;
    const char* start = q;
    // Up to eight whole-number digits in one step: their count varies from number to number, and a
    // loop over them would mispredict its exit each time.
    if (end - q >= 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, q, sizeof chunk);
        const std::uint64_t values = chunk - 0x3030303030303030ULL;
        const std::uint64_t nonDigit =
            (values | (values + 0x7676767676767676ULL)) & 0x8080808080808080ULL;
        const int length = nonDigit != 0 ? __builtin_ctzll(nonDigit) >> 3 : 8;
        if (length > 0) {
            m = EightDigits(values
                            << (64 - 8 * length));  // leading zeros in place of missing digits
            digits = length;
            q += length;
        }
    }
    while (q != end && unsigned(*q - '0') < 10) {
        m = m * 10 + unsigned(*q++ - '0');
        ++digits;
    }
    if (q == start || q == end || *q != '.') return false;
    ++q;
    // Six decimals, as "%f" writes them, in one step instead of a chain of six.
    if (end - q >= 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, q, sizeof chunk);
        const std::uint64_t values = chunk - 0x3030303030303030ULL;
        const std::uint64_t nonDigit =
            (values | (values + 0x7676767676767676ULL)) & 0x8080808080808080ULL;
        // Bytes 0..5 digits, byte 6 not.
        if ((nonDigit & 0x0000808080808080ULL) == 0 && (nonDigit & 0x0080000000000000ULL) != 0) {
            m = m * 1000000 + EightDigits(values << 16);
            fraction = 6;
            q += 6;
        }
    } else if (end - q >= 6) {
        const unsigned d0 = unsigned(q[0] - '0'), d1 = unsigned(q[1] - '0'),
                       d2 = unsigned(q[2] - '0');
        const unsigned d3 = unsigned(q[3] - '0'), d4 = unsigned(q[4] - '0'),
                       d5 = unsigned(q[5] - '0');
        if ((d0 | d1 | d2 | d3 | d4 | d5) < 10 && (end - q == 6 || unsigned(q[6] - '0') >= 10)) {
            m = m * 1000000 + (d0 * 100000 + d1 * 10000 + d2 * 1000) + (d3 * 100 + d4 * 10 + d5);
            fraction = 6;
            q += 6;
        }
    }
    while (q != end && unsigned(*q - '0') < 10) {
        m = m * 10 + unsigned(*q++ - '0');
        ++fraction;
    }
    digits += fraction;
    if (digits > 15 || (q != end && *q != ' ' && *q != '\t')) return false;
    const double d =
        double(std::int64_t(m)) * kNegPow10[fraction];  // the signed conversion is one instruction
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    const std::uint64_t belowFloat = bits & ((std::uint64_t(1) << 29) - 1);
    if (belowFloat - ((std::uint64_t(1) << 28) - 16) <= 32) return false;
    const float f = float(d);
    value = negative ? -f : f;
    p = q;
    return true;
}

}  // namespace

bool ScanFloat(std::string_view& text, float& value) {
    std::string_view rest = text;
    SkipBlanks(rest);
    {
        const char* p = rest.data();
        if (ScanPlainDecimal(p, rest.data() + rest.size(), value)) {
            text = rest.substr(std::size_t(p - rest.data()));
            return true;
        }
    }
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

namespace {

template <int Count>
bool ScanFloats(const char* p, const char* end, float* values, int count) {
    const int n = Count > 0 ? Count : count;
    for (int i = 0; i < n; ++i) {
        while (p != end && (*p == ' ' || *p == '\t')) ++p;
        if (!ScanPlainDecimal(p, end, values[i])) {
            std::string_view rest(p, std::size_t(end - p));
            if (!ScanFloat(rest, values[i])) return false;
            p = rest.data();
        }
    }
    return OnlyBlanks(std::string_view(p, std::size_t(end - p)));
}

}  // namespace

bool ScanFloatLine(std::string_view text, float* values, int count) {
    const char* p = text.data();
    const char* end = p + text.size();
    // The sample line's four numbers get a loop the compiler can unroll.
    return count == 4 ? ScanFloats<4>(p, end, values, count) : ScanFloats<0>(p, end, values, count);
}

std::optional<int> ParseIntLine(std::string_view text) {
    long long v = 0;
    if (!ScanInt(text, v) || !OnlyBlanks(text)) return std::nullopt;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return int(v);
}
