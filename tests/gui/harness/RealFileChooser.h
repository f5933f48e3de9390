#pragma once
// Answers the next file dialog as a person does in the toolkit's own chooser: the full path goes
// on the X clipboard (xclip), then Ctrl+L, Ctrl+V and Return reach the dialog through the X server.
// Typing the path instead races the chooser's completion; a pasted path arrives whole.

#include <wx/modalhook.h>
#include <wx/string.h>

#include <chrono>
#include <memory>

namespace guitest {

class RealFileChooser : public wxModalDialogHook {
public:
    // Arms the hook for the next modal dialog; `path` is what the person pastes.
    explicit RealFileChooser(const wxString& path);
    ~RealFileChooser() override;

    // True when a dialog was shown, took the pasted path and was closed by the Return key.
    bool Answered() const;

    struct State;

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    std::shared_ptr<State> state_;
};

}  // namespace guitest
