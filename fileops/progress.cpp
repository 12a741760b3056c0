#include "fileops/progress.h"

#include <algorithm>

namespace zorvaku {

namespace {
const std::string NoFile;
}

ProgressMeter::ProgressMeter(const ProgressFn& receiver, std::uint64_t total)
    : receiver_(receiver)
    , total_(total)
    , file_(&NoFile)
{
}

void ProgressMeter::StartFile(const std::string& file)
{
    file_ = &file;
    Report();
}

void ProgressMeter::Finish()
{
    total_ = done_;
    Report();
}

void ProgressMeter::ReportIfDue()
{
    sinceCheck_ = 0;
    if (std::chrono::steady_clock::now() - lastReport_ >= ReportInterval)
        Report();
}

void ProgressMeter::Report()
{
    if (!receiver_)
        return;
    // A file that grew since it was measured must not show more than 100 %.
    total_ = std::max(total_, done_);
    receiver_(Progress{done_, total_, *file_});
    lastReport_ = std::chrono::steady_clock::now();
}

}  // namespace zorvaku
