// sorell-cli: records, the computer's move and the rules' judgement from the command line.

#include "base/diag.h"
#include "base/file_replace.h"
#include "cli/cli_commands.h"
#include "cli/cli_texts.h"
#include "sorell_version.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    diagEachLineOnce();
    failWritesBeyondFileSizeLimit();
    setCliEnglish(
        englishLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")));
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "sorell-cli " << kSorellVersion << '\n';
        return 0;
    }
    int status = runCli(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
