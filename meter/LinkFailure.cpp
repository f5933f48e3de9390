#include "meter/LinkFailure.h"

#include "meter/LinkFailureTexts.h"

std::string ReasonText(const LinkFailure& failure) {
    if (!failure.failed()) return "";
    std::string text = TextsFor(failure.kind).english;
    if (!failure.text.empty()) text += " (" + failure.text + ")";
    return text;
}
