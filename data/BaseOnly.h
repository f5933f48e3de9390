#pragma once
// Included first by every source of the data library: the library links wxBase alone, so a GUI
// header pulled in by mistake must fail here rather than at link time in some other program.

#include <wx/defs.h>

#if wxUSE_GUI
#error "data/ is a wxBase-only library: build it with wxUSE_GUI=0 and include no GUI header"
#endif
