#include "tests/gui/harness/ExpectMessage.h"

#include <gtest/gtest.h>

int ExpectMessage::OnInvoked(wxMessageDialog* dlg) const {
    EXPECT_EQ(dlg->GetMessage(), message_);
    EXPECT_EQ(dlg->GetCaption(), caption_);
    EXPECT_EQ(dlg->GetMessageDialogStyle() & style_, style_);
    return answer_;
}
