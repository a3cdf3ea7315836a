#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The opening-rule questions of sorell-cli: the best fifth moves to offer, and whether to swap.
extern const char* const kOfferHelp;
extern const char* const kSwapHelp;

// "offer FILE --count N --time MS" and "swap FILE --time MS [--fifths N]" (the arguments after
// the command). Answers go to out, messages to err; returns the exit status of sorell-cli.
int offerCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int swapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
