#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

namespace kdk::gui {

// Model text is single-byte; widgets show it as Latin-1 so every byte survives a
// round trip through a text box.
inline QString ToQString(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToBytes(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
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
