#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace zorvaku {

// How far a join or split has got: bytes copied of all it will copy, and the
// file being read.
struct Progress {
    std::uint64_t done;
    std::uint64_t total;
    const std::string& file;
};

// Receives progress; may be empty. It must not change the join list.
using ProgressFn = std::function<void(const Progress&)>;

// Counts the bytes a join or split copies and hands the count on: when a file
// starts, when the work ends (done == total then), and in between at most
// every ReportInterval, so that a receiver that repaints the window costs the
// copy nothing measurable.
class ProgressMeter {
public:
    static constexpr std::chrono::milliseconds ReportInterval{40};

    ProgressMeter(const ProgressFn& receiver, std::uint64_t total);

    // Reports the start of file (a reference kept until the next StartFile).
    void StartFile(const std::string& file);
    // Counts bytes just copied; reports when ReportInterval has passed.
    void Add(std::size_t bytes)
    {
        done_ += bytes;
        if (receiver_ && ++sinceCheck_ == BlocksPerCheck)
            ReportIfDue();
    }
    // Reports the end: everything copied is all there was.
    void Finish();

private:
    // Blocks between two looks at the clock: about 1.3 MB, a millisecond of copying.
    static constexpr int BlocksPerCheck = 64;

    void ReportIfDue();
    void Report();

    const ProgressFn& receiver_;
    std::uint64_t total_;
    std::uint64_t done_ = 0;
    const std::string* file_ = nullptr;
    int sinceCheck_ = 0;
    std::chrono::steady_clock::time_point lastReport_;
};

}  // namespace zorvaku
