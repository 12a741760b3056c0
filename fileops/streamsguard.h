#pragma once

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

}  // namespace zorvaku
