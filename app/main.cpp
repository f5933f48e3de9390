#include "Application.h"

wxIMPLEMENT_APP(Application);
