#pragma once

// File names are bytes, whatever their encoding: Latin-1 maps each byte to one character and
// back, so a name that is not UTF-8 passes through Qt's command-line parser unchanged.

#include <QString>
#include <string>

namespace mosaren::cli {

inline QString FromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToBytes(const QString& text) { return text.toLatin1().toStdString(); }

}  // namespace mosaren::cli
