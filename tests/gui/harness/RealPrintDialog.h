#pragma once
// Answers the next print dialog as a person does in the toolkit's own dialog, with keys sent
// through the X server: Tab to the printer list, Home and Down to the printer "Print to File",
// Tab to its File button and Return; in the chooser that opens, the full path goes on the X
// clipboard (xclip) and Ctrl+L, Ctrl+V, Return; then Tab to the Print button and Return.
// It looks at the dialog's own widgets only to know where the keyboard is and what the dialog
// took, as a person looks at the screen; a key lost to another program is sent again.

#include <wx/modalhook.h>
#include <wx/string.h>

#include <memory>

namespace guitest {

class RealPrintDialog : public wxModalDialogHook {
public:
    // Arms the hook for the next modal dialog; `path` is the file the page is printed to.
    explicit RealPrintDialog(const wxString& path);
    ~RealPrintDialog() override;

    // True when the dialog took the printer and the path and was closed with its Print button.
    bool Answered() const;

    struct State;

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    std::shared_ptr<State> state_;
};

}  // namespace guitest
