#include "toolkit/workingdirectory.h"

#include <cstdlib>
#include <memory>

#include <cerrno>

#include <unistd.h>

#include "fileops/operationerror.h"

namespace zorvaku {

std::string WorkingDirectory()
{
    // getcwd(NULL, 0) allocates a buffer as long as the path needs.
    const std::unique_ptr<char, decltype(&std::free)> path(::getcwd(nullptr, 0), &std::free);
    return path ? std::string(path.get()) : std::string();
}

void SetWorkingDirectory(const std::string& directory)
{
    if (directory.empty())
        throw OperationError(Operation::Browse, Action::Open, directory, "ディレクトリ名が空です");
    if (::chdir(directory.c_str()) != 0)
        ThrowSystemError(Operation::Browse, Action::Open, directory, errno);
}

}  // namespace zorvaku
