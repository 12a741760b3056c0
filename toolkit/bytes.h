#pragma once

#include <string>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace zorvaku {

// A byte string (a path, a file name) as text to show. Bytes that are not
// UTF-8 show as replacement characters; the bytes themselves are kept apart
// wherever the name is used again.
inline QString ShowBytes(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Text the user typed, as the bytes of a file name in the system's encoding.
inline std::string BytesOf(const QString& text)
{
    const QByteArray bytes = QFile::encodeName(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace zorvaku
