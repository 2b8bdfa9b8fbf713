#pragma once

#include "scheme/soiltex.h"

#include <string>
#include <vector>

// Scheme files on disk: finding them and loading them the way every part of the program does.

enum class SchemeLoadStatus {
    Loaded,     // read and valid
    Unreadable, // could not be opened, has no "[texture]", or failed while being read or checked
    Invalid,    // read, but IsValidScheme said no
};

// "Unable to load the classification scheme file" / "Classification scheme is invalid. It will
// not be loaded." for the two failures; empty for Loaded.
std::string SchemeLoadMessage(SchemeLoadStatus status);

// The file that a scheme path names: an absolute path as it is; a relative one in the current
// folder first, then in each data folder (the installed share folder, the source tree). Returns
// the path unchanged when it is found nowhere, so that the failure names what was asked for.
std::string ResolveDataFile(const std::string& path);

// Folders searched after the current one, in order.
std::vector<std::string> DataFolders();

// Opens the file at path (resolved as above) for reading only, loads it into *scheme and checks
// it. On anything but Loaded the scheme is left as the load left it; callers restore or clear it.
SchemeLoadStatus LoadSchemeFile(const std::string& path, soiltex* scheme);
