#pragma once
// hvx-probe --download: the program's download without a display, written to a workspace file.

#include <string>

constexpr int kNoMeter = 2;
constexpr int kNoAnswer = 3;
constexpr int kDamagedLog = 4;
constexpr int kCannotWrite = 5;
constexpr int kUsage = 64;

// Reads every logged event into `path` (a version-4 workspace). No erase and no question; the flow
// unit is the one the program would take (the user's preferences, then the meter's own), and the
// preferences file is left unchanged. Warnings go to standard error. Returns the exit status.
int DownloadToWorkspace(const std::string& path);
