#pragma once
// Answers the message box a test expects, after checking its text and caption (wxTEST_DIALOG).
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    // A plain information box: it must carry OK, and is answered OK.
    ExpectMessage(const wxString& message, const wxString& caption)
        : message_(message), caption_(caption), answer_(wxID_OK), style_(wxOK) {}
    // A box answered with `answer`; style: flags the box must carry, e.g. wxYES_NO | wxICON_ERROR.
    ExpectMessage(const wxString& message, const wxString& caption, int answer, long style = 0)
        : message_(message), caption_(caption), answer_(answer), style_(style) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override;
    wxString GetDefaultDescription() const override { return "message box \"" + message_ + "\""; }

private:
    wxString message_;
    wxString caption_;
    int answer_;
    long style_;
};
