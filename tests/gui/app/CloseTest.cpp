// Closing the main window by its close box and by "Esci": the question about unsaved records.
#include "app/CommandIds.h"
#include "tests/gui/app/MainWindowFixture.h"

namespace {

enum class Via { CloseBox, Exit };
enum class Answer { None, Yes, No };

struct CloseCase {
    const char* name;
    Via via;
    int records;
    uint8_t saved;
    Answer answer;  // None: no question may be asked
    bool closes;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

Storage SomeRecord() {
    Storage record("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    record.AddSample(1.0f, 12.0f, 3.0f, 0.2f);
    return record;
}

}  // namespace

class CloseWindow : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {
protected:
    void RequestClose(Via via) {
        if (via == Via::CloseBox)
            frame->Close();
        else
            Command(ID_EXIT);
    }
};

TEST_P(CloseWindow, AsksOnlyAboutUnsavedRecords) {
    const CloseCase& c = GetParam();
    Open();
    for (int i = 0; i < c.records; ++i) frame->Records().Append(SomeRecord());
    frame->Records().SetSaved(c.saved != 0);

    const wxString question = "Vuoi salvare i dati prima di chiudere?";
    const long style = wxYES_NO | wxICON_INFORMATION;
    switch (c.answer) {
        case Answer::None:
            RequestClose(c.via);
            break;
        case Answer::Yes:
            wxTEST_DIALOG(RequestClose(c.via),
                          ExpectMessage(question, "Prima di chiudere", wxID_YES, style));
            break;
        case Answer::No:
            wxTEST_DIALOG(RequestClose(c.via),
                          ExpectMessage(question, "Prima di chiudere", wxID_NO, style));
            break;
    }

    if (c.closes) {
        EXPECT_TRUE(WaitClosed());
        EXPECT_EQ(PreferencesFile(), "1\n98\n0\n1\n0\n0\n0\n")
            << "destruction writes the preferences";
    } else {
        guitest::Flush();
        ASSERT_TRUE(IsOpen());
        EXPECT_TRUE(frame->IsShown());
        EXPECT_EQ(frame->Records().Size(), static_cast<size_t>(c.records))
            << "the records stay to be saved";
        EXPECT_FALSE(PreferencesFileExists()) << "nothing is written while the window lives";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CloseWindow,
    ::testing::Values(CloseCase{"CloseBoxNoRecords", Via::CloseBox, 0, 0, Answer::None, true},
                      CloseCase{"CloseBoxSavedRecords", Via::CloseBox, 2, 1, Answer::None, true},
                      CloseCase{"CloseBoxUnsavedYesStays", Via::CloseBox, 1, 0, Answer::Yes, false},
                      CloseCase{"CloseBoxUnsavedNoCloses", Via::CloseBox, 1, 0, Answer::No, true},
                      CloseCase{"ExitNoRecords", Via::Exit, 0, 0, Answer::None, true},
                      CloseCase{"ExitSavedRecords", Via::Exit, 2, 1, Answer::None, true},
                      CloseCase{"ExitUnsavedYesStays", Via::Exit, 1, 0, Answer::Yes, false},
                      CloseCase{"ExitUnsavedNoCloses", Via::Exit, 1, 0, Answer::No, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, AnsweringYesThenSavingLetsTheWindowClose) {
    WritePreferences({1, 98, 0, 0, 0, 0, 0});
    Open();
    frame->Records().Append(SomeRecord());
    wxTEST_DIALOG(Command(ID_EXIT), ExpectMessage("Vuoi salvare i dati prima di chiudere?",
                                                  "Prima di chiudere", wxID_YES));
    guitest::Flush();
    ASSERT_TRUE(IsOpen());
    frame->Records().SetSaved(true);  // as a save of the workspace leaves it
    Command(ID_EXIT);
    EXPECT_TRUE(WaitClosed());
}
