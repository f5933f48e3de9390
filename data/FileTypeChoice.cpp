#include "data/FileTypeChoice.h"

#include <wx/filename.h>

#include "data/BaseOnly.h"

bool HasExtension(const wxString& path, const char* extension) {
    return wxFileName(path).GetExt().Lower() == extension;
}

int ChooseFileType(const wxString& chosenPath, int filterIndex,
                   std::initializer_list<const char*> extensions) {
    int i = 0;
    for (const char* ext : extensions) {
        if (HasExtension(chosenPath, ext)) return i;
        ++i;
    }
    return filterIndex >= 0 && filterIndex < static_cast<int>(extensions.size()) ? filterIndex : 0;
}
