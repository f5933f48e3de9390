// Download and erase against the simulated meter linked in place of libusb: whole downloads of the
// shipped scenarios compared with the scenarios' own samples, the transfers they take, a failure at
// every transfer in turn, the progress dialog and its Cancel, the save question, the erase after a
// verified save, and the questions that protect records not yet saved.
#include <wx/filename.h>
#include <wx/listctrl.h>
#include <wx/progdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "data/Workspace.h"
#include "meter/MeterRequests.h"
#include "sim/Bus.h"
#include "sim/Scenario.h"
#include "tests/gui/app/FileDialogExpectation.h"
#include "tests/gui/app/GraphFixture.h"
#include "tests/gui/app/MainWindowFixture.h"
#include "tests/gui/harness/ExpectMessage.h"
#include "tests/unit/sim/ScenarioRecords.h"

namespace {

const wxString kSaveQuestion = "Salvare i file su una cartella del computer?";
const wxString kSaveCaption = "Salvare i nuovi dati?";
const wxString kEraseQuestion = "Selezionare OK per cancellare tutti i dati sul dispositivo HVX-2 ";
const wxString kEraseCaption = "Attenzione: Cancellare dati";
const wxString kUnsavedQuestion =
    "I dati non salvati verranno sostituiti dai dati dello strumento. Continuare?";
const wxString kUnsavedCaption = "Attenzione: dati non salvati";
const wxString kSaveAsMessage = "Salva i dialoghi dello spazio di lavoro";
const wxString kOrvWildcard = "HVX files (*.orv)|*.orv||";

class MeterDownloadTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        bus().Reset();
        // The user's flow unit preference is m³/h; a meter that names its own unit overrides it.
        WritePreferences({1, 98, 0, 0, 2, 0, 0});
        ASSERT_NE(Open(), nullptr);
        frame->StatusTimer().Stop();
        guitest::CapturedLog::Get().Clear();
    }
    void TearDown() override {
        EXPECT_EQ(bus().OpenHandles(), 0) << "a device handle was left open";
        EXPECT_EQ(guitest::UnexpectedDialogs(), 0);
        bus().Reset();
        MainWindowTest::TearDown();
    }
    static sim::Bus& bus() { return sim::Bus::Instance(); }

    sim::Scenario Plug(const std::string& file) {
        sim::Scenario s = sim::Scenario::Load(std::string(HVX_SCENARIO_DIR) + "/" + file);
        meter_ = &s.PlugInto(bus());
        return s;
    }
    void Press(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(frame.get());
        frame->ProcessWindowEvent(event);
    }
    // A workspace of one saved record, as the user had it before the download.
    void HaveSavedWorkspace() {
        frame->Records().Append(MakeRecord("Idrante nord"));
        const wxString path = wxFileName(home, "prima.orv").GetFullPath();
        wxString error;
        ASSERT_TRUE(frame->Records().Save(path, &error)) << error;
        frame->RefreshRecordList();
    }
    void ExpectWorkspaceUnchanged() {
        ASSERT_EQ(frame->Records().Size(), 1u);
        EXPECT_EQ(frame->Records().At(0).title, "Idrante nord");
        EXPECT_EQ(frame->Records().Path(), wxFileName(home, "prima.orv").GetFullPath());
        EXPECT_TRUE(frame->Records().Saved());
        EXPECT_EQ(frame->Controls().recordList->GetItemCount(), 1);
    }
    static int Requests(int request) {
        int n = 0;
        for (const sim::TransferRecord& t : bus().Transfers()) n += t.request == request;
        return n;
    }
    static std::vector<wxString> Errors() { return guitest::CapturedLog::Get().Errors(); }
    // The vendor requests, without the search's SET_CONFIGURATION.
    static std::vector<sim::TransferRecord> VendorTransfers() {
        std::vector<sim::TransferRecord> out;
        for (const sim::TransferRecord& t : bus().Transfers())
            if ((t.requestType & 0x60) != 0) out.push_back(t);
        return out;
    }

    sim::Meter* meter_ = nullptr;
};

// The shipped scenarios, one after another, as a technician downloads three meters: dates,
// titles, units, counts and every value as the scenario logged them; the transfers the fewest the
// memory layout allows.
TEST_F(MeterDownloadTest, EachShippedScenarioDownloadsAsItWasLogged) {
    struct Case {
        const char* file;
        int flowUnit;  // the meter's own unit, or for the gallon meter gallons per minute
        int metric, pressureUnit, serial;
    };
    const Case cases[] = {
        {"hydrant-test.txt", 0, 1, 'b', 2417},
        {"irrigation-gallons.txt", 0, 0, 'p', 2417},  // short block: the serial stays
        {"empty-meter.txt", 1, 1, 16, 3105},
    };
    bool unsaved = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        bus().Reset();
        const sim::Scenario scenario = Plug(c.file);
        const std::size_t n = scenario.events().size();
        {
            if (unsaved) {
                wxTEST_DIALOG(Press(ID_DOWNLOAD),
                              ExpectMessage(kUnsavedQuestion, kUnsavedCaption, wxID_YES, wxYES_NO),
                              ExpectMessage(kSaveQuestion, kSaveCaption, wxID_NO,
                                            wxYES_NO | wxICON_INFORMATION));
            } else {
                wxTEST_DIALOG(Press(ID_DOWNLOAD),
                              ExpectMessage(kSaveQuestion, kSaveCaption, wxID_NO,
                                            wxYES_NO | wxICON_INFORMATION));
            }
        }
        EXPECT_TRUE(Errors().empty());
        const RecordSequence& records = frame->Records();
        ExpectSameRecords(records.Records(), ExpectedRecords(scenario, c.flowUnit));
        for (const Storage& r : records.Records()) EXPECT_EQ(r.flowUnit, c.flowUnit);
        EXPECT_FALSE(records.Saved());
        EXPECT_EQ(frame->Controls().recordList->GetItemCount(), int(n));
        const Preferences& prefs = GlobalPreferences();
        EXPECT_EQ(prefs.metricUnits, c.metric);
        EXPECT_EQ(prefs.pressureUnit, c.pressureUnit);
        EXPECT_EQ(prefs.serial, c.serial);
        EXPECT_EQ(prefs.firmwareVersion, scenario.meter().FirmwareVersion());

        // Version, settings block, the table in as few chunks as its 9n bytes need, and the
        // sample area in whole 128-byte chunks, one after another.
        const uint32_t L = uint32_t(scenario.meter().SettingsLength());
        uint32_t samples = 0;
        for (const sim::ScenarioEvent& e : scenario.events()) samples += uint32_t(e.samples.size());
        const uint32_t area = 3 * samples;
        const std::size_t expected = 2 + (9 * n + 127) / 128 + (area + 127) / 128;
        const std::vector<sim::TransferRecord> log = VendorTransfers();
        ASSERT_EQ(log.size(), expected);
        EXPECT_EQ(log[0].request, REQ_GET_FIRMWARE_VERSION);
        uint32_t next = L;
        for (std::size_t i = 2 + (9 * n + 127) / 128; i < log.size(); ++i) {
            const uint32_t address = uint32_t(log[i].value) | uint32_t(log[i].index & 0xFF) << 16;
            EXPECT_EQ(address, next) << "transfer " << i;
            next += uint32_t(log[i].length);
        }
        EXPECT_EQ(next, L + area);
        unsaved = n > 0;
    }
}

// A failure at every single transfer of a download in turn. The meter is the old 4.2 one, whose
// short settings block is also what a failed version request stands for.
TEST_F(MeterDownloadTest, AFailureAtAnyTransferChangesNothingAndSaysWhy) {
    struct Fault {
        const char* name;
        std::function<void()> arm;  // for the very next transfer
        const char* reason;
    };
    const Fault faults[] = {
        {"unplug", [] { bus().UnplugAfterTransfers(1); }, "nessun HVX-2 collegato"},
        {"failed transfer", [] { bus().FailNextTransfers(1); }, "trasferimento USB fallito"},
        {"short reply", [] { bus().ShortReplyNextTransfers(1, 1); }, "risposta dello strumento"},
        {"refused reconfigure",
         [] {
             bus().FailNextTransfers(1);
             bus().RefuseSetConfiguration(1);
         },
         "trasferimento USB fallito"},
    };
    HaveSavedWorkspace();
    bus().Reset();
    Plug("irrigation-gallons.txt");
    wxTEST_DIALOG(Press(ID_DOWNLOAD), ExpectMessage(kSaveQuestion, kSaveCaption, wxID_NO,
                                                    wxYES_NO | wxICON_INFORMATION));
    const int total = int(VendorTransfers().size());
    ASSERT_GT(total, 10);

    for (const Fault& f : faults) {
        for (int at = 0; at < total; ++at) {
            SCOPED_TRACE(std::string(f.name) + " at transfer " + std::to_string(at));
            frame->Records().ReplaceAll({});
            HaveSavedWorkspace();
            bus().Reset();
            Plug("irrigation-gallons.txt");
            bus().BeforeVendorTransfer([&](int index) {
                if (index == at) f.arm();
            });
            guitest::CapturedLog::Get().Clear();
            // The version request is retried once after SET_CONFIGURATION, and a meter without a
            // version word has the short settings block this one has: only an unplug there, or a
            // fault after the last chunk has arrived, is not a failed download.
            const bool recovers = at == 0 && std::string(f.name) != "unplug";
            const bool lastArrived = at == total - 1 && std::string(f.name) == "unplug";
            if (recovers || lastArrived) {
                wxTEST_DIALOG(Press(ID_DOWNLOAD),
                              ExpectMessage(kSaveQuestion, kSaveCaption, wxID_NO,
                                            wxYES_NO | wxICON_INFORMATION));
                EXPECT_EQ(frame->Records().Size(), 3u);
                EXPECT_TRUE(Errors().empty());
            } else {
                Press(ID_DOWNLOAD);
                const std::vector<wxString> errors = Errors();
                ASSERT_EQ(errors.size(), 1u);
                EXPECT_TRUE(errors[0].StartsWith("Connessione USB fallita\nMotivo: ")) << errors[0];
                EXPECT_NE(errors[0].Find(f.reason), wxNOT_FOUND) << errors[0];
                ExpectWorkspaceUnchanged();
                guitest::CapturedLog::Get().Clear();
            }
            EXPECT_EQ(bus().OpenHandles(), 0);
            bus().BeforeVendorTransfer(nullptr);
        }
    }
}

TEST_F(MeterDownloadTest, MeterErrorCodeAndPermissionDeniedAreReported) {
    HaveSavedWorkspace();
    sim::Meter& meter = bus().PlugMeter();
    meter.SetErrorCode(7);
    bus().BeforeVendorTransfer([](int index) {
        if (index == 1) bus().FailNextTransfers(1);  // the settings block
    });
    Press(ID_DOWNLOAD);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_TRUE(Errors()[0].StartsWith("Lettura fallita - Codice di errore: 7\nMotivo: "))
        << Errors()[0];
    ExpectWorkspaceUnchanged();

    bus().Reset();
    bus().PlugMeter();
    bus().FailNextOpens(1000);
    guitest::CapturedLog::Get().Clear();
    Press(ID_DOWNLOAD);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_TRUE(Errors()[0].StartsWith("Connessione USB fallita\nMotivo: permesso negato"))
        << Errors()[0];
    EXPECT_NE(Errors()[0].Find("60-hvx2.rules"), wxNOT_FOUND);
    ExpectWorkspaceUnchanged();
    guitest::CapturedLog::Get().Clear();
}

// The progress dialog shows the fraction of the sample area read, and its Cancel stops the read
// and changes nothing.
TEST_F(MeterDownloadTest, ProgressShowsRealProgressAndCancelChangesNothing) {
    HaveSavedWorkspace();
    Plug("hydrant-test.txt");
    auto dialog = [] {
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* p = dynamic_cast<wxGenericProgressDialog*>(w); p != nullptr && p->IsShown())
                return p;
        return static_cast<wxGenericProgressDialog*>(nullptr);
    };
    std::vector<int> seen;
    wxString title, message;
    bus().BeforeVendorTransfer([&](int) {
        if (wxGenericProgressDialog* p = dialog()) {
            seen.push_back(p->GetValue());
            title = p->GetTitle();
            message = p->GetMessage();
        }
    });
    wxTEST_DIALOG(Press(ID_DOWNLOAD), ExpectMessage(kSaveQuestion, kSaveCaption, wxID_NO,
                                                    wxYES_NO | wxICON_INFORMATION));
    EXPECT_EQ(title, wxString::FromUTF8("Caricamento\u2026"));
    EXPECT_EQ(message, "Caricamento 4 File dalla memora HVX. Per favore attendere");
    ASSERT_GE(seen.size(), 5u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.front(), 0);
    EXPECT_GT(seen.back(), 0);
    EXPECT_LT(seen.back(), 100);
    EXPECT_EQ(dialog(), nullptr) << "the progress dialog closes";

    // Cancel pressed while the sample area is being read.
    frame->Records().ReplaceAll({});
    HaveSavedWorkspace();
    bus().Reset();
    Plug("hydrant-test.txt");
    int cancelledAt = -1;
    bus().BeforeVendorTransfer([&](int index) {
        if (index != 5) return;
        wxGenericProgressDialog* p = dialog();
        ASSERT_NE(p, nullptr);
        wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
        cancel.SetEventObject(p->FindWindow(wxID_CANCEL));
        p->FindWindow(wxID_CANCEL)->ProcessWindowEvent(cancel);
        cancelledAt = index;
    });
    Press(ID_DOWNLOAD);
    EXPECT_EQ(cancelledAt, 5);
    EXPECT_TRUE(Errors().empty());
    ExpectWorkspaceUnchanged();
    EXPECT_LT(bus().Transfers().size(), 5u + 32u) << "the read stops after the piece under way";
    EXPECT_EQ(dialog(), nullptr);
}

// Records not yet saved are not replaced without a question; No sends nothing.
TEST_F(MeterDownloadTest, UnsavedRecordsAreReplacedOnlyAfterAQuestion) {
    Plug("hydrant-test.txt");
    frame->Records().Append(MakeRecord("Non salvato"));
    frame->RefreshRecordList();
    wxTEST_DIALOG(Press(ID_DOWNLOAD),
                  ExpectMessage(kUnsavedQuestion, kUnsavedCaption, wxID_NO, wxYES_NO));
    EXPECT_TRUE(bus().Transfers().empty());
    ASSERT_EQ(frame->Records().Size(), 1u);
    EXPECT_EQ(frame->Records().At(0).title, "Non salvato");
}

// Saved through the dialog, read back equal, then erased once the user confirms.
TEST_F(MeterDownloadTest, EraseIsOfferedAfterAVerifiedSave) {
    const sim::Scenario scenario = Plug("hydrant-test.txt");
    const wxString path = wxFileName(home, "giorno").GetFullPath();
    wxTEST_DIALOG(
        Press(ID_DOWNLOAD),
        ExpectMessage(kSaveQuestion, kSaveCaption, wxID_YES, wxYES_NO | wxICON_INFORMATION),
        ExpectFile(kSaveAsMessage, kOrvWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT, path),
        ExpectMessage(kEraseQuestion, kEraseCaption, wxID_OK, wxOK | wxCANCEL));
    EXPECT_TRUE(Errors().empty());
    EXPECT_EQ(Requests(REQ_ERASE_LOG), 1);
    EXPECT_EQ(meter_->EventCount(), 0u) << "the simulated meter is empty";
    EXPECT_TRUE(frame->Records().Saved());
    EXPECT_EQ(frame->Records().Path(), path + ".orv");
    Preferences prefs;
    const WorkspaceReadResult back = ReadWorkspace(path + ".orv", prefs);
    ASSERT_TRUE(back.Ok()) << back.error;
    ExpectSameRecords(back.records, ExpectedRecords(scenario, 0), 1e-6);
    ExpectSameRecords(frame->Records().Records(), ExpectedRecords(scenario, 0));
}

// A cancelled save offers no erase; a cancelled erase sends nothing; a failed one is reported and
// leaves the records alone.
TEST_F(MeterDownloadTest, EraseOnlyWhenConfirmed) {
    Plug("hydrant-test.txt");
    wxTEST_DIALOG(
        Press(ID_DOWNLOAD),
        ExpectMessage(kSaveQuestion, kSaveCaption, wxID_YES, wxYES_NO | wxICON_INFORMATION),
        ExpectFile(kSaveAsMessage, kOrvWildcard, wxFD_SAVE, ""));
    EXPECT_EQ(Requests(REQ_ERASE_LOG), 0);
    EXPECT_EQ(frame->Records().Size(), 4u);

    bus().ClearTransfers();
    wxTEST_DIALOG(Press(ID_ERASE_METER),
                  ExpectMessage(kEraseQuestion, kEraseCaption, wxID_CANCEL, wxOK | wxCANCEL));
    EXPECT_TRUE(bus().Transfers().empty()) << "a cancelled erase sends no request";
    EXPECT_EQ(meter_->EventCount(), 4u);

    bus().Unplug(*meter_);
    wxTEST_DIALOG(Press(ID_ERASE_METER),
                  ExpectMessage(kEraseQuestion, kEraseCaption, wxID_OK, wxOK | wxCANCEL));
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_TRUE(Errors()[0].StartsWith("Connessione USB fallita\nMotivo: nessun HVX-2"))
        << Errors()[0];
    guitest::CapturedLog::Get().Clear();

    bus().Replug(*meter_);
    guitest::CapturedLog::Get().Clear();
    wxTEST_DIALOG(Press(ID_ERASE_METER),
                  ExpectMessage(kEraseQuestion, kEraseCaption, wxID_OK, wxOK | wxCANCEL));
    EXPECT_TRUE(Errors().empty());
    EXPECT_EQ(meter_->EventCount(), 0u);
    EXPECT_EQ(frame->Records().Size(), 4u) << "the erase leaves the record list alone";
}

}  // namespace

namespace {

// The download replaces the live record, so live logging stops first: live mode off on the meter.
TEST_F(MeterDownloadTest, DownloadWhileLiveLoggingStopsItFirst) {
    const sim::Scenario scenario = Plug("hydrant-test.txt");
    Press(ID_LIVE_START);
    ASSERT_TRUE(frame->LiveLoggingRunning());
    ASSERT_TRUE(meter_->LiveMode());
    frame->Records().SetSaved(true);  // nothing of the live record to ask about here
    wxTEST_DIALOG(Press(ID_DOWNLOAD), ExpectMessage(kSaveQuestion, kSaveCaption, wxID_NO,
                                                    wxYES_NO | wxICON_INFORMATION));
    EXPECT_FALSE(frame->LiveLoggingRunning());
    EXPECT_FALSE(meter_->LiveMode());
    ExpectSameRecords(frame->Records().Records(), ExpectedRecords(scenario, 0));
}

}  // namespace
