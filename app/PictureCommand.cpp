// "cattura": the graph as on screen saved as a picture (BMP, PNG) or drawn again as vectors (SVG).
// The SVG context's header reads the build's settings before including them.
// clang-format off
#include <wx/defs.h>
// clang-format on
#include <wx/dcsvg.h>
#include <wx/ffile.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

#include "app/MainFrame.h"
#include "data/PictureTarget.h"
#include "plot/mpWindow.h"

namespace {

bool SaveBitmap(const wxBitmap& picture, const wxString& path, wxBitmapType type) {
#if wxUSE_LIBPNG  // a build without it reports a PNG as not written
    if (type == wxBITMAP_TYPE_PNG && wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
#endif
    // The toolkit logs its own error for an unwritable path; the message box below says it once.
    wxLogNull quiet;
    return picture.ConvertToImage().SaveFile(path, type);
}

bool SaveSvg(mpWindow& plot, const wxSize& size, const wxString& path) {
#if !wxUSE_SVG  // a toolkit built without its SVG context (it needs libpng): not written
    wxUnusedVar(plot);
    wxUnusedVar(size);
    wxUnusedVar(path);
    return false;
#else
    wxLogNull quiet;
    // The context writes its file only as it closes and reports nothing: find out first whether
    // the path can be written, and afterwards whether something was.
    if (!wxFFile(path, "w").IsOpened()) return false;
    {
        wxSVGFileDC dc(path, size.x, size.y);
        plot.DrawTo(dc, size);
    }
    return wxFileName::GetSize(path) > 0;
#endif
}

}  // namespace

// The picture is taken before the dialog opens: what the window showed when the button was pressed.
void MainFrame::OnSavePicture(wxCommandEvent&) {
    mpWindow& plot = *c_.graph.plot;
    plot.UpdateAll();
    const wxBitmap picture = plot.CaptureBitmap();
    const wxSize size = picture.GetSize();
    wxFileDialog dialog(this, wxString::FromUTF8("Salva l'immagine come…"), "", "",
                        kPictureWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return;
    const PictureTarget target = ChoosePictureTarget(ChosenPath(dialog), dialog.GetFilterIndex());
    bool saved = false;
    switch (target.format) {
        case PictureFormat::Bmp:
            saved = SaveBitmap(picture, target.path, wxBITMAP_TYPE_BMP);
            break;
        case PictureFormat::Png:
            saved = SaveBitmap(picture, target.path, wxBITMAP_TYPE_PNG);
            break;
        case PictureFormat::Svg:
            saved = SaveSvg(plot, size, target.path);
            break;
    }
    if (!saved)
        wxMessageBox("Impossibile salvare l'immagine:\n" + target.path, "cattura",
                     wxOK | wxICON_ERROR, this);
}
