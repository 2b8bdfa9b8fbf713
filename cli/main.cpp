// granum-cli: the batch tool. Everything but the last line of defence lives in granum_batch.
#include "cli/commandline.h"
#include "cli/errorline.h"
#include "cli/exitstatus.h"

#include <exception>
#include <iostream>
#include <new>

int main(int argc, char** argv) {
    try {
        return RunCommandLine(argc, argv, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        PrintError(std::cerr, "out of memory");
    } catch (...) {
        // Never an exception's own text: it names an operation, not the user's problem.
        PrintError(std::cerr, "the command failed unexpectedly");
    }
    return kExitUnusable;
}
