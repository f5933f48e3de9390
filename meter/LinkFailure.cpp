#include "meter/LinkFailure.h"

namespace {

const char* KindText(LinkFailureKind kind) {
    switch (kind) {
        case LinkFailureKind::kNone:
            return "";
        case LinkFailureKind::kNoMeter:
            return "no HVX-2 meter (04d8:fffd) on the USB bus";
        case LinkFailureKind::kPermissionDenied:
            return "permission denied on the meter's USB device: install the udev rule "
                   "60-hvx2.rules (see the README, \"Installing\") and plug the meter in again";
        case LinkFailureKind::kOpenFailed:
            return "the meter's USB device could not be opened";
        case LinkFailureKind::kTransferFailed:
            return "a USB transfer to the meter failed";
        case LinkFailureKind::kTimedOut:
            return "the meter did not answer in time";
        case LinkFailureKind::kShortReply:
            return "the meter's reply was cut short";
        case LinkFailureKind::kReconfigureRefused:
            return "a USB transfer failed and the meter refused to be reconfigured";
    }
    return "";
}

}  // namespace

std::string ReasonText(const LinkFailure& failure) {
    if (!failure.failed()) return "";
    std::string text = KindText(failure.kind);
    if (!failure.text.empty()) text += " (" + failure.text + ")";
    return text;
}
