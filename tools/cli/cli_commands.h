#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace CLI {
class App;
}

// Exit statuses of sorell-cli.
inline constexpr int kCliOk = 0;
inline constexpr int kCliFailed = 1; // an unreadable or unwritable file, or no answer
inline constexpr int kCliUsage = 2;  // bad arguments

// Runs one sorell-cli command line (the arguments after the program name): answers go to out,
// messages to err. Returns the exit status.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A refused command: the exit status and the message runCli writes after "sorell-cli: " (with
// the command's usage when the status is kCliUsage).
struct CliError {
    int status;
    std::string message;
};

// Reads a command's arguments: its options into app, the others, in order, into the operands
// returned. An argument that looks like an option and is none of app's is refused, and so is
// an option without its value, with the message needs gives for it (CliError, kCliUsage).
std::vector<std::string> readArguments(CLI::App& app, const std::vector<std::string>& args,
                                       const std::map<std::string, std::string>& needs);
