#include "dialogs/core/FactoryRules.h"

#include "dialogs/core/ThresholdCheck.h"

namespace {

// Leaves `refusal` set when the text is not a non-negative whole number.
bool Field(const wxString& text, int& value, wxString& refusal) {
    long parsed = 0;
    if (!ParseDecimal(text, parsed) || parsed < 0 || parsed > 65535) {
        refusal = wxString::Format(kMsgNotANumber, text);
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

wxString CheckMedianClamp(const wxString& medianText, const wxString& clampText,
                          MedianClamp& values) {
    wxString refusal;
    MedianClamp v;
    if (!Field(medianText, v.median, refusal)) return refusal;
    if (v.median > 20) return "Too big!";
    if (!Field(clampText, v.clamp, refusal)) return refusal;
    if (v.clamp > 250) return "Clamp very big. Not setting it";
    values = v;
    return {};
}

wxString CheckCalibration(const wxString& zeroText, const wxString& fineText,
                          const wxString& roughText, Calibration& values) {
    wxString refusal;
    Calibration v;
    if (!Field(zeroText, v.zero, refusal)) return refusal;
    if (v.zero > 200) return "Zero pt too big!";
    if (!Field(fineText, v.fine, refusal)) return refusal;
    if (v.fine > 255 || v.fine == 0) return "Fine adjustment values outside range";
    if (!Field(roughText, v.rough, refusal)) return refusal;
    if (v.rough > 255) return "Rough adjustment values outside range";
    values = v;
    return {};
}
