#pragma once

// The exit statuses of every command.
enum ExitStatus : int {
    kExitOk = 0,
    kExitFailed = 1,   // the command ran, and its answer is a failure (a "{ fail }", an invalid scheme)
    kExitUnusable = 2, // the command could not run: usage, scheme, file or memory problems
};
