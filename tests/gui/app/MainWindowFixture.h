#pragma once
// The main window as the program opens it, with HOME (and so the preferences file) in a fresh
// temporary folder. Modal dialogs are answered with wxTEST_DIALOG; the toolkit's log is captured.

#include <gtest/gtest.h>
#include <wx/msgdlg.h>
#include <wx/weakref.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "tests/gui/harness/ExpectMessage.h"
#include "tests/gui/harness/GuiTest.h"
#include "widgets/TipsDialog.h"

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the seven lines of the preferences file before the window is built.
    void WritePreferences(std::initializer_list<int> lines);
    // The preferences file as bytes; empty when there is none.
    std::string PreferencesFile() const;
    bool PreferencesFileExists() const;

    MainFrame* Open();
    bool IsOpen() const { return frame.get() != nullptr; }
    // Sends a menu command to the main window as a click on the entry would.
    void Command(int id);
    // Lets the toolkit delete what was destroyed; true when the main window is gone.
    bool WaitClosed();

    std::vector<TipsDialog*> TipsDialogs() const;

    wxString home;
    wxWeakRef<MainFrame> frame;

private:
    wxString oldHome;
    bool hadHome = false;
};
