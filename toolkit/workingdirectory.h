#pragma once

#include <string>

namespace zorvaku {

// The process's working directory as the system reports it, as bytes.
std::string WorkingDirectory();

}  // namespace zorvaku
