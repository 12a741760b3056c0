#include "fileops/join.h"

#include <sys/stat.h>

#include "fileops/copier.h"
#include "fileops/streamsguard.h"

namespace zorvaku {

namespace {

// The bytes the join will copy, as far as the files can be looked at now:
// what a file that cannot be looked at holds is found out when it is opened.
std::uint64_t BytesToJoin(std::span<const std::string> slots, const std::string& output, FileIdentity outputFile)
{
    std::uint64_t total = 0;
    struct stat status;
    for (const std::string& slot : slots) {
        if (!slot.empty() && slot != output && ::stat(slot.c_str(), &status) == 0 && S_ISREG(status.st_mode)
            && !(FileIdentity{status.st_dev, status.st_ino} == outputFile))
            total += static_cast<std::uint64_t>(status.st_size);
    }
    return total;
}

// Runs write, which appends to TargetStream. If it throws, TargetStream is cut
// back to length (what it held before write began) and the error goes on; a
// cut the system refuses is added to the error, since the file then keeps the
// part that was written.
template <typename Write>
void CutBackOnFailure(Write write, std::uint64_t length)
{
    try {
        write();
    } catch (const OperationError& error) {
        if (const int err = TargetStream.CutBack(length))
            throw OperationError(error.operation(), error.action(), error.file(),
                error.reason() + NotPutBack(TargetStream.Name(), err));
        throw;
    }
}

}  // namespace

void JoinFiles(std::span<std::string> slots, const std::string& output, const ProgressFn& progress)
{
    StreamsGuard guard;
    TargetStream.Open(output, Operation::Join);
    const FileIdentity outputFile = TargetStream.Identity();
    ProgressMeter meter(progress, progress ? BytesToJoin(slots, output, outputFile) : 0);

    for (std::string& slot : slots) {
        if (slot == output)
            continue;
        if (!slot.empty()) {
            SourceStream.Open(slot, Operation::Join);
            if (SourceStream.Identity() == outputFile) {
                SourceStream.Close();
                continue;
            }
            meter.StartFile(slot);
            const std::uint64_t lengthBefore = TargetStream.Length();
            CutBackOnFailure([&] {
                while (const std::size_t count = SourceStream.ReadBlock()) {
                    TargetStream.WriteBlock(count);
                    meter.Add(count);
                }
                TargetStream.Flush();
            }, lengthBefore);
            SourceStream.Close();
        }
        slot.clear();
    }
    TargetStream.Close();
    meter.Finish();
}

}  // namespace zorvaku
