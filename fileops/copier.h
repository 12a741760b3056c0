#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <sys/types.h>

#include "fileops/operationerror.h"

namespace zorvaku {

// Bytes per block: every read and write of the join and the split moves at
// most this many bytes through CopyBuffer.
inline constexpr std::size_t BlockSize = 20000;

// The one buffer every block passes through. Each read lands at its start;
// only the bytes the last read yielded are ever written out.
extern std::array<char, BlockSize> CopyBuffer;

// Which file a stream has open, as the system tells files apart: two names of
// one file (a relative name, a link) have the same identity.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// A regular file opened for reading, read strictly in order from its start.
// Its inner buffer is large so that a file is read in few system calls while
// the program still sees blocks of BlockSize.
class ReadStream {
public:
    ReadStream() = default;
    ReadStream(const ReadStream&) = delete;
    ReadStream& operator=(const ReadStream&) = delete;
    ~ReadStream() { Close(); }

    // Opens name, which must be an existing regular file. A directory, FIFO,
    // device or socket is refused without blocking (a FIFO would hang the
    // program, a device might never end). Throws OperationError.
    void Open(const std::string& name, Operation operation);
    // Reads up to BlockSize bytes into CopyBuffer and returns how many: full
    // blocks until the last, then the remainder, then 0 on every later call.
    // Throws OperationError when the system reports a read error.
    std::size_t ReadBlock();
    // Closes the file; closing a stream that is not open does nothing.
    void Close() noexcept;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Name() const { return name_; }
    FileIdentity Identity() const { return identity_; }
    // The file's length when it was opened.
    std::uint64_t Size() const { return size_; }

private:
    int fd_ = -1;
    std::string name_;
    Operation operation_ = Operation::Join;
    FileIdentity identity_;
    std::uint64_t size_ = 0;
    std::unique_ptr<char[]> inner_;  // allocated at the first open, kept for the process
    std::size_t position_ = 0;       // next unread byte of inner_
    std::size_t filled_ = 0;         // bytes of inner_ holding file data
    bool atEnd_ = false;             // the system has reported the end of the file
};

// A file opened for appending: created when missing, never truncated, and
// every write lands at the end the file has at that moment (O_APPEND), also
// when another process extends it meanwhile. Blocks are gathered in a large
// inner buffer and written out when it is full, on Flush and on Close; every
// write is checked, retried when interrupted and continued when short.
class AppendStream {
public:
    AppendStream() = default;
    AppendStream(const AppendStream&) = delete;
    AppendStream& operator=(const AppendStream&) = delete;
    ~AppendStream() { Discard(); }

    // Opens or creates name (mode 0666 less the umask). Never blocks: a FIFO
    // without a reader is refused. Throws OperationError.
    void Open(const std::string& name, Operation operation);
    // The last Open created the file: it did not exist before.
    bool Created() const { return created_; }
    // The open file is a regular file, which can be cut back (not a device).
    bool Regular() const { return regular_; }
    // Appends the first count bytes of CopyBuffer. Throws OperationError when
    // writing out the inner buffer fails; the queued bytes are then dropped.
    void WriteBlock(std::size_t count);
    // Writes out every queued byte. Throws OperationError on failure.
    void Flush();
    // The file's length with nothing left queued: flushes, then asks the
    // system. Throws OperationError.
    std::uint64_t Length();
    // After a failure: drops the queued bytes and cuts a regular file back to
    // length bytes. Returns 0, or the errno of a cut the system refused.
    int CutBack(std::uint64_t length) noexcept;
    // Flushes and closes. Throws OperationError; when the flush fails the file
    // stays open, so that the caller can still cut it back.
    void Close();
    // Closes without writing out queued bytes and without reporting anything.
    void Discard() noexcept;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Name() const { return name_; }
    FileIdentity Identity() const { return identity_; }

private:
    int fd_ = -1;
    std::string name_;
    Operation operation_ = Operation::Join;
    FileIdentity identity_;
    bool regular_ = false;           // a regular file, which can be cut back
    bool created_ = false;           // the open made the file
    std::unique_ptr<char[]> inner_;  // allocated at the first open, kept for the process
    std::size_t queued_ = 0;         // bytes of inner_ not yet written out
};

// The stream of the file being read by a join or split.
extern ReadStream SourceStream;
// The stream of the file being written by a join or split.
extern AppendStream TargetStream;

}  // namespace zorvaku
