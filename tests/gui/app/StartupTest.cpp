// Start-up of the main window: preferences read, status bar, timers, splash and startup tips.
#include <wx/checkbox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/splash.h>
#include <wx/statusbr.h>

#include "app/CommandIds.h"
#include "data/Preferences.h"
#include "tests/gui/app/MainWindowFixture.h"

namespace {

wxSplashScreen* NewestSplash() {
    wxSplashScreen* found = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* s = dynamic_cast<wxSplashScreen*>(w); s && !s->IsBeingDeleted()) found = s;
    return found;
}

bool TipsBoxTicked(TipsDialog* dlg) {
    auto* box = dynamic_cast<wxCheckBox*>(dlg->FindWindow(TipsDialog::ID_SHOW_AT_START));
    return box != nullptr && box->GetValue();
}

}  // namespace

TEST_F(MainWindowTest, StartsWithDefaultsWhenThereIsNoPreferencesFile) {
    ASSERT_FALSE(PreferencesFileExists());
    MainFrame* w = Open();

    EXPECT_EQ(w->GetTitle(), "Senza titolo");
    EXPECT_EQ(w->GetName(), "frame");
    // The 440 x 440 it is created with grows to what the layout needs, and no smaller is allowed.
    const wxSize needed = w->Controls().panel->GetSizer()->GetMinSize();
    EXPECT_GT(needed.x, 440);
    EXPECT_GE(w->Controls().panel->GetClientSize().x, needed.x);
    EXPECT_GE(w->Controls().panel->GetClientSize().y, needed.y);
    EXPECT_EQ(w->GetMinSize(), w->GetSize());
    EXPECT_FALSE(w->GetIcons().IsEmpty());
    const Preferences& p = GlobalPreferences();
    EXPECT_EQ(p.metricUnits, 1);
    EXPECT_EQ(p.pressureUnit, 'b');
    EXPECT_EQ(p.flowUnit, 0);
    EXPECT_TRUE(p.showTips);
    EXPECT_FALSE(p.absoluteTime);

    EXPECT_TRUE(w->Records().Empty());
    EXPECT_FALSE(w->Records().Saved());
    EXPECT_TRUE(w->Records().Path().empty());
    EXPECT_NE(&w->Link(), nullptr);
    ASSERT_EQ(TipsDialogs().size(), 1u);
    EXPECT_TRUE(TipsBoxTicked(TipsDialogs()[0]));

    // Nothing is written before the window is destroyed.
    EXPECT_FALSE(PreferencesFileExists());
    w->Destroy();
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(PreferencesFile(), "1\n98\n0\n1\n0\n0\n0\n");
}

TEST_F(MainWindowTest, ShowsTheWelcomeInTheTwoFieldStatusBar) {
    MainFrame* w = Open();
    wxStatusBar* bar = w->GetStatusBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetFieldsCount(), 2);
    EXPECT_EQ(bar->GetName(), "status_line");
    EXPECT_EQ(bar->GetStatusText(0), "Benvenuti nel software di monitoraggio HVX-4.8");
    EXPECT_TRUE(bar->HasFlag(wxSTB_SIZEGRIP));
}

TEST_F(MainWindowTest, RunsTheStatusTimerButNotTheLiveTimer) {
    MainFrame* w = Open();
    EXPECT_TRUE(w->StatusTimer().IsRunning());
    EXPECT_EQ(w->StatusTimer().GetId(), ID_STATUS_TIMER);
    EXPECT_EQ(w->StatusTimer().GetInterval(), 5000);
    EXPECT_FALSE(w->StatusTimer().IsOneShot());
    EXPECT_EQ(w->StatusTimer().GetOwner(), w);
    EXPECT_FALSE(w->LiveTimer().IsRunning());
    EXPECT_EQ(w->LiveTimer().GetId(), ID_LIVE_TIMER);
}

TEST_F(MainWindowTest, ShowsTheSplashPictureForTwoSeconds) {
    Open();
    wxSplashScreen* splash = NewestSplash();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->GetTimeout(), 2000);
    EXPECT_TRUE(splash->GetSplashStyle() & wxSPLASH_TIMEOUT);
    EXPECT_TRUE(splash->GetSplashStyle() & wxSPLASH_CENTRE_ON_SCREEN);
    EXPECT_EQ(splash->GetParent(), nullptr);
    EXPECT_EQ(splash->GetSplashWindow()->GetBitmap().GetSize(), wxSize(640, 540));
}

TEST_F(MainWindowTest, ShowsTheTipsWithTheBoxTickedWhenTheFileAsksForThem) {
    WritePreferences({1, 98, 0, 1, 0, 0, 0});
    Open();
    const auto tips = TipsDialogs();
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_TRUE(tips[0]->IsShown());
    EXPECT_FALSE(tips[0]->IsModal());
    EXPECT_TRUE(TipsBoxTicked(tips[0]));
}

TEST_F(MainWindowTest, StartsWithoutTipsWhenTheFileTurnsThemOff) {
    WritePreferences({1, 112, 7, 0, 0, 0, 0});
    Open();
    EXPECT_TRUE(TipsDialogs().empty());
    EXPECT_FALSE(GlobalPreferences().showTips);
    EXPECT_EQ(GlobalPreferences().pressureUnit, 'p');
    frame->Destroy();
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(PreferencesFile(), "1\n112\n7\n0\n0\n0\n0\n");
}

TEST_F(MainWindowTest, HelpMenuOpensAFurtherTipsDialogEachTime) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    Open();
    ASSERT_TRUE(TipsDialogs().empty());
    Command(ID_SHOW_TIPS);
    Command(ID_SHOW_TIPS);
    const auto tips = TipsDialogs();
    ASSERT_EQ(tips.size(), 2u);
    for (TipsDialog* dlg : tips) {
        EXPECT_TRUE(dlg->IsShown());
        EXPECT_FALSE(TipsBoxTicked(dlg)) << "the box shows showTips, which is off";
    }
}

TEST_F(MainWindowTest, TickingTheTipsBoxTurnsTheTipsOnForTheNextStart) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    Open();
    Command(ID_SHOW_TIPS);
    ASSERT_EQ(TipsDialogs().size(), 1u);
    auto* box =
        dynamic_cast<wxCheckBox*>(TipsDialogs()[0]->FindWindow(TipsDialog::ID_SHOW_AT_START));
    ASSERT_NE(box, nullptr);
    box->SetValue(true);
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    click.SetInt(1);
    box->GetEventHandler()->ProcessEvent(click);
    EXPECT_TRUE(GlobalPreferences().showTips);

    frame->Destroy();
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(PreferencesFile(), "1\n98\n0\n1\n0\n0\n0\n");
}

TEST_F(MainWindowTest, UntickingTheTipsBoxAtStartTurnsThemOff) {
    Open();
    ASSERT_EQ(TipsDialogs().size(), 1u);
    auto* box =
        dynamic_cast<wxCheckBox*>(TipsDialogs()[0]->FindWindow(TipsDialog::ID_SHOW_AT_START));
    ASSERT_NE(box, nullptr);
    box->SetValue(false);
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(click);
    EXPECT_FALSE(GlobalPreferences().showTips);

    frame->Destroy();
    ASSERT_TRUE(WaitClosed());
    EXPECT_EQ(PreferencesFile(), "1\n98\n0\n0\n0\n0\n0\n");
}
