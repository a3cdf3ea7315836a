#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of sorell-cli.
inline constexpr int kCliOk = 0;
inline constexpr int kCliFailed = 1; // an unreadable or unwritable file, or no answer
inline constexpr int kCliUsage = 2;  // bad arguments

// Runs one sorell-cli command line (the arguments after the program name): answers go to out,
// messages to err. Returns the exit status.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
