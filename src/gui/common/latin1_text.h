#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

#include "core/common/model_text.h"

namespace kdk::gui {

// Model text is Windows-1252 bytes (see core/common/model_text.h). Qt has no codec
// for that code page, so widgets take it through UTF-8; typed text comes back the
// same way, a character the code page has not becoming "?".
inline QString ToQString(std::string_view bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}

inline std::string ToBytes(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (const char32_t code_point : text.toUcs4()) {
    unsigned char byte = '?';
    Cp1252OfCodePoint(code_point, byte);
    bytes.push_back(static_cast<char>(byte));
  }
  return bytes;
}

// Paths go through the file system's own encoding instead, so a chosen file can be
// opened again by the engine whatever characters its name holds.
inline QString PathToQString(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

inline std::string PathFromQString(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace kdk::gui
