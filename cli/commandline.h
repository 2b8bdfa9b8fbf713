#pragma once

#include <iosfwd>

// Parses the command line and runs the command it names; returns the exit status. Usage errors
// give one line and a hint on err and 2; so does an answer that could not be written to out
// (checked once the command is done, for every command). Lets exceptions other than usage errors
// pass (main catches them).
int RunCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);
