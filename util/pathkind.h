#pragma once

#include <string>

// Data files (samples, schemes, chart definitions) are read to the end in one go: a FIFO would
// block the program and a device or folder is never what the user meant. Callers refuse such
// paths before opening them.
namespace pathkind {

// Why the path cannot be read as a data file: "it is a folder", "it is a FIFO", "it is a device"
// or "it is not a regular file" (symbolic links are followed). Empty for a regular file, and for
// a path that cannot be examined (it does not exist, say): opening it then gives the reason.
std::string NotRegularReason(const std::string& path);

} // namespace pathkind
