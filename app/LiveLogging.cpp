// Live logging: buttons 17 and 18 switch the meter's live mode on and off; while it is on, the
// live timer empties the meter's live buffer into the live record at the front of the list and
// shows the newest values on the LCD displays.
#include <wx/bmpbuttn.h>
#include <wx/datetime.h>
#include <wx/log.h>

#include <algorithm>
#include <array>
#include <span>

#include "app/MainFrame.h"
#include "data/Preferences.h"
#include "data/Units.h"
#include "meter/LiveBlock.h"
#include "meter/SampleRate.h"
#include "meter/SettingsBlock.h"
#include "widgets/kwxLCDClock.h"
#include "widgets/kwxLCDDisplay.h"

namespace {

// The live timer never runs faster than once a second; the meter buffers what falls between.
constexpr int kMinLivePeriodMs = 1000;

wxString LiveFlowText(double flow, int flowUnit) {
    switch (flowUnit) {
        case 0:
            return wxString::Format("%.0f", flow);
        case 1:
        case 2:
            return wxString::Format("%.2f", flow);
        default:
            // US gallons per minute: tenths, like the meter's own display.
            return wxString::Format("%.1f", flow);
    }
}

}  // namespace

bool MainFrame::LiveLoggingRunning() const { return liveTimer_.IsRunning(); }

void MainFrame::OnLiveStart(wxCommandEvent&) { StartLiveLogging(); }

void MainFrame::OnLiveStop(wxCommandEvent&) { StopLiveLogging(); }

void MainFrame::OnLiveTick(wxTimerEvent&) { LiveTick(); }

void MainFrame::StartLiveLogging() {
    // A second start while one runs would leave the first record without its meter.
    if (LiveLoggingRunning()) return;
    elapsedSeconds_ = 0.0f;
    Preferences& prefs = GlobalPreferences();
    const uint16_t version = VersionWord(link_->GetFirmwareVersion());
    prefs.firmwareVersion = version;
    const std::size_t length = SettingsBlockLength(version);
    std::array<uint8_t, kLongSettingsLength> block{};
    if (!link_->ReadMemory(0, unsigned(length), block.data())) {
        wxLogError("Nessuna connessione USB: reinserire il cavo USB");
        return;
    }
    const std::optional<SettingsBlock> settings =
        DecodeSettingsBlock(std::span<const uint8_t>(block.data(), length));
    if (!settings) return;
    ApplyMeterFlowUnit(prefs, block.data(), length);
    UpdateFlowUnitChecks();

    c_.liveStartButton->Enable(false);
    c_.liveStopButton->Enable(true);

    const int interval = IntervalMsFromCode(settings->rateCode);
    prefs.metricUnits = settings->metricUnits() ? 1 : 0;
    prefs.pressureUnit = settings->pressureUnit;

    if (!link_->SetLiveMode(1)) {
        wxLogError("Connessione USB fallita: %d Accesso alle impostazioni fallita: restart", 0);
        return;
    }

    const wxDateTime now = wxDateTime::Now().ToTimezone(wxDateTime::GMT0);
    const wxString start = now.Format("%d/%m/%Y") + " " + now.Format("%H:%M:%S");
    Storage record(start, interval, prefs.metricUnits, 0, prefs.flowUnit, 0);
    record.SetPressureScaling(settings->pressureZero, settings->pressureRough,
                              settings->pressureFine, settings->pressureUnit);
    record.title = wxString::Format("Dal vivo %d", int(records_.Size()) + 1);
    if (version == kLongSettingsVersion && settings->serial) {
        prefs.serial = *settings->serial;
        record.SetSerial(*settings->serial);
    }
    records_.StartLive(std::move(record));
    SetAxisUnits(records_.LiveIndex());
    liveTimer_.Start(std::max(interval, kMinLivePeriodMs), wxTIMER_CONTINUOUS);
    RefreshRecordList();
}

void MainFrame::LiveTick() {
    const uint8_t* reply = link_->GetLiveSamples();
    if (reply == nullptr) {
        wxLogError(
            "USB Connection Lost: STOP operation immediately and Restart Flowmeter AND "
            "software");
        StopLiveLogging();
        return;
    }
    const LiveBlock samples = DecodeLiveBlock(std::span<const uint8_t>(reply, kLiveBlockLength));
    // The live record left the list (or the list was replaced): its samples have nowhere to go,
    // and no other record may take them.
    if (!records_.LiveRunning()) {
        StopLiveLogging();
        return;
    }
    for (const RawSample& s : samples) records_.AppendLiveSample(s.flow, s.pressure);
    const int live = records_.LiveIndex();
    const Storage& record = records_.At(live);
    if (samples.size() > 0) {
        float flow = 0.0f, pressure = 0.0f, volume = 0.0f;
        record.GetLastSample(elapsedSeconds_, flow, pressure, volume);
        c_.graph.elapsedDisplay->SetElapsedSeconds(elapsedSeconds_);
        c_.graph.flowDisplay->SetValue(LiveFlowText(flow, record.flowUnit));
        c_.graph.pressureDisplay->SetValue(wxString::Format("%.1f", double(pressure)));
    }
    RefreshRecordList();
    graph_->ShowGrownRecord(live);
    records_.SetSaved(false);
}

void MainFrame::StopLiveLogging() {
    c_.liveStartButton->Enable(true);
    c_.liveStopButton->Enable(false);
    liveTimer_.Stop();
    records_.EndLive();
    if (!link_->SetLiveMode(0)) {
        wxLogError("errore USB: Spegnere il misuratore e far ripartire il software");
        return;
    }
    // Empties the meter's live buffer, so the next start begins with fresh samples.
    link_->GetLiveSamples();
    RefreshRecordList();
}
