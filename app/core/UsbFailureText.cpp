#include "app/core/UsbFailureText.h"

#include "meter/LinkFailureTexts.h"

std::string UsbFailureReason(const LinkFailure& failure) {
    if (!failure.failed()) return "";
    std::string text = std::string("Motivo: ") + TextsFor(failure.kind).italian;
    if (!failure.text.empty()) text += " (" + failure.text + ")";
    return text;
}
