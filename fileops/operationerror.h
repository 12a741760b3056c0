#pragma once

#include <stdexcept>
#include <string>

namespace zorvaku {

// What the user asked for when a failure struck; it opens the error text.
enum class Operation { Join, Split, Add, Browse };

// What was being done to the file when the failure struck.
enum class Action { Open, Read, Write, Close, Add };

// A failure of the core: the operation, the file and the reason, in Japanese,
// ready for the window's error box (which adds the closing ".").
// what() reads like "結合できません: 「/data/b.bin」を読み込めません（入出力エラーです）".
class OperationError : public std::runtime_error {
public:
    // reason is already in Japanese; see SystemReason for errno values.
    OperationError(Operation operation, Action action, std::string file, std::string reason);

    Operation operation() const { return operation_; }
    Action action() const { return action_; }
    // The file's path, byte for byte as the core used it.
    const std::string& file() const { return file_; }
    const std::string& reason() const { return reason_; }

private:
    Operation operation_;
    Action action_;
    std::string file_;
    std::string reason_;
};

// The system's reason for errno value err, in Japanese.
std::string SystemReason(int err);

// The words added to an error's reason when file could not be put back as it
// was before the failed operation (errno err): the user must know it holds
// part of what was written.
std::string NotPutBack(const std::string& file, int err);

// Throws the OperationError for a failed system call whose errno is err.
[[noreturn]] void ThrowSystemError(Operation operation, Action action, const std::string& file, int err);

}  // namespace zorvaku
