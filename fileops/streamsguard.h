#pragma once

#include <cstdint>

#include "fileops/copier.h"

namespace zorvaku {

// Leaves SourceStream and TargetStream closed however a join or split ends:
// on the way out of an exception queued bytes are dropped, not written.
class StreamsGuard {
public:
    StreamsGuard() = default;
    StreamsGuard(const StreamsGuard&) = delete;
    StreamsGuard& operator=(const StreamsGuard&) = delete;
    ~StreamsGuard()
    {
        SourceStream.Close();
        TargetStream.Discard();
    }
};

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
                error.reason() + "。さらに「" + TargetStream.Name() + "」" + "を元の長さに戻せません（"
                    + SystemReason(err) + "）");
        throw;
    }
}

}  // namespace zorvaku
