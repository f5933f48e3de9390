// The meter's log: download every logged event into the record list (button 22), erase it
// (button 20), and the failure report both use.
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>

#include <memory>

#include "app/MainFrame.h"
#include "app/core/UsbFailureText.h"
#include "data/DownloadRecords.h"
#include "data/Preferences.h"
#include "meter/LogDownload.h"

namespace {

const char kProgressTitle[] = "Caricamento\u2026";

// The status tick asks the meter too; while the download reads, it waits.
class PausedTimer {
public:
    explicit PausedTimer(wxTimer& timer) : timer_(timer), interval_(timer.GetInterval()) {
        running_ = timer_.IsRunning();
        timer_.Stop();
    }
    ~PausedTimer() {
        if (running_) timer_.Start(interval_, wxTIMER_CONTINUOUS);
    }

private:
    wxTimer& timer_;
    int interval_;
    bool running_ = false;
};

}  // namespace

void MainFrame::ReportUsbFailure() {
    // Asking for the error code is a request of its own: keep why the link failed first.
    const LinkFailure failure = link_->LastFailure();
    const int code = link_->GetErrorCode();
    wxString message = code != 0 ? wxString::Format("Lettura fallita - Codice di errore: %d", code)
                                 : wxString("Connessione USB fallita");
    const std::string reason = UsbFailureReason(failure);
    if (!reason.empty()) message += "\n" + wxString::FromUTF8(reason.c_str());
    wxLogError("%s", message);
}

void MainFrame::DownloadEvents() {
    // Replacing records that were never saved would lose them without a word.
    if (records_.WouldLoseUnsaved() &&
        wxMessageBox("I dati non salvati verranno sostituiti dai dati dello strumento. "
                     "Continuare?",
                     "Attenzione: dati non salvati", wxYES_NO | wxICON_WARNING, this) != wxYES)
        return;

    // The download replaces the live record: live logging stops first (live mode off on the meter).
    if (LiveLoggingRunning()) StopLiveLogging();
    PausedTimer paused(statusTimer_);
    const std::optional<SettingsRead> settings = ReadSettings(*link_);
    GlobalPreferences().firmwareVersion = settings ? settings->versionWord : 0;
    if (!settings) {
        ReportUsbFailure();
        return;
    }
    // The preferences learn the meter's units only when the download succeeds.
    Preferences prefs = GlobalPreferences();
    ApplyDownloadSettings(prefs, settings->versionWord, settings->block);

    auto progress = std::make_unique<wxProgressDialog>(
        wxString::FromUTF8(kProgressTitle),
        wxString::Format("Caricamento %d File dalla memora HVX. Per favore attendere",
                         int(settings->settings.fileCount)),
        100, nullptr, wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_CAN_ABORT);
    const LogRead log = ReadLog(*link_, *settings, [&](double fraction) {
        return progress->Update(std::min(99, int(fraction * 100)));
    });
    progress.reset();

    switch (log.outcome) {
        case LogReadOutcome::kDone:
            break;
        case LogReadOutcome::kCancelled:
            return;
        case LogReadOutcome::kLinkFailed:
            ReportUsbFailure();
            return;
        case LogReadOutcome::kDamaged:
            wxLogError("%s", "La memoria dello strumento è danneggiata: " + log.error);
            return;
    }
    for (const std::string& warning : log.memory.table.warnings)
        wxLogWarning("%s", wxString::FromUTF8(warning.c_str()));

    GlobalPreferences() = prefs;
    UpdateFlowUnitChecks();
    std::vector<Storage> downloaded = RecordsFromLog(log.memory, prefs.flowUnit);
    records_.ReplaceAll(downloaded);
    RefreshRecordList();
    EnableRecordCommands(false);

    if (wxMessageBox("Salvare i file su una cartella del computer?", "Salvare i nuovi dati?",
                     wxYES_NO | wxICON_INFORMATION, nullptr) != wxYES ||
        !SaveWorkspaceAs() || !records_.Saved())
        return;
    // The meter's log is erased only once the file is known to hold what was downloaded.
    wxString why;
    if (!WorkspaceHolds(records_.Path(), downloaded, &why)) {
        wxLogError("%s", "Il file salvato non corrisponde ai dati scaricati (" + why +
                             "): la memoria dello strumento non è stata cancellata.");
        return;
    }
    EraseMeter();
}

void MainFrame::EraseMeter() {
    wxMessageDialog confirm(this,
                            "Selezionare OK per cancellare tutti i dati sul dispositivo HVX-2 ",
                            "Attenzione: Cancellare dati", wxOK | wxCANCEL);
    if (confirm.ShowModal() != wxID_OK) return;
    PausedTimer paused(statusTimer_);
    if (!link_->EraseLog()) ReportUsbFailure();
}

void MainFrame::OnDownload(wxCommandEvent&) { DownloadEvents(); }

void MainFrame::OnEraseMeter(wxCommandEvent&) { EraseMeter(); }
