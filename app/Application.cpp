#include "app/Application.h"

#include "app/MainFrame.h"
#include "art/Art.h"

MainFrame* Application::CreateMainWindow() {
    // The toolkit captions its message and error boxes with this name.
    if (wxTheApp) wxTheApp->SetAppDisplayName("HVX Monitor");
    auto* window = new MainFrame("Senza titolo", wxDefaultPosition, wxSize(440, 440));
    window->SetIcons(AppIconBundle());
    return window;
}

// The program takes no command-line options, so the base class's option parsing is not run.
bool Application::OnInit() {
    frame_ = CreateMainWindow();
    frame_->Show(true);
    SetTopWindow(frame_);
    return true;
}
