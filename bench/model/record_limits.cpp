// sorell-record-limits: the time and memory one read of a crafted record file takes. Each
// file (written to a temporary folder) is read by a fresh child process, so the peak resident
// size reported is that read's alone. Usage: sorell-record-limits [FOLDER]

#include "model/move_tree.h"
#include "model/record_files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr size_t kMiB = 1u << 20;

std::string point(int cell) {
    return {static_cast<char>('a' + cell % 15), static_cast<char>('a' + cell / 15)};
}

// Distinct variations: every first move, under each every second move, under each third
// moves until the text reaches size.
std::string distinctVariations(size_t size) {
    std::string text = "(;GM[4]SZ[15]RU[Renju 1998]";
    for (int third = 0; third < 223 && text.size() < size; ++third)
        for (int a = 0; a < 225 && text.size() < size; ++a) {
            text += "(;B[" + point(a) + "]";
            for (int b = 0, n = 0; b < 225 && n < 224; ++b) {
                if (b == a) continue;
                ++n;
                text += "(;W[" + point(b) + "]";
                int c = 0, k = 0;
                while (k <= third) {
                    if (c != a && c != b) ++k;
                    ++c;
                }
                text += "(;B[" + point(c - 1) + "]))";
            }
            text += ")";
        }
    text.resize(std::min(text.size(), size - 1));
    return text + ")";
}

std::string repeated(const std::string& head, const std::string& part, size_t size) {
    std::string text = head;
    text.reserve(size + part.size());
    while (text.size() + part.size() < size) text += part;
    return text;
}

struct Case {
    const char* name;
    std::function<std::string()> make;
};

void run(const std::filesystem::path& folder, const Case& c) {
    const std::filesystem::path file = folder / "record";
    {
        const std::string bytes = c.make();
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
    }
    const auto size = std::filesystem::file_size(file);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::fclose(stderr); // the illegal-move lines are not the point here
        MOveTree record;
        const bool read = record.ReadFile(file.c_str());
        _exit(read ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("%-30s %5.1f MiB  %-7s %5.2f s wall %5.2f s cpu  %6.1f MiB peak\n", c.name,
                static_cast<double>(size) / kMiB,
                WIFEXITED(status) ? (WEXITSTATUS(status) == 0 ? "read" : "refused") : "crashed",
                seconds, cpu, static_cast<double>(usage.ru_maxrss) / 1024);
    std::filesystem::remove(file);
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    const size_t whole = kMaxRecordFileBytes;
    const Case cases[] = {
        {"distinct variations, 1 MiB", [] { return distinctVariations(1 * kMiB); }},
        {"distinct variations, 8 MiB", [] { return distinctVariations(8 * kMiB); }},
        {"distinct variations, 64 MiB", [&] { return distinctVariations(whole); }},
        {"one variation repeated", [&] { return repeated("(;GM[4]", "(;B[hh];W[ii])", whole); }},
        {"root properties", [&] { return repeated("(;GM[4]", "PB[x]", whole); }},
        {"illegal moves", [&] { return repeated("(;GM[4]", ";B[zz]", whole); }},
        {"one comment", [&] { return repeated("(;GM[4];B[hh]C[", "1234567", whole - 2) + "])"; }},
        {"one long property", [&] { return repeated("(;GM[4]PB[", "abcdefg", whole - 2) + "])"; }},
        {"nesting", [&] { return repeated("(;GM[4]", "(", whole); }},
        {".ban move numbers", [&] { return repeated("", "808\n", whole); }},
        {"binary form",
         [&] { return repeated(std::string(1, '\xe0'), std::string(1, '\x01'), whole); }},
        {"none of the formats", [&] { return repeated("", "\xff", whole); }},
        {"one byte over the limit", [&] { return repeated("", "808\n", whole + 8); }},
    };
    std::printf("%-30s %9s  %-7s %11s %10s  %s\n", "file", "size", "result", "time", "", "memory");
    for (const Case& c : cases) run(folder, c);
    return 0;
}
