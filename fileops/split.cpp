#include "fileops/split.h"

#include "fileops/copier.h"
#include "fileops/paths.h"
#include "fileops/streamsguard.h"

namespace zorvaku {

void SplitFile(const std::string& source, const ProgressFn& progress)
{
    StreamsGuard guard;
    SourceStream.Open(source, Operation::Split);
    const FileIdentity sourceFile = SourceStream.Identity();
    const std::string baseName = BaseName(source, PlatformPaths);
    ProgressMeter meter(progress, SourceStream.Size());
    meter.StartFile(source);

    for (std::int64_t piece = 0;; ++piece) {
        const std::string pieceName = PieceName(piece, baseName);
        TargetStream.Open(pieceName, Operation::Split);
        if (TargetStream.Identity() == sourceFile)
            throw OperationError(Operation::Split, Action::Write, pieceName, "分割するファイルそのものです");
        bool sourceEnded = false;
        CutBackOnFailure([&] {
            for (int block = 0; block < BlocksPerPiece && !sourceEnded; ++block) {
                const std::size_t count = SourceStream.ReadBlock();
                if (count >= 1) {
                    TargetStream.WriteBlock(count);
                    meter.Add(count);
                }
                // A read of one byte or none ends the split: one byte can only
                // be the last byte of the source.
                sourceEnded = count <= 1;
            }
            TargetStream.Close();
        }, TargetStream.Length());
        if (sourceEnded) {
            meter.Finish();
            return;
        }
    }
}

}  // namespace zorvaku
