#include "toolkit/bytelineedit.h"

#include "toolkit/bytes.h"

namespace zorvaku {

void ByteLineEdit::SetBytes(const std::string& bytes)
{
    bytes_ = bytes;
    shown_ = ShowBytes(bytes);
    setText(shown_);
}

std::string ByteLineEdit::Bytes() const
{
    return text() == shown_ ? bytes_ : BytesOf(text());
}

}  // namespace zorvaku
