// sorell-cli: records, the computer's move and the rules' judgement from the command line.

#include "base/diag.h"
#include "cli/cli_commands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    diagEachLineOnce();
    std::vector<std::string> args(argv + 1, argv + argc);
    int status = runCli(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
