#pragma once
// The workspace file (".orv"): every record of the record list as plain text. Version 4 is written;
// versions 0 to 4 are read. Numbers use "." whatever the locale; texts are UTF-8.

#include <wx/string.h>

#include <string_view>
#include <vector>

#include "data/Preferences.h"
#include "data/Storage.h"

// The first line of each versioned file; a file without one of these is version 0.
constexpr int kWorkspaceVersionMarks[] = {410000, 430000, 460000, 480000};

struct WorkspaceReadResult {
    std::vector<Storage> records;  // only meaningful when Ok()
    wxString error;                // English; names what is wrong and on which line

    // A file damaged after one or more whole records (cut short by a full disk or a partial
    // copy) gives those records and Ok(); the first record not read whole is described here.
    int damagedRecord = 0;  // its position from 1; 0 when the file was read whole
    wxString damagedTitle;  // its title, when that line could be read
    bool damagedTitleRead = false;
    int recordCount = 0;  // the records the file announces
    wxString damage;      // English, like `error`: what is wrong and on which line

    bool Ok() const { return error.empty(); }
    bool Damaged() const { return damagedRecord > 0; }
};

// Reads a file. On success the file's units go into `prefs` (pressure unit and measurement
// system of the last record read, the flow unit it was saved with). A file damaged after whole
// records gives those (Damaged()); one damaged before the end of its first record is a failure,
// and then neither `prefs` nor anything else is touched, so the caller keeps its records.
WorkspaceReadResult ReadWorkspace(const wxString& path, Preferences& prefs);
// The same, from bytes in memory.
WorkspaceReadResult ReadWorkspaceBytes(std::string_view bytes, Preferences& prefs);
// What the user is told about a Damaged() read of the file named `fileName`, in Italian.
wxString DamagedWorkspaceWarning(const WorkspaceReadResult& result, const wxString& fileName);

// Writes version 4 through a temporary file renamed over `path`: on failure the old file stays as
// it was and `error` (when given) says why. Each record is written with its own flow unit.
bool WriteWorkspace(const wxString& path, const std::vector<Storage>& records,
                    wxString* error = nullptr);

// The path a save-as writes to: ".orv" is appended unless the path already holds it anywhere.
wxString WorkspacePathWithExtension(const wxString& path);

// The text box as the file holds it: UTF-16 code units, and back. Lone surrogates read as U+FFFD.
std::vector<unsigned> TextBoxCodes(const wxString& text);
wxString TextBoxFromCodes(const std::vector<unsigned>& codes);
