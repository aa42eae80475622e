#include "core/lang/web_text.h"

#include <cmath>

#include "core/common/model_text.h"
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

bool IsWholeWordAt(std::string_view text, size_t position, std::string_view name) {
  if (name.empty() || position + name.size() > text.size()) return false;
  if (text.compare(position, name.size(), name) != 0) return false;
  if (IsModelNameChar(name.front()) && position > 0 && IsModelNameChar(text[position - 1])) {
    return false;
  }
  const size_t end = position + name.size();
  return !(IsModelNameChar(name.back()) && end < text.size() && IsModelNameChar(text[end]));
}

}  // namespace kdk::lang
