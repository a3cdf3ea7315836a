#include "common/command_line.h"

#include <iostream>

void setUpToolApp(CLI::App& app) {
    app.set_help_flag();
    app.allow_extras();
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

bool parseCommandLine(CLI::App& app, int argc, char** argv, const std::string& usage,
                      bool positional) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::ArgumentMismatch& e) {
        // CLI11 says "--opt: 1 required TEXT missing"; the option is named the tools' way.
        const std::string what = e.what();
        std::cerr << app.get_name() << ": " << what.substr(0, what.find(':')) << " needs a value\n"
                  << usage;
        return false;
    } catch (const CLI::ParseError& e) {
        std::cerr << app.get_name() << ": " << e.what() << '\n' << usage;
        return false;
    }
    if (!positional && !app.remaining().empty()) {
        std::cerr << app.get_name() << ": unexpected argument '" << app.remaining().front() << "'\n"
                  << usage;
        return false;
    }
    return true;
}

std::optional<int64_t> parseWholeNumber(const std::string& text, int64_t low, int64_t high) {
    constexpr size_t kMaxDigits = 18; // any such number fits in int64_t
    const size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
    const size_t digits = text.size() - sign;
    if (digits == 0 || digits > kMaxDigits ||
        text.find_first_not_of("0123456789", sign) != std::string::npos)
        return std::nullopt;
    const int64_t value = std::stoll(text);
    if (value < low || value > high) return std::nullopt;
    return value;
}

void reportBadValue(const CLI::App& app, const std::string& option, const std::string& value,
                    const std::string& usage) {
    std::cerr << app.get_name() << ": bad value for " << option << ": '" << value << "'\n" << usage;
}
