#include "engines/workbook/r1c1_formula.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace kdk::workbook {
namespace {

constexpr int kMaxRow = 1048576;
constexpr int kMaxColumn = 16384;

bool IsWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.';
}

// One part of a reference: R or C followed by nothing, [n] or n.
std::optional<int> ReadPart(std::string_view text, std::size_t& pos, char letter, int here) {
  if (pos >= text.size() || std::toupper(static_cast<unsigned char>(text[pos])) != letter) {
    return std::nullopt;
  }
  std::size_t at = pos + 1;
  if (at < text.size() && text[at] == '[') {
    std::size_t end = at + 1;
    bool negative = false;
    if (end < text.size() && (text[end] == '-' || text[end] == '+')) negative = text[end++] == '-';
    const std::size_t digits = end;
    long value = 0;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) &&
           value < 10000000) {
      value = value * 10 + (text[end++] - '0');
    }
    if (end == digits || end >= text.size() || text[end] != ']') return std::nullopt;
    pos = end + 1;
    return here + static_cast<int>(negative ? -value : value);
  }
  long value = 0;
  const std::size_t digits = at;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) &&
         value < 10000000) {
    value = value * 10 + (text[at++] - '0');
  }
  pos = at;
  return at == digits ? here : static_cast<int>(value);
}

struct Reference {
  int row = 0, column = 0;
};

std::optional<Reference> ReadReference(std::string_view text, std::size_t& pos, int row,
                                       int column) {
  if (pos > 0 && IsWordChar(text[pos - 1])) return std::nullopt;
  std::size_t at = pos;
  const std::optional<int> r = ReadPart(text, at, 'R', row);
  if (!r) return std::nullopt;
  const std::optional<int> c = ReadPart(text, at, 'C', column);
  if (!c) return std::nullopt;
  if (at < text.size() && (IsWordChar(text[at]) || text[at] == '(')) return std::nullopt;
  pos = at;
  return Reference{*r, *c};
}

bool Inside(const Reference& ref) {
  return ref.row >= 1 && ref.row <= kMaxRow && ref.column >= 1 && ref.column <= kMaxColumn;
}

void AppendA1(std::string& out, const Reference& ref) {
  out.append(ColumnLetters(ref.column)).append(std::to_string(ref.row));
}

}  // namespace

std::string ColumnLetters(int column) {
  std::string letters;
  while (column > 0) {
    const int digit = (column - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + digit));
    column = (column - 1) / 26;
  }
  return letters;
}

bool R1C1ToA1(std::string_view formula, int row, int column, std::string& a1) {
  a1.clear();
  a1.reserve(formula.size());
  std::size_t pos = 0;
  while (pos < formula.size()) {
    const char c = formula[pos];
    if (c == '"') {
      const std::size_t end = formula.find('"', pos + 1);
      const std::size_t stop = end == std::string_view::npos ? formula.size() : end + 1;
      a1.append(formula.substr(pos, stop - pos));
      pos = stop;
      continue;
    }
    std::size_t at = pos;
    if (const std::optional<Reference> first = ReadReference(formula, at, row, column)) {
      Reference top_left = *first, bottom_right = *first;
      std::size_t after = at;
      bool range = false;
      if (after < formula.size() && formula[after] == ':') {
        std::size_t second_at = after + 1;
        if (const std::optional<Reference> second =
                ReadReference(formula, second_at, row, column)) {
          top_left = {std::min(first->row, second->row), std::min(first->column, second->column)};
          bottom_right = {std::max(first->row, second->row),
                          std::max(first->column, second->column)};
          range = true;
          after = second_at;
        }
      }
      if (!Inside(top_left) || !Inside(bottom_right)) return false;
      AppendA1(a1, top_left);
      if (range) {
        a1.push_back(':');
        AppendA1(a1, bottom_right);
      }
      pos = after;
      continue;
    }
    a1.push_back(c);
    ++pos;
  }
  return true;
}

}  // namespace kdk::workbook
