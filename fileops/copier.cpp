#include "fileops/copier.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvaku {

std::array<char, BlockSize> CopyBuffer;
ReadStream SourceStream;
AppendStream TargetStream;

namespace {

// Size of each stream's inner buffer. Large enough that the system calls cost
// next to nothing beside the copying; a split's piece of one million bytes
// fits in one write.
constexpr std::size_t InnerBufferSize = std::size_t{1} << 20;

// The reason given for a name that names nothing at all.
constexpr const char* EmptyNameReason = "ファイル名が空です";

FileIdentity IdentityOf(const struct stat& status)
{
    return FileIdentity{status.st_dev, status.st_ino};
}

// open(2) of name, retried when interrupted; -1 with errno set on failure.
int OpenRetrying(const std::string& name, int flags)
{
    int fd;
    do
        fd = ::open(name.c_str(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// close(2) without retrying on EINTR: on Linux the descriptor is gone either way.
int CloseDescriptor(int fd)
{
    return ::close(fd) == 0 ? 0 : errno;
}

}  // namespace

void ReadStream::Open(const std::string& name, Operation operation)
{
    Close();
    name_ = name;
    operation_ = operation;
    if (name.empty())
        throw OperationError(operation, Action::Open, name, EmptyNameReason);

    const int fd = OpenRetrying(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        ThrowSystemError(operation, Action::Open, name, errno);

    struct stat status;
    if (::fstat(fd, &status) != 0) {
        const int err = errno;
        CloseDescriptor(fd);
        ThrowSystemError(operation, Action::Open, name, err);
    }
    if (!S_ISREG(status.st_mode)) {
        CloseDescriptor(fd);
        if (S_ISDIR(status.st_mode))
            ThrowSystemError(operation, Action::Open, name, EISDIR);
        throw OperationError(operation, Action::Open, name, "通常のファイルではありません");
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    if (!inner_)
        inner_ = std::make_unique_for_overwrite<char[]>(InnerBufferSize);
    fd_ = fd;
    identity_ = IdentityOf(status);
    size_ = static_cast<std::uint64_t>(status.st_size);
    position_ = filled_ = 0;
    atEnd_ = false;
}

std::size_t ReadStream::ReadBlock()
{
    std::size_t count = 0;
    while (count < BlockSize) {
        if (position_ == filled_) {
            if (atEnd_ || fd_ < 0)
                break;
            ssize_t n;
            do
                n = ::read(fd_, inner_.get(), InnerBufferSize);
            while (n < 0 && errno == EINTR);
            if (n < 0)
                ThrowSystemError(operation_, Action::Read, name_, errno);
            position_ = 0;
            filled_ = static_cast<std::size_t>(n);
            atEnd_ = n == 0;
            continue;
        }
        const std::size_t take = std::min(BlockSize - count, filled_ - position_);
        std::memcpy(CopyBuffer.data() + count, inner_.get() + position_, take);
        position_ += take;
        count += take;
    }
    return count;
}

void ReadStream::Close() noexcept
{
    if (fd_ >= 0)
        CloseDescriptor(fd_);  // nothing was written through it, so nothing can be lost
    fd_ = -1;
}

void AppendStream::Open(const std::string& name, Operation operation)
{
    Discard();
    name_ = name;
    operation_ = operation;
    if (name.empty())
        throw OperationError(operation, Action::Open, name, EmptyNameReason);

    // Exclusive creation first, to know whether the file was there before.
    const int flags = O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    bool created = true;
    int fd = OpenRetrying(name, flags | O_EXCL);
    if (fd < 0 && errno == EEXIST) {
        created = false;
        fd = OpenRetrying(name, flags);
    }
    if (fd < 0)
        ThrowSystemError(operation, Action::Open, name, errno);

    struct stat status;
    const int openFlags = ::fcntl(fd, F_GETFL);
    if (openFlags < 0 || ::fcntl(fd, F_SETFL, openFlags & ~O_NONBLOCK) != 0 || ::fstat(fd, &status) != 0) {
        const int err = errno;
        CloseDescriptor(fd);
        ThrowSystemError(operation, Action::Open, name, err);
    }

    if (!inner_)
        inner_ = std::make_unique_for_overwrite<char[]>(InnerBufferSize);
    fd_ = fd;
    identity_ = IdentityOf(status);
    regular_ = S_ISREG(status.st_mode);
    created_ = created;
    queued_ = 0;
}

void AppendStream::WriteBlock(std::size_t count)
{
    if (queued_ + count > InnerBufferSize)
        Flush();
    std::memcpy(inner_.get() + queued_, CopyBuffer.data(), count);
    queued_ += count;
}

void AppendStream::Flush()
{
    std::size_t written = 0;
    while (written < queued_) {
        const ssize_t n = ::write(fd_, inner_.get() + written, queued_ - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A write that takes nothing without saying why means a full disk.
            const int err = n < 0 ? errno : ENOSPC;
            queued_ = 0;
            ThrowSystemError(operation_, Action::Write, name_, err);
        }
        written += static_cast<std::size_t>(n);
    }
    queued_ = 0;
}

std::uint64_t AppendStream::Length()
{
    Flush();
    struct stat status;
    if (::fstat(fd_, &status) != 0)
        ThrowSystemError(operation_, Action::Write, name_, errno);
    return static_cast<std::uint64_t>(status.st_size);
}

int AppendStream::CutBack(std::uint64_t length) noexcept
{
    queued_ = 0;
    if (fd_ < 0 || !regular_)
        return 0;
    int result;
    do
        result = ::ftruncate(fd_, static_cast<off_t>(length));
    while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

void AppendStream::Close()
{
    if (fd_ < 0)
        return;
    Flush();
    const int err = CloseDescriptor(fd_);
    fd_ = -1;
    if (err != 0 && err != EINTR)
        ThrowSystemError(operation_, Action::Close, name_, err);
}

void AppendStream::Discard() noexcept
{
    queued_ = 0;
    if (fd_ >= 0)
        CloseDescriptor(fd_);
    fd_ = -1;
}

}  // namespace zorvaku
