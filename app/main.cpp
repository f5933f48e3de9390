#include "app/Application.h"

wxIMPLEMENT_APP(Application);
