#pragma once

// The command-line reading that the tools share: CLI11 parses, the tools keep their own usage
// texts, messages and exit status 2 for a bad command line.

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>

// Exit status of every tool for a command line it refuses.
inline constexpr int kBadCommandLine = 2;

// Sets app up the tools' way: no help flag of CLI11's own (each tool prints its usage),
// arguments no option takes are kept for the tool to judge, and an option given twice keeps
// its last value. Call before adding options.
void setUpToolApp(CLI::App& app);

// Parses argv into app's options. On a refusal writes "<program>: <reason>", then usage, to
// standard error and returns false: an argument no option takes (when positional is false),
// an option without its value.
bool parseCommandLine(CLI::App& app, int argc, char** argv, const std::string& usage,
                      bool positional = false);

// A whole decimal number (digits only, an optional '-' before them) from low to high;
// nothing otherwise.
std::optional<int64_t> parseWholeNumber(const std::string& text, int64_t low, int64_t high);

// Writes "<program>: bad value for <option>: '<value>'" and usage to standard error.
void reportBadValue(const CLI::App& app, const std::string& option, const std::string& value,
                    const std::string& usage);
