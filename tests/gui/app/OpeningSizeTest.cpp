// The main window at the size it opens with: every caption reads whole, every list column shows,
// and the window fits the screen. Measured on the real GTK controls with their own fonts.
#include <wx/button.h>
#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <string>

#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "widgets/wxKestButton.h"

namespace {

std::string Describe(wxWindow* w) {
    wxString text = w->GetLabel();
    if (auto* kest = dynamic_cast<wxKestButton*>(w)) text = kest->GetCaption();
    return (w->GetClassInfo()->GetClassName() + wxString(" \"") + text + "\"").utf8_string();
}

// Every shown window under `root`, depth first.
void CollectShown(wxWindow* root, std::vector<wxWindow*>& out) {
    for (wxWindow* child : root->GetChildren()) {
        if (!child->IsShown()) continue;
        out.push_back(child);
        CollectShown(child, out);
    }
}

// A caption drawn by the control itself: its text, in its font, inside its client area.
void ExpectTextFits(wxWindow* w, const wxString& text, int padding) {
    if (text.empty()) return;
    const wxSize extent = w->GetTextExtent(text);
    const wxSize client = w->GetClientSize();
    EXPECT_LE(extent.x + padding, client.x) << Describe(w) << " is cut: text " << extent.x
                                            << " px wide in a " << client.x << " px control";
    EXPECT_LE(extent.y, client.y) << Describe(w) << " is cut vertically";
}

// A native control: the toolkit's own measure of what it needs, padding included.
void ExpectBestSizeFits(wxWindow* w) {
    const wxSize best = w->GetBestSize();
    const wxSize size = w->GetSize();
    EXPECT_LE(best.x, size.x) << Describe(w) << " needs " << best.x << " px, has " << size.x;
    EXPECT_LE(best.y, size.y) << Describe(w) << " needs " << best.y << " px high, has " << size.y;
}

}  // namespace

TEST_F(MainWindowTest, EveryCaptionReadsWholeAtTheOpeningSize) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    MainFrame* w = Open();
    std::vector<wxWindow*> shown;
    CollectShown(w->Controls().panel, shown);
    int captions = 0;
    for (wxWindow* c : shown) {
        if (auto* kest = dynamic_cast<wxKestButton*>(c)) {
            // The caption is centred with two pixels each side (its best size says the same).
            ExpectTextFits(kest, kest->GetCaption(), 4);
            ExpectBestSizeFits(kest);
            ++captions;
        } else if (auto* box = dynamic_cast<wxStaticBox*>(c)) {
            // GTK draws the title inside the frame, past its corner and with a gap each side.
            ExpectTextFits(box, box->GetLabel(), 16);
            ++captions;
        } else if (dynamic_cast<wxButton*>(c) != nullptr && !c->GetLabel().empty()) {
            ExpectBestSizeFits(c);
            ++captions;
        } else if (dynamic_cast<wxStaticText*>(c) != nullptr) {
            ExpectBestSizeFits(c);
            ++captions;
        }
        // Nothing hangs over the edge of the box or panel that holds it.
        const wxRect inParent(c->GetPosition(), c->GetSize());
        EXPECT_TRUE(wxRect(c->GetParent()->GetClientSize()).Contains(inParent))
            << Describe(c) << " at " << inParent.x << "," << inParent.y << " " << inParent.width
            << "x" << inParent.height << " leaves its parent of "
            << c->GetParent()->GetClientSize().x << "x" << c->GetParent()->GetClientSize().y;
    }
    // The walk saw the tool buttons, the boxes, the record buttons and the labels.
    EXPECT_GE(captions, 30);
}

TEST_F(MainWindowTest, EveryRecordListColumnShowsAtTheOpeningSize) {
    // The volume header follows the flow unit preference; a record in another unit names its own
    // unit in the cell, the widest cell the list shows.
    for (int flowUnit : {0, 2}) {
        SCOPED_TRACE(flowUnit);
        WritePreferences({1, 98, 0, 0, flowUnit, 0, 0});
        MainFrame* w = Open();
        w->Records().Append(MakeRecord("Memoria 12", 1, 0));
        w->Records().Append(MakeRecord("Memoria 13", 1, 2));
        w->RefreshRecordList();
        guitest::Flush();
        wxListCtrl* list = w->Controls().recordList;
        int right = 0;
        for (int i = 0; i < list->GetColumnCount(); ++i) {
            wxListItem column;
            column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH);
            ASSERT_TRUE(list->GetColumn(i, column));
            // Header and cells in the list's font, with the margins GTK keeps around them.
            std::vector<wxString> texts = {column.GetText()};
            for (int row = 0; row < list->GetItemCount(); ++row)
                texts.push_back(list->GetItemText(row, i));
            for (const wxString& text : texts)
                EXPECT_GE(column.GetWidth(), list->GetTextExtent(text).x + 12)
                    << "column " << i << " cuts \"" << text.utf8_string() << "\"";
            right += column.GetWidth();
        }
        EXPECT_LE(right, list->GetClientSize().x) << "the last column ends outside the list";
        frame->Records().SetSaved(true);
        frame->Destroy();
        ASSERT_TRUE(WaitClosed());
    }
}

TEST_F(MainWindowTest, OpensWithTheRoomItsLayoutNeedsOnTheScreen) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    MainFrame* w = Open();
    // The toolkit would shrink a window larger than the screen, squeezing the controls again.
    const wxSize needs = w->Controls().panel->GetSizer()->GetMinSize();
    const wxRect screen = wxDisplay(w).GetClientArea();
    EXPECT_LE(needs.x, screen.width);
    EXPECT_LE(needs.y, screen.height);
    EXPECT_GE(w->Controls().panel->GetClientSize().x, needs.x);
    EXPECT_GE(w->Controls().panel->GetClientSize().y, needs.y);
}
