// The time axis labels of the main window's graph as the user sees them: no label repeated, none
// cut at the edge of the plot, whether the graph is empty or shows a long record.
#include <wx/dcmemory.h>

#include <set>

#include "plot/mpScaleX.h"
#include "plot/mpWindow.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"

namespace {

class TimeAxisTest : public MainWindowTest {
protected:
    // The plot as painted, and the labels its time axis drew into it.
    void Paint() {
        mpWindow* plot = frame->Controls().graph.plot;
        const wxSize size = plot->GetClientSize();
        wxBitmap bmp(size);
        wxMemoryDC dc(bmp);
        plot->DrawTo(dc, size);
        ticks = frame->Graph().TimeAxis()->Walk(dc, *plot);
        dc.SelectObject(wxNullBitmap);
        image = bmp.ConvertToImage();
        labels.clear();
        for (const plotcore::AxisTick& t : ticks)
            if (t.labelled) labels.push_back(t);
    }
    // A label's rectangle in the picture (the plot draws with its origin at the centre).
    wxRect InPicture(const plotcore::AxisTick& t) const {
        return wxRect(t.labelAt.x + image.GetWidth() / 2, t.labelAt.y + image.GetHeight() / 2,
                      t.labelSize.w, t.labelSize.h);
    }
    wxImage Crop(const plotcore::AxisTick& t) const { return image.GetSubImage(InPicture(t)); }

    std::vector<plotcore::AxisTick> ticks, labels;
    wxImage image;
};

bool SameImage(const wxImage& a, const wxImage& b) {
    return a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}

}  // namespace

TEST_F(TimeAxisTest, AnEmptyGraphRepeatsNoLabel) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    Open();
    Paint();
    // Ticks 0.2 s apart; only the whole seconds are labelled, each once.
    ASSERT_GT(ticks.size(), 5u);
    std::set<wxString> seen;
    for (const plotcore::AxisTick& t : labels) {
        EXPECT_TRUE(seen.insert(t.label).second) << t.label << " is repeated";
        EXPECT_NEAR(t.value, std::round(t.value), 1e-9) << t.label;
    }
    EXPECT_EQ(labels.front().label, "00:00");
    EXPECT_EQ(labels.back().label, "00:01");
    // What reaches the screen: no two labels are the same picture.
    for (size_t i = 0; i < labels.size(); ++i)
        for (size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(SameImage(Crop(labels[i]), Crop(labels[j])))
                << labels[i].label << " and " << labels[j].label << " look the same";
}

TEST_F(TimeAxisTest, TheLastLabelOfALongRecordIsNotCutAtTheRightEdge) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    MainFrame* w = Open();
    const wxColour background = *wxWHITE;
    // Record lengths (seconds) that put a tick in the last few pixels of the plot.
    for (int seconds : {1500, 3000, 3600, 5000, 7200, 12000}) {
        SCOPED_TRACE(seconds);
        w->Records().Append(MakeRecord("Lunga", 1, 0, 'p', seconds));
        w->ShowRecord(int(w->Records().Size()) - 1);
        guitest::Flush();
        Paint();
        ASSERT_FALSE(labels.empty());
        for (const plotcore::AxisTick& t : labels) {
            const wxRect r = InPicture(t);
            EXPECT_GE(r.GetLeft(), 0) << t.label;
            EXPECT_LE(r.GetRight(), image.GetWidth() - 1) << t.label << " is cut at the right";
        }
        // The picture agrees: the label rows hold nothing but background in the last columns.
        const wxRect rows = InPicture(labels.back());
        int text = 0;
        for (int y = rows.GetTop() + 2; y <= rows.GetBottom(); ++y)
            for (int x = image.GetWidth() - 2; x < image.GetWidth(); ++x)
                if (wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)) !=
                    background)
                    ++text;
        EXPECT_EQ(text, 0) << "text pixels in the last two columns";
    }
}
