#include "gui/network/pointer_file.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

namespace kdk::gui {
namespace {

int LittleEndian16(const QByteArray& bytes, int at) {
  return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

}  // namespace

std::optional<QCursor> LoadPointerFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  // The header: reserved 0, type 2 (pointer), count; then the first entry, whose
  // planes and bit-count fields hold the hot spot's x and y in a pointer file.
  const QByteArray header = file.read(22);
  file.close();
  if (header.size() < 22 || LittleEndian16(header, 0) != 0 || LittleEndian16(header, 2) != 2 ||
      LittleEndian16(header, 4) < 1) {
    return std::nullopt;
  }
  const int hot_x = LittleEndian16(header, 10);
  const int hot_y = LittleEndian16(header, 12);

  QImageReader reader(path, "cur");
  const QImage image = reader.read();
  if (image.isNull()) return std::nullopt;
  return QCursor(QPixmap::fromImage(image), hot_x, hot_y);
}

}  // namespace kdk::gui
