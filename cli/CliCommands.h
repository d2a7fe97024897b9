// tablora-cli: the season core from a terminal. Output is UTF-8.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs one command line (without the program name). Returns the exit code:
// 0 success, 1 failure (one line on `err` naming the file and the reason), 2 usage.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
