#include <wx/app.h>
#include <wx/image.h>
#include <wx/splash.h>

#include "app/MainFrame.h"
#include "art/Art.h"

// The splash closes itself after two seconds; construction goes on meanwhile.
void MainFrame::ShowSplash() {
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxInitAllImageHandlers();
    new wxSplashScreen(SplashBitmap(), wxSPLASH_CENTRE_ON_SCREEN | wxSPLASH_TIMEOUT, 2000, nullptr,
                       wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSIMPLE_BORDER | wxSTAY_ON_TOP);
    if (wxTheApp) wxTheApp->Yield(true);
}
