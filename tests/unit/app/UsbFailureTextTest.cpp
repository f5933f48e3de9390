#include <gtest/gtest.h>

#include <string>

#include "app/core/UsbFailureText.h"
#include "meter/LinkFailureTexts.h"

namespace {

LinkFailure FailureOf(LinkFailureKind kind, std::string text) {
    LinkFailure failure;
    failure.status = LINK_TRANSFER_FAILED;
    failure.kind = kind;
    failure.text = std::move(text);
    return failure;
}

// The window's reason line is the Italian column, with libusb's own words after it when there
// are any.
TEST(UsbFailureText, ReasonReadsTheItalianColumn) {
    for (int i = 1; i < static_cast<int>(LinkFailureKind::kCount); ++i) {
        const auto kind = static_cast<LinkFailureKind>(i);
        SCOPED_TRACE(i);
        const std::string italian = TextsFor(kind).italian;
        EXPECT_EQ(UsbFailureReason(FailureOf(kind, "")), "Motivo: " + italian);
        EXPECT_EQ(UsbFailureReason(FailureOf(kind, "Connection timed out")),
                  "Motivo: " + italian + " (Connection timed out)");
    }
    EXPECT_EQ(UsbFailureReason(FailureOf(LinkFailureKind::kNone, "stale text")), "");
}

TEST(UsbFailureText, PermissionDeniedNamesTheUdevRule) {
    const std::string reason = UsbFailureReason(FailureOf(LinkFailureKind::kPermissionDenied, ""));
    EXPECT_EQ(reason.rfind("Motivo: permesso negato", 0), 0u) << reason;
    EXPECT_NE(reason.find("60-hvx2.rules"), std::string::npos) << reason;
}

}  // namespace
