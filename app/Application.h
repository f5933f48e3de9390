#pragma once
// Starts the program: creates the one main window, gives it the icon and shows it.

#include <wx/app.h>

class MainFrame;

class Application : public wxApp {
public:
    bool OnInit() override;

    // The main window as the program opens it ("Senza titolo", 440 x 440, with the icon), not shown
    // yet.
    static MainFrame* CreateMainWindow();

private:
    MainFrame* frame_ = nullptr;
};
