#pragma once

#include <string>

#include <QLineEdit>

namespace zorvaku {

// A single-line edit for a file name that keeps the exact bytes it was given:
// while its text is as SetBytes left it, Bytes() returns those bytes, also
// when they are not UTF-8 and the text shows replacement characters. Text the
// user typed is returned in the system's encoding.
class ByteLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    void SetBytes(const std::string& bytes);
    std::string Bytes() const;

private:
    std::string bytes_;  // what SetBytes was given
    QString shown_;      // the text SetBytes showed for it
};

}  // namespace zorvaku
