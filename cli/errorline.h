#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

// Every message of the tool is one line that begins with the tool's name.
inline constexpr std::string_view kToolName = "granum-cli";

// Writes "granum-cli: message" and a line end.
void PrintError(std::ostream& err, std::string_view message);

// A mistake in the command line: the message, then where to read about the options. Returns
// the exit status of a command that could not run.
int PrintUsageError(std::ostream& err, std::string_view message);

// How messages name an input: its path, or "standard input" for "-".
std::string InputName(const std::string& path);
