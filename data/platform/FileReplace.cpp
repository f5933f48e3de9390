// The parts of the safe save that are the same on every system.
#include "data/platform/FileReplace.h"

wxString FileReplace::WriteFailure() const {
    if (!inPlace_) return "Cannot write " + path_;
    return "Cannot write " + path_ + " in place (no temporary file can be created in its folder)" +
           (emptied_ ? ", it is now incomplete" : "");
}
