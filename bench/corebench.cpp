// Times the join against `cat A B >> out` and the split against
// `split -b 1000000` on the same files in the page cache, alternating and
// repeating, and prints the speeds, their ratios and this process's peak
// memory. Machines are shared and noisy: read the ratios, not the speeds.
//
//   zorvaku_bench [--mib TOTAL] [--rounds N] [--dir PARENT] [--progress on|off]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "fileops/join.h"
#include "fileops/split.h"

namespace fs = std::filesystem;

namespace {

// Writes a file of size bytes of changing content, one MiB at a time.
void MakeFile(const std::string& path, std::uint64_t size, unsigned seed)
{
    std::vector<char> chunk(1 << 20);
    std::uint32_t state = seed;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::uint64_t done = 0; done < size;) {
        for (auto& byte : chunk) {
            state = state * 1664525u + 1013904223u;
            byte = static_cast<char>(state >> 24);
        }
        const std::uint64_t take = std::min<std::uint64_t>(chunk.size(), size - done);
        out.write(chunk.data(), static_cast<std::streamsize>(take));
        done += take;
    }
}

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

void Run(const std::string& command)
{
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
}

// Seconds that work took, after the dirty pages of earlier rounds are written.
double Time(const std::function<void()>& work)
{
    ::sync();
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* ours, const char* theirs, std::uint64_t bytes, double ourTime, double theirTime)
{
    std::printf("%s: %.0f MB/s  %s: %.0f MB/s  ratio: %.3f\n", ours, bytes / ourTime / 1e6, theirs,
        bytes / theirTime / 1e6, ourTime / theirTime);
}

}  // namespace

int main(int argc, char** argv)
{
    std::uint64_t mib = 1024;
    int rounds = 5;
    bool withProgress = true;
    std::string parent = fs::temp_directory_path().string();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--mib")
            mib = std::strtoull(argv[i + 1], nullptr, 10);
        else if (option == "--rounds")
            rounds = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--dir")
            parent = argv[i + 1];
        else if (option == "--progress")
            withProgress = std::string(argv[i + 1]) != "off";
    }

    const fs::path dir = fs::path(parent) / ("zorvaku-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir / "ours");
    fs::create_directories(dir / "theirs");
    const std::string a = (dir / "a.bin").string(), b = (dir / "b.bin").string();
    const std::uint64_t total = mib << 20;
    MakeFile(a, total / 2, 1);
    MakeFile(b, total - total / 2, 2);
    Run("cat " + Quoted(a) + " " + Quoted(b) + " > /dev/null");  // into the page cache

    const std::string ourOut = (dir / "ours.out").string(), theirOut = (dir / "theirs.out").string();
    // A receiver of progress, as the window attaches one, so that the cost of
    // measuring progress is part of what is timed.
    long reports = 0;
    zorvaku::ProgressFn progress;
    if (withProgress)
        progress = [&reports](const zorvaku::Progress&) { ++reports; };
    std::vector<double> join, cat, split, splitB;
    for (int round = 0; round < rounds; ++round) {
        const auto ourJoin = [&] {
            std::vector<std::string> slots{a, b};
            zorvaku::JoinFiles(slots, ourOut, progress);
        };
        const auto theirJoin = [&] { Run("cat " + Quoted(a) + " " + Quoted(b) + " >> " + Quoted(theirOut)); };
        const auto ourSplit = [&] {
            fs::current_path(dir / "ours");
            zorvaku::SplitFile(a, progress);
            zorvaku::SplitFile(b, progress);
            fs::current_path(parent);
        };
        const auto theirSplit = [&] {
            Run("cd " + Quoted((dir / "theirs").string()) + " && split -b 1000000 " + Quoted(a) + " a. && split -b 1000000 "
                + Quoted(b) + " b.");
        };
        // Alternate which goes first, so that neither always meets the other's writeback.
        if (round % 2 == 0) {
            join.push_back(Time(ourJoin));
            cat.push_back(Time(theirJoin));
            split.push_back(Time(ourSplit));
            splitB.push_back(Time(theirSplit));
        } else {
            cat.push_back(Time(theirJoin));
            join.push_back(Time(ourJoin));
            splitB.push_back(Time(theirSplit));
            split.push_back(Time(ourSplit));
        }
        fs::remove(ourOut);
        fs::remove(theirOut);
        for (const char* side : {"ours", "theirs"}) {
            fs::remove_all(dir / side);
            fs::create_directories(dir / side);
        }
    }
    fs::current_path(parent);
    fs::remove_all(dir);

    std::printf("data: %llu MiB in two files, %d rounds, medians\n", static_cast<unsigned long long>(mib), rounds);
    Report("join", "cat", total, Median(join), Median(cat));
    Report("split", "split-b", total, Median(split), Median(splitB));
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MiB  progress reports: %ld\n", usage.ru_maxrss / 1024.0, reports);
    return 0;
}
