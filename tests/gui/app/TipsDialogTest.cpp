// The tips dialog on its own: its tips, wrap-around, the drawn lines and the notification.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/weakref.h>

#include <algorithm>
#include <iterator>

#include "tests/gui/harness/GuiTest.h"
#include "widgets/TipsDialog.h"
#include "widgets/core/TipLines.h"

namespace {

const char* const kTexts[] = {
    "Leggi e registra le misure live dal misuratore mentre è connesso con USB",
    "Cambia i parameti del misuratore per controllare come i dati sono registrati",
    "Scarica tutti gli eventi registrati di pressione e portata dal misuratore attraverso USB",
    "Cancella tutte le registrazioni del misuratore. Questo cancella la memoria, richiede che la "
    "USB sia "
    "connessa",
    "Aprire i lavori salvati in precedenza per visualizzare i dati e fare modifiche aggiuntive",
    "Muovere il cursore sopra a una icona e una nota di aiuto comparirà automaticamente",
    "Salvare un immagine del grafico corrente. L'immagine salvata può essere importata su un "
    "report di WORD "
    "o di EXCEL",
};
const int kPictureSizes[] = {70, 70, 70, 70, 50, 70, 50};
const wxColour kGrey(236, 233, 216);

// A parent frame that records every show-at-start notice it gets.
class Parent : public wxFrame {
public:
    Parent() : wxFrame(nullptr, wxID_ANY, "parent") {
        Bind(tipsEVT_SHOW_AT_START, [this](wxCommandEvent& e) {
            ids.push_back(e.GetId());
            sources.push_back(e.GetEventObject());
        });
    }
    std::vector<int> ids;
    std::vector<wxObject*> sources;
};

class TipsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent = new Parent;
        dialog = new TipsDialog(parent, false);
        dialog->Show();
        guitest::Flush();
    }
    void TearDown() override {
        parent->Destroy();
        guitest::Flush();
        EXPECT_TRUE(guitest::CapturedLog::Get().Errors().empty());
    }
    void GoTo(size_t index) {
        for (size_t i = 0; i < dialog->Tips().size() && dialog->Current() != index; ++i)
            dialog->NextTip();
        ASSERT_EQ(dialog->Current(), index);
    }
    void Click(wxWindow* control, wxEventType type, int value = 0) {
        wxCommandEvent event(type, control->GetId());
        event.SetEventObject(control);
        event.SetInt(value);
        control->GetEventHandler()->ProcessEvent(event);
    }
    wxCheckBox* Box() {
        return dynamic_cast<wxCheckBox*>(dialog->FindWindow(TipsDialog::ID_SHOW_AT_START));
    }

    // The current tip drawn on the interface grey.
    wxImage Render() {
        wxBitmap bitmap(500, 120);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(wxBrush(kGrey));
            dc.Clear();
            dialog->DrawTip(dc);
        }
        return bitmap.ConvertToImage();
    }
    static int InkIn(const wxImage& img, const wxRect& r) {
        int ink = 0;
        for (int y = r.GetTop(); y <= r.GetBottom(); ++y)
            for (int x = r.GetLeft(); x <= r.GetRight(); ++x)
                if (wxColour(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y)) != kGrey)
                    ++ink;
        return ink;
    }
    // The band of drawn line k, as wide as its text.
    wxRect LineBand(int k, const wxString& text) {
        const wxSize extent = dialog->GetTextExtent(text);
        return {100, 15 + 20 * k, extent.x, std::min(extent.y, 20)};
    }

    Parent* parent = nullptr;
    TipsDialog* dialog = nullptr;
};

}  // namespace

TEST_F(TipsDialogTest, HoldsTheSevenTipsWithTheirPictures) {
    EXPECT_EQ(dialog->GetTitle(), "Suggerimenti di aiuto");
    EXPECT_EQ(dialog->GetBackgroundColour(), kGrey);
    ASSERT_EQ(dialog->Tips().size(), std::size(kTexts));
    for (size_t i = 0; i < std::size(kTexts); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(dialog->Tips()[i].text, wxString::FromUTF8(kTexts[i]));
        ASSERT_TRUE(dialog->Tips()[i].picture.IsOk());
        EXPECT_EQ(dialog->Tips()[i].picture.GetSize(), wxSize(kPictureSizes[i], kPictureSizes[i]));
    }
    EXPECT_LT(dialog->Current(), dialog->Tips().size());
}

TEST_F(TipsDialogTest, HasTheNextButtonOkAndTheBoxBelowTheTipBand) {
    auto* next =
        dynamic_cast<wxButton*>(wxWindow::FindWindowByLabel("Prossimo suggerimento", dialog));
    auto* ok = dynamic_cast<wxButton*>(dialog->FindWindow(wxID_OK));
    ASSERT_NE(next, nullptr);
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(Box(), nullptr);
    EXPECT_EQ(Box()->GetLabel(), "Mostra i suggerimenti all'avvio");
    EXPECT_FALSE(Box()->GetValue());
    const int tipBandBottom = dialog->ScreenToClient(next->GetScreenPosition()).y;
    EXPECT_GE(tipBandBottom, 100) << "the top 100 pixels are left for the tip";
}

TEST_F(TipsDialogTest, NextWrapsFromTheLastTipToTheFirst) {
    GoTo(6);
    auto* next = wxWindow::FindWindowByLabel("Prossimo suggerimento", dialog);
    ASSERT_NE(next, nullptr);
    Click(next, wxEVT_BUTTON);
    EXPECT_EQ(dialog->Current(), 0u);
    Click(next, wxEVT_BUTTON);
    EXPECT_EQ(dialog->Current(), 1u);
}

TEST_F(TipsDialogTest, DrawsTipOneInTwoLinesBesideItsPicture) {
    GoTo(0);
    const wxImage img = Render();
    EXPECT_GT(InkIn(img, {10, 10, 70, 70}), 0) << "picture at (10, 10)";
    EXPECT_GT(InkIn(img, LineBand(0, "Leggi e registra le misure live dal")), 0);
    EXPECT_GT(InkIn(img, LineBand(1, wxString::FromUTF8("misuratore mentre è connesso con USB"))),
              0);
    EXPECT_EQ(InkIn(img, {100, 55, 390, 60}), 0) << "nothing below the second line";
    EXPECT_EQ(InkIn(img, {85, 0, 10, 120}), 0) << "text starts at x = 100";
}

TEST_F(TipsDialogTest, DrawsTipSevenInFourLinesEndingWithExcel) {
    GoTo(6);
    const auto lines = LayoutTipLines(dialog->Tips()[6].text);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3].text, "EXCEL");
    EXPECT_EQ(lines[3].y, 75);
    const wxImage img = Render();
    for (int k = 0; k < 4; ++k)
        EXPECT_GT(InkIn(img, LineBand(k, lines[k].text)), 0) << "line " << k;
    const wxRect excel = LineBand(3, "EXCEL");
    EXPECT_EQ(InkIn(img, {excel.GetRight() + 3, 77, 480 - excel.GetRight(), 14}), 0)
        << "line 4 is EXCEL alone";
    EXPECT_EQ(InkIn(img, {100, 96, 390, 20}), 0) << "no fifth line";
}

TEST_F(TipsDialogTest, TickingTheBoxTellsTheParentAtOnce) {
    ASSERT_NE(Box(), nullptr);
    Box()->SetValue(true);
    Click(Box(), wxEVT_CHECKBOX, 1);
    Box()->SetValue(false);
    Click(Box(), wxEVT_CHECKBOX, 0);
    EXPECT_EQ(parent->ids, (std::vector<int>{1, 0}));
    EXPECT_EQ(parent->sources, (std::vector<wxObject*>{dialog, dialog}));
    EXPECT_FALSE(dialog->ShowAtStart());
}

TEST_F(TipsDialogTest, OkClosesTheDialog) {
    wxWeakRef<TipsDialog> ref(dialog);
    Click(dialog->FindWindow(wxID_OK), wxEVT_BUTTON);
    EXPECT_TRUE(guitest::WaitFor([&] { return ref.get() == nullptr; }));
}
