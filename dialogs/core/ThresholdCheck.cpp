#include "dialogs/core/ThresholdCheck.h"

#include <algorithm>

bool ParseDecimal(const wxString& text, long& value) {
    wxString t = text;
    t.Trim(true).Trim(false);
    if (t.empty()) return false;
    // ToCLong accepts a leading sign and rejects any trailing character; base 10 rules out hex.
    return t.ToCLong(&value, 10);
}

namespace {

bool ParseInRange(const wxString& text, long max, long& value) {
    return ParseDecimal(text, value) && value >= 0 && value <= max;
}

}  // namespace

ThresholdCheck CheckThresholds(const ThresholdInput& input, int intervalTenths) {
    ThresholdCheck out;
    const int interval = std::clamp(intervalTenths, 1, 159);
    // The longest delay whose count of samples still fits the meter's 16 bits.
    const long maxDelaySeconds = 65535L * interval / 10;

    long on = 0, off = 0, onDelay = 0, offDelay = 0;
    const struct {
        const wxString& text;
        long max;
        long& value;
    } fields[] = {
        {input.onThreshold, 65535, on},
        {input.offThreshold, 65535, off},
        {input.onDelaySeconds, maxDelaySeconds, onDelay},
        {input.offDelaySeconds, maxDelaySeconds, offDelay},
    };
    for (const auto& field : fields) {
        if (!ParseInRange(field.text, field.max, field.value)) {
            out.outcome = ThresholdOutcome::Unparsed;
            out.rejected = field.text;
            return out;
        }
    }

    out.onThreshold = static_cast<uint16_t>(on);
    out.offThreshold = static_cast<uint16_t>(off);
    out.onThresholdHigh = out.onThreshold > kThresholdWarning;
    out.offThresholdHigh = out.offThreshold > kThresholdWarning;
    if (out.offThreshold > out.onThreshold) {
        out.outcome = ThresholdOutcome::OrderWrong;
        return out;
    }

    const long wholeSeconds = interval / 10;
    if (offDelay < wholeSeconds || onDelay < wholeSeconds) {
        out.outcome = ThresholdOutcome::DelayTooShort;
        return out;
    }

    out.onDelaySamples = static_cast<uint16_t>(onDelay * 10 / interval);
    out.offDelaySamples = static_cast<uint16_t>(offDelay * 10 / interval);
    out.onDelayHigh = out.onDelaySamples > kDelayWarningSamples;
    out.offDelayHigh = out.offDelaySamples > kDelayWarningSamples;
    out.onDelayShown = interval * out.onDelaySamples / 10;
    out.offDelayShown = interval * out.offDelaySamples / 10;
    out.outcome = ThresholdOutcome::Accepted;
    return out;
}
