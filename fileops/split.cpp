#include "fileops/split.h"

#include <cerrno>
#include <vector>

#include <unistd.h>

#include "fileops/copier.h"
#include "fileops/paths.h"
#include "fileops/streamsguard.h"

namespace zorvaku {

namespace {

// A piece as it was before the split wrote to it.
struct PieceBefore {
    std::string name;
    bool created;          // the split made it
    bool regular;          // a regular file (a device has no length to restore)
    std::uint64_t length;  // its length before, when it was there already
};

// Puts every piece back as it was before the split: removes those it made and
// cuts the others back. Returns what could not be put back, in words for the
// error box ("" when all was).
std::string PutBack(const std::vector<PieceBefore>& pieces)
{
    std::string trouble;
    for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
        if (!piece->regular)
            continue;
        const int result = piece->created ? ::unlink(piece->name.c_str())
                                          : ::truncate(piece->name.c_str(), static_cast<off_t>(piece->length));
        if (result != 0 && !(piece->created && errno == ENOENT))
            trouble += NotPutBack(piece->name, errno);
    }
    return trouble;
}

}  // namespace

void SplitFile(const std::string& source, const ProgressFn& progress)
{
    StreamsGuard guard;
    SourceStream.Open(source, Operation::Split);
    const FileIdentity sourceFile = SourceStream.Identity();
    const std::string baseName = BaseName(source, PlatformPaths);
    ProgressMeter meter(progress, SourceStream.Size());
    meter.StartFile(source);

    std::vector<PieceBefore> written;  // every piece opened so far, as it was
    try {
        bool sourceEnded = false;
        for (std::int64_t piece = 0; !sourceEnded; ++piece) {
            const std::string pieceName = PieceName(piece, baseName);
            TargetStream.Open(pieceName, Operation::Split);
            if (TargetStream.Identity() == sourceFile)
                throw OperationError(Operation::Split, Action::Write, pieceName, "分割するファイルそのものです");
            written.push_back({pieceName, TargetStream.Created(), TargetStream.Regular(), TargetStream.Length()});
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
        }
    } catch (const OperationError& error) {
        // A split that fails leaves the directory as it was, so that running
        // it again once the cause is gone gives every piece exactly once.
        TargetStream.Discard();
        if (written.empty())
            throw;
        throw OperationError(error.operation(), error.action(), error.file(),
            error.reason() + "。書き込んだ分割ファイルは元に戻しました" + PutBack(written));
    }
    meter.Finish();
}

}  // namespace zorvaku
