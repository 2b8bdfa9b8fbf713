#pragma once

#include <iosfwd>
#include <string_view>

// Every message of the tool is one line that begins with the tool's name.
inline constexpr std::string_view kToolName = "granum-cli";

// Writes "granum-cli: message" and a line end.
void PrintError(std::ostream& err, std::string_view message);
