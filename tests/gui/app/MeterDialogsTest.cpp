// The meter-settings button and the factory command open their modal dialogs against the simulated
// meter; what the settings dialog learns of the meter's flow unit shows in the "Data" menu at once.
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "data/Preferences.h"
#include "dialogs/Config.h"
#include "dialogs/SettingsDialog.h"
#include "plot/mpScaleY.h"
#include "plot/mpWindow.h"
#include "sim/Bus.h"
#include "sim/Meter.h"
#include "tests/gui/app/MainWindowFixture.h"

namespace {

// Answers a modal dialog of type T with id, without showing it.
template <class T>
class ExpectDialog : public wxExpectModalBase<T, ExpectDialog<T>> {
public:
    explicit ExpectDialog(int id) : id(id) {}

protected:
    int OnInvoked(T*) const override { return id; }

private:
    int id;
};

class MeterDialogsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        sim::Bus::Instance().Reset();
        meter = &sim::Bus::Instance().PlugMeter();
        WritePreferences({1, 98, 0, 0, 0, 0, 0});
        ASSERT_NE(Open(), nullptr);
    }
    void TearDown() override {
        EXPECT_EQ(sim::Bus::Instance().OpenHandles(), 0);
        sim::Bus::Instance().Reset();
        MainWindowTest::TearDown();
    }
    void Click(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(frame->Controls().panel->FindWindow(id));
        frame->ProcessWindowEvent(event);
    }
    bool Checked(int id) const { return frame->GetMenuBar()->IsChecked(id); }

    sim::Meter* meter = nullptr;
};

TEST_F(MeterDialogsTest, SettingsButtonOpensTheDialogAndTheMenuFollowsTheMetersFlowUnit) {
    SettingsBlock s = meter->Settings();
    s.unitMarker = 5;
    s.flowUnitBit = 4;  // cubic metres per hour
    meter->SetSettings(s);
    ASSERT_TRUE(Checked(ID_FLOW_UNIT_LPM));

    wxTEST_DIALOG(Click(ID_METER_SETTINGS), ExpectDialog<SettingsDialog>(wxID_CANCEL));

    EXPECT_EQ(GlobalPreferences().flowUnit, 2);
    EXPECT_TRUE(GlobalPreferences().meterSetsFlowUnit);
    EXPECT_TRUE(Checked(ID_FLOW_UNIT_M3H));
    EXPECT_FALSE(Checked(ID_FLOW_UNIT_LPM));
    EXPECT_TRUE(guitest::CapturedLog::Get().Errors().empty());
}

// A meter set to cubic metres per hour changes the preference, not the shown litre record: its
// labels and what a save writes for it stay litres per minute.
TEST_F(MeterDialogsTest, TheMetersFlowUnitDoesNotRelabelTheShownRecord) {
    SettingsBlock s = meter->Settings();
    s.unitMarker = 5;
    s.flowUnitBit = 4;
    meter->SetSettings(s);
    Storage r("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    for (int i = 0; i < 3; ++i) r.AddRawSample(152, 0);
    frame->Records().Append(r);
    frame->RefreshRecordList();
    const long both = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
    frame->Controls().recordList->SetItemState(0, both, both);
    guitest::Flush();

    wxTEST_DIALOG(Click(ID_METER_SETTINGS), ExpectDialog<SettingsDialog>(wxID_CANCEL));
    ASSERT_EQ(GlobalPreferences().flowUnit, 2);
    EXPECT_EQ(frame->Graph().FlowAxis()->name, "Portata (litri/min)");
    EXPECT_EQ(frame->Controls().graph.flowUnitLabel->GetLabel(), "l/min.");
    const wxString path = wxFileName(home, "dopo.orv").GetFullPath();
    ASSERT_TRUE(frame->Records().Save(path));
    wxString text;
    wxFFile(path, "rb").ReadAll(&text);
    EXPECT_TRUE(text.Contains("\n1 0\n")) << text;
}

TEST_F(MeterDialogsTest, CtrlShiftFOpensTheFactoryDialog) {
    frame->Raise();
    frame->Controls().graph.plot->SetFocus();
    wxUIActionSimulator input;
    // Without a window manager the keyboard follows the pointer.
    input.MouseMove(frame->Controls().graph.plot->GetScreenRect().GetPosition() + wxPoint(20, 20));
    guitest::Flush();
    wxTEST_DIALOG(
        {
            input.Char('F', wxMOD_CONTROL | wxMOD_SHIFT);
            guitest::Flush();
        },
        ExpectDialog<Config>(wxID_CANCEL));
}

TEST_F(MeterDialogsTest, FactoryCommandOpensTheFactoryDialog) {
    sim::Bus::Instance().ClearTransfers();
    wxTEST_DIALOG(Command(ID_FACTORY_CONFIG), ExpectDialog<Config>(wxID_CANCEL));
    // The factory dialog reads nothing until asked.
    for (const auto& t : sim::Bus::Instance().Transfers()) EXPECT_NE(t.requestType, 0xC0);
}

}  // namespace
