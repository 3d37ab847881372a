// The daily diagnostic log: one file per local calendar day in a folder "Log" beside the
// program (or the user's state folder when that one cannot be created), one time-stamped line
// per call. Callable from any thread.
#pragma once

#include <ctime>
#include <optional>
#include <string>

// Appends "[HH:MM:SS] " and the printf-style formatted text (cut at 1011 characters) and a
// newline to the log file of today. Failures to create the folder or open the file are
// silent: the log is a diagnostic aid and must never disturb the caller.
void LogMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The folder the log files go to; created on demand. Empty when no folder can be created.
std::string LogFolder();
// Sends the log of this process to another folder (tests that read their own lines use one
// each); an empty optional returns to the usual folder.
void SetLogFolderOverride(const std::optional<std::string>& folder);
// The file name of the given local day, for example "2013-05-31.log".
std::string LogFileName(const std::tm& localDay);
