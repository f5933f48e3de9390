// lcd-gallery <outdir>: renders the LCD readouts and hover buttons to PNG files (run under
// xvfb-run).
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>

#include "tests/gui/widgets/LcdGallery.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <outdir>\n", argv[0]);
        return 2;
    }
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv)) {
        std::fprintf(stderr, "cannot start the toolkit (is DISPLAY set? run under xvfb-run)\n");
        return 2;
    }
    wxString error;
    const std::vector<wxString> files = WriteLcdGallery(wxString::FromUTF8(argv[1]), &error);
    for (const wxString& f : files) std::printf("%s\n", f.utf8_string().c_str());
    if (files.empty()) std::fprintf(stderr, "%s\n", error.utf8_string().c_str());
    wxEntryCleanup();
    return files.empty() ? 1 : 0;
}
