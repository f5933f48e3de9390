#pragma once
// What the X server shows, read back through Xlib: a test that checks colours this way sees what a
// person sees, including colours that a toolkit widget ignored. (The toolkit's own screen DC may
// hand back an older copy of the screen on GTK 3.)

#include <wx/gdicmn.h>
#include <wx/image.h>

namespace guitest {

// The pixels of a rectangle in screen coordinates; an empty image when the display cannot be read.
wxImage ScreenPixels(const wxRect& screenRect);

}  // namespace guitest
