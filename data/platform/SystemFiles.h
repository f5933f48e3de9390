#pragma once
// The few file-system calls whose form differs between POSIX and Windows. Paths are wxString
// throughout; on Windows they reach the wide (UTF-16) calls, so any letters in a name work.

#include <wx/string.h>

#include <cstddef>
#include <cstdint>

// A plain file opened for reading in binary mode, or -1: a folder, a pipe or a device does not open
// (a pipe would block and a device might never end). `size` receives the file's size.
int OpenPlainFileForReading(const wxString& path, std::uint64_t& size);

// Like read(2): bytes read, 0 at the end, -1 on failure (EINTR is retried).
long ReadFileBytes(int fd, char* buffer, std::size_t size);
void CloseFile(int fd);

// The user configuration folder when there is no application object to ask the toolkit (tools and
// tests): $HOME on POSIX, %APPDATA% (the roaming application data folder) on Windows.
wxString UserConfigDirWithoutApp();
