#pragma once

#include "scheme/schememetadata.h"
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

// A scheme shipped with the program.
struct BundledSchemeFile {
    std::string id;   // the file name without ".dat": what a bundled scheme is called by
    std::string path; // the file found for it
};

// The *.dat files of the data folders' schemes/ folders. An id found in an earlier folder hides
// the same id in a later one, as it does when an id is looked up. Sorted by id.
std::vector<BundledSchemeFile> BundledSchemeFiles();

// Opens the file at path (resolved as above) for reading only, loads it into *scheme and checks
// it. On anything but Loaded the scheme is left as the load left it; callers restore or clear it.
// A folder, FIFO or device is refused before it is opened (nothing blocks). When reason is not
// null it gets why the load failed, in a few lower-case words ("no such file or directory", "it
// is a folder", "it has no \"[texture]\" word", "Low (1) and High (2) overlap"), or is emptied.
// words, when not null, gets the coordinate words that are not numbers.
SchemeLoadStatus LoadSchemeFile(const std::string& path, soiltex* scheme,
                                std::string* reason = nullptr,
                                std::vector<SchemeWordProblem>* words = nullptr);

// The message and the reason in one line, for a command-line tool: "Unable to load the
// classification scheme file: it is a folder".
std::string SchemeLoadLine(SchemeLoadStatus status, const std::string& reason);

// The metadata of the scheme file at path (the key lines of its details); empty fields when it
// has none or cannot be read. A folder, FIFO or device is not opened.
SchemeMetadata ReadSchemeFileMetadata(const std::string& path);
