#include "tests/gui/harness/GuiTest.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include <thread>

void GtestModalHook::ReportFailure(const wxString& msg) {
    ADD_FAILURE_AT(file_, line_) << msg.utf8_string();
}

namespace guitest {

CapturedLog& CapturedLog::Get() {
    static CapturedLog* log = new CapturedLog;  // owned by wxLog once made active
    return *log;
}

void CapturedLog::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) {
    entries_.push_back({level, msg});
    if (level <= wxLOG_Warning) fprintf(stderr, "[wxlog] %s\n", msg.utf8_string().c_str());
}

std::vector<wxString> CapturedLog::Errors() const {
    std::vector<wxString> out;
    for (const auto& e : entries_)
        if (e.level <= wxLOG_Error) out.push_back(e.text);
    return out;
}

bool CapturedLog::Contains(const wxString& text) const {
    for (const auto& e : entries_)
        if (e.text.Contains(text)) return true;
    return false;
}

namespace {
bool g_realDialogs = false;
}

void AllowRealDialogs(bool allow) { g_realDialogs = allow; }
bool RealDialogsAllowed() { return g_realDialogs; }

void Flush() {
    for (int i = 0; i < 5; ++i) {
        if (wxTheApp) wxTheApp->ProcessPendingEvents();
        wxYield();
    }
}

bool WaitFor(const std::function<bool()>& cond, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!cond()) {
        if (std::chrono::steady_clock::now() > end) return false;
        Flush();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace guitest
