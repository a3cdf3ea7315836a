// pbrain-sorell: the computer player behind the Gomocup engine protocol, one command a line
// on standard input, every answer line flushed on standard output.

#include "engine/think.h"
#include "engine/thinking_level.h"
#include "protocol/pbrain_session.h"
#include "sorell_version.h"

#include <atomic>
#include <cstring>
#include <iostream>
#include <string>

namespace {

void usage(std::ostream& out) {
    out << "usage: pbrain-sorell [--db DIR] | --version | --help\n"
           "Plays renju on a 15x15 board through the Gomocup engine protocol on standard\n"
           "input and output (START 15, INFO rule 4, BEGIN, TURN x,y, BOARD ... DONE,\n"
           "TAKEBACK x,y, ABOUT, END).\n"
           "  --db DIR   directory of the standard-openings files kelp###.kdb\n"
           "             (default: the current directory)\n";
}

} // namespace

int main(int argc, char** argv) {
    std::string databaseDirectory;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            usage(std::cout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "pbrain-sorell " << kSorellVersion << '\n';
            return 0;
        }
        if (std::strcmp(argv[i], "--db") == 0 && i + 1 < argc) {
            databaseDirectory = argv[++i];
            if (!databaseDirectory.empty() && databaseDirectory.back() != '/')
                databaseDirectory += '/';
            continue;
        }
        std::cerr << "pbrain-sorell: unexpected argument '" << argv[i] << "'\n";
        usage(std::cerr);
        return 2;
    }

    const ThinkingLevel level = ThinkingLevel::standard();
    const std::atomic<bool> stop{false};
    PbrainSession session([&](const BanHistory& history) {
        return static_cast<int>(thinkMove(history, level, stop, databaseDirectory));
    });

    std::string line;
    bool tooLong = false;
    while (readProtocolLine(std::cin, line, tooLong)) {
        if (tooLong) {
            std::cout << "ERROR line longer than " << kMaxProtocolLine << " characters ignored"
                      << std::endl;
            continue;
        }
        for (const std::string& answer : session.handleLine(line)) std::cout << answer << std::endl;
        if (session.ended()) break;
    }
    return 0;
}
