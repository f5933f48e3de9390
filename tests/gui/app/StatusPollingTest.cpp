// The status tick against the simulated meter: the remaining-time text, the memory gauge and the
// battery gauge with its colours, as they reach the screen; ticks are sent, never waited for.
#include <wx/splash.h>
#include <wx/stattext.h>

#include <vector>

#include "app/CommandIds.h"
#include "meter/MeterRequests.h"
#include "sim/Bus.h"
#include "sim/Meter.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "tests/gui/harness/ScreenPixels.h"
#include "widgets/wxKestGauge.h"

namespace {

const wxString kMinutes = "Memoria del registro dei minuti disponibile";
const wxString kHours = "Memoria del registro delle ore disponibile";
const wxColour kTrough(236, 233, 216);

class StatusPollingTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        sim::Bus::Instance().Reset();
        WritePreferences({1, 98, 0, 0, 0, 0, 0});
        ASSERT_NE(Open(), nullptr);
        // Only the ticks a test sends reach the window.
        frame->StatusTimer().Stop();
    }
    void TearDown() override {
        EXPECT_EQ(sim::Bus::Instance().OpenHandles(), 0);
        EXPECT_EQ(guitest::UnexpectedDialogs(), 0);
        sim::Bus::Instance().Reset();
        MainWindowTest::TearDown();
    }

    sim::Meter& PlugMeter(uint16_t rateCode, uint16_t battery) {
        sim::Meter& m = sim::Bus::Instance().PlugMeter();
        SettingsBlock s = m.Settings();
        s.rateCode = rateCode;
        m.SetSettings(s);
        m.SetBattery(battery);
        return m;
    }

    void Tick() {
        wxTimerEvent event(frame->StatusTimer());
        frame->ProcessWindowEvent(event);
    }

    int StatusRequests() const {
        int n = 0;
        for (const auto& t : sim::Bus::Instance().Transfers())
            if (t.request == REQ_GET_LOGGER_STATUS) ++n;
        return n;
    }

    void ExpectBlank() {
        EXPECT_EQ(frame->Controls().memoryText->GetLabel(), " ");
        EXPECT_EQ(frame->Controls().memoryGauge->GetValue(), 0);
        EXPECT_EQ(frame->Controls().batteryGauge->GetValue(), 0);
    }

    static wxColour At(const wxImage& img, int x, int y) {
        return wxColour(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y));
    }
};

TEST_F(StatusPollingTest, TheStatusTimerIsBoundToTheTick) {
    PlugMeter(0xF000, 200);
    sim::Bus::Instance().ClearTransfers();
    // The window's own timer, started for the whole run, carries id 7.
    frame->StatusTimer().Start(5000, wxTIMER_CONTINUOUS);
    wxTimerEvent event(frame->StatusTimer());
    EXPECT_EQ(event.GetId(), ID_STATUS_TIMER);
    frame->ProcessWindowEvent(event);
    frame->StatusTimer().Stop();
    EXPECT_EQ(StatusRequests(), 1);
    EXPECT_EQ(frame->Controls().batteryGauge->GetValue(), 600);
}

TEST_F(StatusPollingTest, MemoryTextInDaysHoursAndMinutes) {
    const RawSample sample{120, 300};
    const struct {
        uint16_t rateCode;
        int samples;  // logged before the tick
        wxString text;
        int memoryLevel;
    } cases[] = {
        // An empty log at one sample every 16 s lasts 8 days 2 h 11 min.
        {0x0000, 0, "8 Days, 02:11" + kMinutes, 0},
        // At one a second, 43723 s.
        {0xF000, 0, "12:08" + kHours, 0},
        // 42700 samples and their table entry leave 2962 bytes: 988 s.
        {0xF000, 42700, "00:16" + kMinutes, 684},
    };
    sim::Meter& m = PlugMeter(0xF000, 200);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m.EraseLog();
        SettingsBlock s = m.Settings();
        s.rateCode = c.rateCode;
        m.SetSettings(s);
        if (c.samples > 0) {
            const std::vector<RawSample> samples(std::size_t(c.samples), sample);
            ASSERT_TRUE(m.AddEvent({2026, 3, 1, 10, 0, 0}, samples));
            ASSERT_EQ(m.FreeMemory(), 2962u);
        }
        Tick();
        EXPECT_EQ(frame->Controls().memoryText->GetLabel(), c.text);
        EXPECT_EQ(frame->Controls().memoryGauge->GetValue(), c.memoryLevel);
    }
}

TEST_F(StatusPollingTest, AFullLogFillsTheMemoryGauge) {
    sim::Meter& m = PlugMeter(0xF000, 200);
    const std::vector<RawSample> samples(43673, RawSample{1, 1});  // as many as fit
    ASSERT_TRUE(m.AddEvent({2026, 3, 1, 10, 0, 0}, samples));
    ASSERT_EQ(m.FreeMemory(), 0u);
    Tick();
    EXPECT_EQ(frame->Controls().memoryGauge->GetValue(), 700);
    EXPECT_EQ(frame->Controls().memoryText->GetLabel(), "00:00" + kMinutes);
}

TEST_F(StatusPollingTest, BatteryBarIsGreenOrangeOrRedOnTheScreen) {
    // The splash stays on top for two seconds: out of the way of the pixels.
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* s = dynamic_cast<wxSplashScreen*>(w)) s->Destroy();
    frame->Raise();
    const struct {
        uint16_t reading;
        int level;
        wxColour bar;
    } cases[] = {
        {117, 351, wxColour(0, 255, 0)},
        {116, 348, wxColour(240, 160, 0)},
        {58, 174, wxColour(255, 0, 0)},
    };
    sim::Meter& m = PlugMeter(0xF000, 0);
    wxKestGauge* gauge = frame->Controls().batteryGauge;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reading);
        m.SetBattery(c.reading);
        Tick();
        EXPECT_EQ(gauge->GetValue(), c.level);
        EXPECT_EQ(gauge->GetForegroundColour(), c.bar);
        EXPECT_EQ(gauge->GetBackgroundColour(), kTrough);

        const wxSize size = gauge->GetClientSize();
        ASSERT_GT(size.x, 40);
        const int fill = size.x * c.level / 700;
        const int y = size.y / 2;
        wxImage shown;
        // Wait for the repaint to reach the X server.
        EXPECT_TRUE(guitest::WaitFor([&] {
            shown = guitest::ScreenPixels(gauge->GetScreenRect());
            if (!shown.IsOk()) return false;
            return At(shown, 2, y) == c.bar && At(shown, fill + 2, y) == kTrough;
        })) << "bar "
            << At(shown, 2, y).GetAsString().utf8_string() << ", trough "
            << At(shown, fill + 2, y).GetAsString().utf8_string();
        EXPECT_EQ(At(shown, fill - 2, y), c.bar);
        EXPECT_EQ(At(shown, size.x - 2, y), kTrough);
    }
}

TEST_F(StatusPollingTest, WithoutAMeterEveryTickBlanksTheBoxQuietly) {
    for (int i = 0; i < 3; ++i) {
        Tick();
        ExpectBlank();
    }
    for (const auto& e : guitest::CapturedLog::Get().Entries())
        EXPECT_GT(e.level, wxLOG_Message) << e.text.utf8_string();
}

TEST_F(StatusPollingTest, AMeterThatComesAndGoesIsShownAndBlankedTickByTick) {
    Tick();
    ExpectBlank();

    sim::Meter& m = PlugMeter(0xF000, 117);
    Tick();
    EXPECT_EQ(frame->Controls().memoryText->GetLabel(), "12:08" + kHours);
    EXPECT_EQ(frame->Controls().batteryGauge->GetValue(), 351);

    m.SetBattery(200);
    const std::vector<RawSample> samples(42700, RawSample{5, 5});
    ASSERT_TRUE(m.AddEvent({2026, 3, 1, 10, 0, 0}, samples));
    Tick();
    EXPECT_EQ(frame->Controls().memoryGauge->GetValue(), 684);
    EXPECT_EQ(frame->Controls().batteryGauge->GetValue(), 600);

    sim::Bus::Instance().Unplug(m);
    Tick();
    ExpectBlank();
    Tick();
    ExpectBlank();

    sim::Bus::Instance().Replug(m);
    Tick();
    EXPECT_EQ(frame->Controls().memoryText->GetLabel(), "00:16" + kMinutes);
    EXPECT_EQ(frame->Controls().memoryGauge->GetValue(), 684);
    EXPECT_EQ(frame->Controls().batteryGauge->GetValue(), 600);
    EXPECT_TRUE(guitest::CapturedLog::Get().Errors().empty());
}

TEST_F(StatusPollingTest, AFailedStatusRequestBlanksTheBoxUntilTheNextAnswer) {
    PlugMeter(0xF000, 117);
    Tick();
    ASSERT_EQ(frame->Controls().batteryGauge->GetValue(), 351);
    // The request and its repeat after SET_CONFIGURATION both fail.
    sim::Bus::Instance().FailNextTransfers(2);
    Tick();
    ExpectBlank();
    Tick();
    EXPECT_EQ(frame->Controls().batteryGauge->GetValue(), 351);
    EXPECT_TRUE(guitest::CapturedLog::Get().Errors().empty());
}

}  // namespace
