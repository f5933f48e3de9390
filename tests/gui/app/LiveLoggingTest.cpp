// Live logging against the simulated meter: its clock is moved by hand and the live timer's ticks
// are delivered by sending the timer event, so nothing waits on the wall clock.
#include <wx/bmpbuttn.h>
#include <wx/listctrl.h>

#include <chrono>
#include <cmath>
#include <functional>

#include "app/CommandIds.h"
#include "data/Preferences.h"
#include "data/Workspace.h"
#include "meter/SampleRate.h"
#include "plot/mpFXYVector.h"
#include "sim/Bus.h"
#include "sim/Meter.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "widgets/kwxLCDClock.h"
#include "widgets/kwxLCDDisplay.h"

namespace {

const wxString kNoConnection = "Nessuna connessione USB: reinserire il cavo USB";
const wxString kLiveRefused =
    "Connessione USB fallita: 0 Accesso alle impostazioni fallita: restart";
const wxString kConnectionLost =
    "USB Connection Lost: STOP operation immediately and Restart Flowmeter AND software";
const wxString kStopRefused = "errore USB: Spegnere il misuratore e far ripartire il software";

// Sample k of a run (k from 1) has flow 100 + k litres per minute and a fixed pressure count.
RawSample NumberedSample(double seconds, int intervalMs) {
    const int k = int(std::lround(seconds * 1000.0 / intervalMs));
    return {100 + k, 300};
}

class LiveLoggingTest : public MainWindowTest {
public:
    void SetUp() override {
        MainWindowTest::SetUp();
        sim::Bus::Instance().Reset();
        meter = &sim::Bus::Instance().PlugMeter();
        SetInterval(1000);
    }
    void TearDown() override {
        EXPECT_EQ(sim::Bus::Instance().OpenHandles(), 0);
        if (IsOpen() && frame->LiveLoggingRunning()) frame->StopLiveLogging();
        sim::Bus::Instance().Reset();
        MainWindowTest::TearDown();
    }
    void SetInterval(int ms) {
        SettingsBlock s = meter->Settings();
        s.rateCode = uint16_t(CodeFromIntervalMs(ms));
        s.state |= 0x01;  // litres
        s.pressureZero = 100;
        s.pressureRough = 2;
        s.pressureFine = 0;
        s.pressureUnit = 'p';
        s.unitMarker = 5;
        s.flowUnitBit = 0;  // litres per minute
        s.serial = 2417;
        meter->SetSettings(s);
        intervalMs = IntervalMsFromCode(s.rateCode);
        const int interval = intervalMs;
        meter->SetLiveSource([interval](double t) { return NumberedSample(t, interval); });
    }
    MainFrame* OpenWindow() {
        WritePreferences({1, 98, 0, 0, 0, 0, 0});
        return Open();
    }
    void Click(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(frame->Controls().panel->FindWindow(id));
        frame->ProcessWindowEvent(event);
    }
    // The meter runs for `ms`, then the live timer ticks once.
    void Tick(int ms) {
        sim::Bus::Instance().Advance(std::chrono::milliseconds(ms));
        wxTimerEvent event(frame->LiveTimer());
        frame->ProcessWindowEvent(event);
    }
    // Selects one row as a click does, with the list's own events.
    void Select(int row) {
        const long both = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
        frame->Controls().recordList->SetItemState(row, both, both);
        guitest::Flush();
    }
    bool StartEnabled() const { return frame->Controls().liveStartButton->IsEnabled(); }
    bool StopEnabled() const { return frame->Controls().liveStopButton->IsEnabled(); }
    wxString Row(int row) const { return frame->Controls().recordList->GetItemText(row, 0); }
    // The errors logged since the last call, then forgotten (the fixture fails on any left over).
    std::vector<wxString> TakeErrors() {
        std::vector<wxString> errors = guitest::CapturedLog::Get().Errors();
        guitest::CapturedLog::Get().Clear();
        return errors;
    }

    sim::Meter* meter = nullptr;
    int intervalMs = 1000;
};

TEST_F(LiveLoggingTest, StartTicksAndStopAtBothIntervals) {
    struct Case {
        int intervalMs;
        int period;         // of the live timer
        int perSecond;      // samples the meter buffers each second
        const char* first;  // flow display after the first tick
    };
    for (const Case& c : {Case{1000, 1000, 1, "101"}, Case{500, 1000, 2, "102"}}) {
        SCOPED_TRACE(c.intervalMs);
        SetInterval(c.intervalMs);
        MainFrame* w = OpenWindow();
        w->Records().Append(MakeRecord("Vecchio"));
        w->RefreshRecordList();
        w->Records().SetSaved(true);

        Click(ID_LIVE_START);
        EXPECT_TRUE(TakeErrors().empty());
        EXPECT_FALSE(StartEnabled());
        EXPECT_TRUE(StopEnabled());
        EXPECT_TRUE(meter->LiveMode());
        ASSERT_TRUE(w->LiveTimer().IsRunning());
        EXPECT_EQ(w->LiveTimer().GetInterval(), c.period);
        EXPECT_EQ(w->LiveTimer().GetId(), ID_LIVE_TIMER);
        ASSERT_EQ(w->Records().Size(), 2u);
        EXPECT_EQ(w->Records().LiveIndex(), 0);
        const Storage& live = w->Records().At(0);
        EXPECT_EQ(live.title, "Dal vivo 2");
        EXPECT_EQ(live.GetInterval(), intervalMs);
        EXPECT_EQ(live.GetSerial(), 2417);
        EXPECT_EQ(GlobalPreferences().serial, 2417);
        EXPECT_EQ(live.pressureUnit, 'p');
        EXPECT_EQ(live.GetLength(), 0);
        EXPECT_TRUE(live.start.IsValid()) << live.dateText;
        EXPECT_EQ(Row(0), "Dal vivo 2");
        EXPECT_EQ(Row(1), "Vecchio");

        Tick(1000);
        ASSERT_EQ(w->Records().At(0).GetLength(), c.perSecond);
        EXPECT_EQ(w->Records().At(1).GetLength(), 10);  // the other record is untouched
        EXPECT_FALSE(w->Records().Saved());
        EXPECT_EQ(w->Controls().graph.flowDisplay->GetValue(), c.first);
        // Pressure count 300, zero 100, divisor 2: 100 psi.
        EXPECT_EQ(w->Controls().graph.pressureDisplay->GetValue(), "100.0");
        EXPECT_EQ(w->Graph().SelectedRecord(), 0);
        EXPECT_EQ(w->Graph().FlowSeries()->GetCount(), c.perSecond);

        Tick(3000);
        const Storage& after = w->Records().At(0);
        ASSERT_EQ(after.GetLength(), 4 * c.perSecond);
        for (int i = 0; i < after.GetLength(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_FLOAT_EQ(after.flow[std::size_t(i)], float(101 + i));
            EXPECT_FLOAT_EQ(after.time[std::size_t(i)], float((i + 1) * intervalMs) / 1000.0f);
        }
        EXPECT_EQ(w->Graph().FlowSeries()->GetCount(), 4 * c.perSecond);
        EXPECT_EQ(w->Graph().FlowSeries()->GetYs(), after.flow);
        EXPECT_EQ(w->Controls().graph.elapsedDisplay->GetValue(), "00:00:04");
        EXPECT_EQ(w->Controls().recordList->GetItemText(0, 3), "00:04");

        Click(ID_LIVE_STOP);
        EXPECT_TRUE(TakeErrors().empty());
        EXPECT_TRUE(StartEnabled());
        EXPECT_FALSE(StopEnabled());
        EXPECT_FALSE(w->LiveTimer().IsRunning());
        EXPECT_FALSE(meter->LiveMode());
        EXPECT_EQ(meter->PendingLiveSamples(), 0u);
        EXPECT_FALSE(w->Records().LiveRunning());
        EXPECT_EQ(w->Records().At(0).GetLength(), 4 * c.perSecond);

        w->Records().SetSaved(true);
        w->Destroy();
        ASSERT_TRUE(WaitClosed());
    }
}

// A tick whose block holds no sample still refreshes and marks the workspace unsaved.
TEST_F(LiveLoggingTest, AnEmptyBlockStillRefreshesAndClearsSaved) {
    MainFrame* w = OpenWindow();
    Click(ID_LIVE_START);
    w->Records().SetSaved(true);
    Tick(0);
    EXPECT_EQ(w->Records().At(0).GetLength(), 0);
    EXPECT_FALSE(w->Records().Saved());
    EXPECT_EQ(w->Graph().SelectedRecord(), 0);
}

TEST_F(LiveLoggingTest, StartingTwiceMakesTwoRecordsNewestFirst) {
    MainFrame* w = OpenWindow();
    Click(ID_LIVE_START);
    Tick(2000);
    Click(ID_LIVE_STOP);
    Click(ID_LIVE_START);
    Tick(1000);
    ASSERT_EQ(w->Records().Size(), 2u);
    EXPECT_EQ(w->Records().At(0).title, "Dal vivo 2");
    EXPECT_EQ(w->Records().At(1).title, "Dal vivo 1");
    EXPECT_EQ(w->Records().At(0).GetLength(), 1);
    EXPECT_EQ(w->Records().At(1).GetLength(), 2);
    // The second run starts its samples afresh: nothing buffered between the runs leaks in.
    EXPECT_FLOAT_EQ(w->Records().At(0).flow[0], 101.0f);
    // A start while running changes nothing.
    Click(ID_LIVE_START);
    EXPECT_EQ(w->Records().Size(), 2u);
}

TEST_F(LiveLoggingTest, NoMeterAtStartCreatesNothing) {
    sim::Bus::Instance().Unplug(*meter);
    MainFrame* w = OpenWindow();
    sim::Bus::Instance().ClearTransfers();
    Click(ID_LIVE_START);
    EXPECT_EQ(TakeErrors(), std::vector<wxString>{kNoConnection});
    EXPECT_TRUE(w->Records().Empty());
    EXPECT_TRUE(StartEnabled());
    EXPECT_FALSE(StopEnabled());
    EXPECT_FALSE(w->LiveTimer().IsRunning());
}

// The meter answers the settings read and then no longer takes live mode.
TEST_F(LiveLoggingTest, LiveModeRefusedCreatesNoRecordAndLeavesStopAvailable) {
    MainFrame* w = OpenWindow();
    sim::Bus::Instance().UnplugAfterTransfers(2);  // version, settings block
    Click(ID_LIVE_START);
    EXPECT_EQ(TakeErrors(), std::vector<wxString>{kLiveRefused});
    EXPECT_TRUE(w->Records().Empty());
    EXPECT_FALSE(w->LiveTimer().IsRunning());
    EXPECT_FALSE(StartEnabled());
    EXPECT_TRUE(StopEnabled());
    // Stop is the way back; with the meter gone it reports that live mode could not be switched
    // off.
    Click(ID_LIVE_STOP);
    EXPECT_EQ(TakeErrors(), std::vector<wxString>{kStopRefused});
    EXPECT_TRUE(StartEnabled());
    EXPECT_FALSE(StopEnabled());
}

TEST_F(LiveLoggingTest, LiveStopRefusedStillStopsTheTimerAndKeepsTheRecord) {
    MainFrame* w = OpenWindow();
    Click(ID_LIVE_START);
    Tick(3000);
    // The switch-off transfer fails and so does the reconfiguration that would retry it.
    sim::Bus::Instance().FailNextTransfers(1);
    sim::Bus::Instance().RefuseSetConfiguration(1);
    Click(ID_LIVE_STOP);
    EXPECT_EQ(TakeErrors(), std::vector<wxString>{kStopRefused});
    EXPECT_FALSE(w->LiveTimer().IsRunning());
    EXPECT_TRUE(StartEnabled());
    EXPECT_FALSE(StopEnabled());
    EXPECT_TRUE(meter->LiveMode());  // the meter was not switched off
    EXPECT_EQ(w->Records().At(0).GetLength(), 3);
    EXPECT_FALSE(w->Records().LiveRunning());
}

TEST_F(LiveLoggingTest, AMeterUnpluggedMidRunStopsAndKeepsEverySample) {
    MainFrame* w = OpenWindow();
    Click(ID_LIVE_START);
    Tick(2000);
    Tick(1000);
    sim::Bus::Instance().Unplug(*meter);
    Tick(1000);
    const std::vector<wxString> errors = TakeErrors();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front(), kConnectionLost);
    EXPECT_FALSE(w->LiveTimer().IsRunning());
    EXPECT_TRUE(StartEnabled());
    EXPECT_FALSE(StopEnabled());
    ASSERT_EQ(w->Records().Size(), 1u);
    EXPECT_EQ(w->Records().At(0).GetLength(), 3);
    EXPECT_FALSE(w->Records().LiveRunning());
}

// The live record cannot be taken away under the live timer: removing it, opening a workspace or
// replacing the list stops live logging first (live mode off on the meter), and a tick that still
// arrives writes into no other record.
TEST_F(LiveLoggingTest, TheLiveRecordIsProtected) {
    const wxString file = home + "/lavoro.orv";
    ASSERT_TRUE(WriteWorkspace(file, {MakeRecord("Salvato")}));
    struct Case {
        const char* name;
        std::function<void(LiveLoggingTest&, MainFrame*)> takeAway;
    };
    const Case cases[] = {
        {"remove the live record",
         [](LiveLoggingTest& t, MainFrame* w) {
             t.Select(0);
             t.Click(ID_REMOVE_RECORD);
             EXPECT_EQ(w->Records().Size(), 1u);
         }},
        {"open a workspace",
         [file](LiveLoggingTest&, MainFrame* w) {
             w->OpenWorkspace(file, "lavoro.orv");
             EXPECT_EQ(w->Records().At(0).title, "Salvato");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainFrame* w = OpenWindow();
        w->Records().Append(MakeRecord("Altro"));
        w->RefreshRecordList();
        Click(ID_LIVE_START);
        Tick(2000);
        c.takeAway(*this, w);
        EXPECT_FALSE(meter->LiveMode());
        EXPECT_FALSE(w->LiveTimer().IsRunning());
        EXPECT_TRUE(StartEnabled());
        std::vector<int> lengths;
        for (const Storage& r : w->Records().Records()) lengths.push_back(r.GetLength());
        Tick(1000);  // a tick already queued
        for (std::size_t i = 0; i < lengths.size(); ++i)
            EXPECT_EQ(w->Records().At(int(i)).GetLength(), lengths[i]);
        EXPECT_TRUE(TakeErrors().empty());
        w->Records().SetSaved(true);
        w->Destroy();
        ASSERT_TRUE(WaitClosed());
    }
}

// Another record may go while live logging runs; the live one keeps receiving.
TEST_F(LiveLoggingTest, RemovingAnotherRecordKeepsLiveLogging) {
    MainFrame* w = OpenWindow();
    w->Records().Append(MakeRecord("Altro"));
    w->RefreshRecordList();
    Click(ID_LIVE_START);
    Tick(1000);
    Select(1);
    Click(ID_REMOVE_RECORD);
    EXPECT_TRUE(meter->LiveMode());
    Tick(1000);
    ASSERT_EQ(w->Records().Size(), 1u);
    EXPECT_EQ(w->Records().At(0).GetLength(), 2);
    EXPECT_TRUE(w->LiveTimer().IsRunning());
}

// A list replaced under the live timer (a download does that) ends live logging at the next tick
// instead of feeding a downloaded record; an empty list does not trouble the tick either.
TEST_F(LiveLoggingTest, ATickAfterTheListWasReplacedOrEmptiedWritesNowhere) {
    MainFrame* w = OpenWindow();
    Click(ID_LIVE_START);
    Tick(1000);
    w->Records().ReplaceAll({MakeRecord("Memoria 1")});
    Tick(1000);
    EXPECT_EQ(w->Records().At(0).GetLength(), 10);
    EXPECT_FALSE(meter->LiveMode());
    EXPECT_FALSE(w->LiveTimer().IsRunning());
    EXPECT_TRUE(StartEnabled());

    Click(ID_LIVE_START);
    w->Records().ReplaceAll({});
    Tick(1000);
    EXPECT_TRUE(w->Records().Empty());
    EXPECT_FALSE(meter->LiveMode());
    EXPECT_TRUE(TakeErrors().empty());
}

// Closing during live logging switches live mode off before the save question is asked.
TEST_F(LiveLoggingTest, ClosingStopsLiveLoggingBeforeTheQuestion) {
    class Answer : public wxExpectModalBase<wxMessageDialog, Answer> {
    public:
        explicit Answer(sim::Meter* meter) : meter(meter) {}

    protected:
        int OnInvoked(wxMessageDialog* dlg) const override {
            EXPECT_EQ(dlg->GetMessage(), "Vuoi salvare i dati prima di chiudere?");
            EXPECT_FALSE(meter->LiveMode()) << "still in live mode at the question";
            return wxID_NO;
        }
        wxString GetDefaultDescription() const override { return "the close question"; }

    private:
        sim::Meter* meter;
    };
    MainFrame* w = OpenWindow();
    Click(ID_LIVE_START);
    Tick(2000);
    wxTEST_DIALOG(w->Close(), Answer(meter));
    EXPECT_TRUE(WaitClosed());
    EXPECT_FALSE(meter->LiveMode());
}

}  // namespace
