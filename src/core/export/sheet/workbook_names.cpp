#include "core/export/sheet/workbook_names.h"

#include <filesystem>

#include "core/common/text_utils.h"

namespace kdk {
namespace {

constexpr std::size_t kLongestBase = 26;

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::string WorkbookBaseName(std::string_view save_path) {
  const std::string file = FileNameOfPath(save_path);
  const std::size_t extension = EndsWithText(ToLowerAscii(file), ".xlsm") ? 5 : 4;
  std::string base = BlanksToUnderscores(TrimBlanks(DropLast(file, extension)));
  for (char& c : base) {
    if (!IsNameCharacter(c)) c = '_';
  }
  if (base.empty() || !((base[0] >= 'A' && base[0] <= 'Z') || (base[0] >= 'a' && base[0] <= 'z'))) {
    base.insert(base.begin(), 'W');
  }
  if (base.size() > kLongestBase) base.resize(kLongestBase);
  return base;
}

WorkbookNames NamesOfWorkbook(std::string_view base) {
  const std::string b(base);
  return {b + "_1", b + "_2", std::string(kInstructionsSheetName), b + "_Code", b + "_CalculateIt"};
}

std::string CodeFilePath(std::string_view folder, std::string_view base) {
  return (std::filesystem::path(folder) / (std::string(base) + "Temp.txt")).string();
}

}  // namespace kdk
