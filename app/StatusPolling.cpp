#include <wx/panel.h>
#include <wx/stattext.h>

#include "app/MainFrame.h"
#include "app/core/ResourceLevels.h"
#include "meter/LoggerStatus.h"
#include "widgets/wxKestGauge.h"

namespace {

wxColour ToColour(const Rgb& c) { return wxColour(c.r, c.g, c.b); }

}  // namespace

// Every five seconds for the whole run. A meter that is absent or does not answer is not an
// error here: the box just goes blank until it answers again.
void MainFrame::OnStatusTimer(wxTimerEvent&) {
    const uint8_t* reply = link_->GetLoggerStatus();
    const auto status =
        reply != nullptr ? DecodeLoggerStatus({reply, kLoggerStatusLength}) : std::nullopt;
    if (!status) {
        ShowMemoryText(" ");
        c_.memoryGauge->SetValue(0);
        c_.batteryGauge->SetValue(0);
        return;
    }
    const ResourceLevels levels = LevelsFromStatus(*status);
    ShowMemoryText(wxString::FromUTF8(levels.memoryText));
    c_.memoryGauge->SetValue(levels.memoryLevel);
    c_.batteryGauge->SetValue(levels.batteryLevel);
    c_.batteryGauge->SetBackgroundColour(ToColour(kBatteryTrough));
    c_.batteryGauge->SetForegroundColour(ToColour(levels.batteryBar));
}

void MainFrame::ShowMemoryText(const wxString& text) {
    if (c_.memoryText->GetLabel() == text) return;
    c_.memoryText->SetLabel(text);
    // The label's width follows its text; the panel's sizer gives it the room.
    c_.panel->Layout();
}
