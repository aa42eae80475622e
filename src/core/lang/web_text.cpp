#include "core/lang/web_text.h"

#include "core/common/number_text.h"
#include "core/lang/language_rules.h"

namespace kdk::lang {

void AppendPageText(std::string& out, std::string_view text) {
  AppendStringBody(RulesOf(Language::Html), out, text);
}

void AppendScriptString(std::string& out, std::string_view text) {
  AppendStringBody(RulesOf(Language::JavaScript), out, text);
}

void AppendScriptNumber(std::string& out, double value) {
  AppendRealLiteral(RulesOf(Language::JavaScript), out, value);
}

bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsWholeWordAt(std::string_view text, size_t position, std::string_view name) {
  if (name.empty() || position + name.size() > text.size()) return false;
  if (text.compare(position, name.size(), name) != 0) return false;
  if (IsWordCharacter(name.front()) && position > 0 && IsWordCharacter(text[position - 1])) {
    return false;
  }
  const size_t end = position + name.size();
  return !(IsWordCharacter(name.back()) && end < text.size() && IsWordCharacter(text[end]));
}

}  // namespace kdk::lang
