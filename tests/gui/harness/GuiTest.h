#pragma once
// Helpers for GUI tests that run for real under Xvfb.

#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/string.h>

#include <chrono>
#include <functional>
#include <vector>

// Failures of wxTEST_DIALOG expectations become test failures, not toolkit assertions.
class GtestModalHook;
#ifndef wxTEST_DIALOG_HOOK_CLASS
#define wxTEST_DIALOG_HOOK_CLASS GtestModalHook
#endif
#include <wx/testing.h>

class GtestModalHook : public wxTestingModalHook {
public:
    GtestModalHook(const char* file = nullptr, int line = 0, const char* func = nullptr)
        : wxTestingModalHook(file, line, func), file_(file ? file : "?"), line_(line) {}

protected:
    void ReportFailure(const wxString& msg) override;

private:
    const char* file_;
    int line_;
};

namespace guitest {

// Everything the toolkit logged since the last Clear(), one entry per message.
struct LogEntry {
    wxLogLevel level;
    wxString text;
};
class CapturedLog : public wxLog {
public:
    static CapturedLog& Get();
    const std::vector<LogEntry>& Entries() const { return entries_; }
    std::vector<wxString> Errors() const;  // wxLOG_Error and wxLOG_FatalError texts
    bool Contains(const wxString& text) const;
    void Clear() { entries_.clear(); }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

private:
    std::vector<LogEntry> entries_;
};

// Processes pending events and idle handlers until cond() holds or the time runs out.
bool WaitFor(const std::function<bool()>& cond,
             std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// Lets the toolkit handle everything that is pending now (events, idle, paints).
void Flush();

// Number of modal dialogs that nobody expected (each was cancelled and failed its test).
int UnexpectedDialogs();

// While set, a modal dialog that no wxTEST_DIALOG expects is shown for real instead of being
// cancelled: a test that drives the toolkit's own dialog through the X server sets it.
void AllowRealDialogs(bool allow);
bool RealDialogsAllowed();

}  // namespace guitest
