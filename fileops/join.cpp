#include "fileops/join.h"

#include "fileops/copier.h"
#include "fileops/streamsguard.h"

namespace zorvaku {

void JoinFiles(std::span<std::string> slots, const std::string& output)
{
    StreamsGuard guard;
    TargetStream.Open(output, Operation::Join);
    const FileIdentity outputFile = TargetStream.Identity();

    for (std::string& slot : slots) {
        if (slot == output)
            continue;
        if (!slot.empty()) {
            SourceStream.Open(slot, Operation::Join);
            if (SourceStream.Identity() == outputFile) {
                SourceStream.Close();
                continue;
            }
            const std::uint64_t lengthBefore = TargetStream.Length();
            CutBackOnFailure([] {
                while (const std::size_t count = SourceStream.ReadBlock())
                    TargetStream.WriteBlock(count);
                TargetStream.Flush();
            }, lengthBefore);
            SourceStream.Close();
        }
        slot.clear();
    }
    TargetStream.Close();
}

}  // namespace zorvaku
