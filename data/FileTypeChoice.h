#pragma once
// The rule every save dialog with several file types follows: a name ending in one of the types'
// extensions (any case) picks that type, otherwise the type chosen in the dialog does; an index the
// dialog does not have means the first, default type.

#include <wx/string.h>

#include <initializer_list>

// The index of the type in `extensions` (lower case, without the dot).
int ChooseFileType(const wxString& chosenPath, int filterIndex,
                   std::initializer_list<const char*> extensions);

// Whether the name (not a folder) already ends in ".<extension>", in any case.
bool HasExtension(const wxString& path, const char* extension);
