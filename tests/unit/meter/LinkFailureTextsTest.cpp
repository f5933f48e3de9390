#include <gtest/gtest.h>

#include <string>

#include "meter/LinkFailure.h"
#include "meter/LinkFailureTexts.h"

namespace {

LinkFailure FailureOf(LinkFailureKind kind, std::string text) {
    LinkFailure failure;
    failure.status = LINK_TRANSFER_FAILED;
    failure.kind = kind;
    failure.text = std::move(text);
    return failure;
}

// Every kind up to the end marker, so a kind added without its words fails here.
TEST(LinkFailureTexts, EveryKindHasBothTexts) {
    for (int i = 1; i < static_cast<int>(LinkFailureKind::kCount); ++i) {
        const auto kind = static_cast<LinkFailureKind>(i);
        SCOPED_TRACE(i);
        const LinkFailureTexts& texts = TextsFor(kind);
        EXPECT_EQ(texts.kind, kind);
        ASSERT_NE(texts.english, nullptr);
        ASSERT_NE(texts.italian, nullptr);
        EXPECT_NE(std::string(texts.english), "");
        EXPECT_NE(std::string(texts.italian), "");
        EXPECT_NE(std::string(texts.english), texts.italian);
    }
}

TEST(LinkFailureTexts, NoFailureAndNoKindHaveNoWords) {
    for (const auto kind :
         {LinkFailureKind::kNone, LinkFailureKind::kCount, static_cast<LinkFailureKind>(-1)}) {
        SCOPED_TRACE(static_cast<int>(kind));
        EXPECT_STREQ(TextsFor(kind).english, "");
        EXPECT_STREQ(TextsFor(kind).italian, "");
    }
}

// hvx-probe's line is the English column, with libusb's own words after it when there are any.
TEST(LinkFailureTexts, ReasonTextReadsTheEnglishColumn) {
    for (int i = 1; i < static_cast<int>(LinkFailureKind::kCount); ++i) {
        const auto kind = static_cast<LinkFailureKind>(i);
        SCOPED_TRACE(i);
        const std::string english = TextsFor(kind).english;
        EXPECT_EQ(ReasonText(FailureOf(kind, "")), english);
        EXPECT_EQ(ReasonText(FailureOf(kind, "Input/output error")),
                  english + " (Input/output error)");
    }
    EXPECT_EQ(ReasonText(FailureOf(LinkFailureKind::kNone, "stale text")), "");
}

}  // namespace
