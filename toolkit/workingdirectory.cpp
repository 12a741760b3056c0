#include "toolkit/workingdirectory.h"

#include <cstdlib>
#include <memory>

#include <unistd.h>

namespace zorvaku {

std::string WorkingDirectory()
{
    // getcwd(NULL, 0) allocates a buffer as long as the path needs.
    const std::unique_ptr<char, decltype(&std::free)> path(::getcwd(nullptr, 0), &std::free);
    return path ? std::string(path.get()) : std::string();
}

}  // namespace zorvaku
