#pragma once

#include <string>

namespace zorvaku {

// The process's working directory as the system reports it, as bytes.
std::string WorkingDirectory();

// Makes directory the process's working directory. Throws OperationError
// with the system's reason when the system refuses; nothing changes then.
void SetWorkingDirectory(const std::string& directory);

}  // namespace zorvaku
