#pragma once
// Expects a file dialog with this message, wildcard and style flags; answers with `path`, or
// cancels when `path` is empty. It proves the command's handling of a path; the chooser itself,
// as a person uses it, is driven by guitest::RealFileChooser (FileChooserTest.cpp).
#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/filename.h>

#include "tests/gui/harness/GuiTest.h"

class ExpectFile : public wxExpectModalBase<wxFileDialog, ExpectFile> {
public:
    ExpectFile(const wxString& message, const wxString& wildcard, long style, const wxString& path,
               const wxString& defaultName = "")
        : message(message),
          wildcard(wildcard),
          style(style),
          path(path),
          defaultName(defaultName) {}

protected:
    int OnInvoked(wxFileDialog* dlg) const override {
        EXPECT_EQ(dlg->GetMessage(), message);
        EXPECT_EQ(dlg->GetWildcard(), wildcard);
        EXPECT_EQ(dlg->GetWindowStyle() & style, style);
        EXPECT_EQ(dlg->GetFilename(), defaultName);
        if (path.empty()) return wxID_CANCEL;
        dlg->SetPath(path);
        // The GTK chooser takes a path set from code in the background; the program reads the
        // dialog's full path, so answer only once the chooser reports it.
        EXPECT_TRUE(guitest::WaitFor([&] { return dlg->GetPath() == path; }))
            << "the chooser reports " << dlg->GetPath() << " instead of " << path;
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "file dialog \"" + message + "\""; }

private:
    wxString message, wildcard;
    long style;
    wxString path, defaultName;
};
