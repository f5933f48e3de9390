#include "Application.h"

#include "Art.h"
#include "MainFrame.h"

MainFrame* Application::CreateMainWindow() {
    auto* window = new MainFrame("Senza titolo", wxDefaultPosition, wxSize(440, 440));
    window->SetIcons(AppIconBundle());
    return window;
}

// The program takes no command-line options, so the base class's option parsing is not run.
bool Application::OnInit() {
    frame = CreateMainWindow();
    frame->Show(true);
    SetTopWindow(frame);
    return true;
}
