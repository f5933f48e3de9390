#include "data/PictureTarget.h"

#include "data/BaseOnly.h"
#include "data/FileTypeChoice.h"

const char* const kPictureWildcard =
    "immagine file (*.bmp)|*.bmp|immagine PNG (*.png)|*.png|disegno SVG (*.svg)|*.svg";

PictureTarget ChoosePictureTarget(const wxString& chosenPath, int filterIndex) {
    static constexpr const char* kExtensions[] = {"bmp", "png", "svg"};
    const int type = ChooseFileType(chosenPath, filterIndex, {"bmp", "png", "svg"});
    const char* ext = kExtensions[type];
    return {static_cast<PictureFormat>(type),
            HasExtension(chosenPath, ext) ? chosenPath : chosenPath + "." + ext};
}
