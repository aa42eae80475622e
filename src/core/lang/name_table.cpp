#include "core/lang/name_table.h"

#include <utility>

namespace kdk::lang {
namespace {

constexpr std::string_view kNameForEmpty = "Name";
// Put before a name the language will not let start with a digit or "_".
constexpr char kLeadingLetter = 'V';

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

NameTable::NameTable(const LanguageRules& rules) : rules_(rules) {}

std::string NameTable::Key(std::string_view name) const {
  std::string key(name);
  if (!rules_.case_sensitive) {
    for (char& c : key) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return key;
}

void NameTable::ReserveFixed(std::string_view name) {
  taken_.insert(Key(name));
}

void NameTable::ReserveWhere(std::function<bool(std::string_view)> taken) {
  taken_by_rule_ = std::move(taken);
}

bool NameTable::IsTaken(std::string_view name) const {
  return taken_.count(Key(name)) > 0 || (taken_by_rule_ && taken_by_rule_(name));
}

std::string NameTable::Repaired(std::string_view wanted) const {
  if (IsIdentifierSyntax(rules_, wanted)) return std::string(wanted);
  std::string name;
  name.reserve(wanted.size() + 1);
  for (char c : wanted) {
    if (rules_.language == Language::Equation) {
      const auto byte = static_cast<unsigned char>(c);
      name.push_back(byte < 0x20 || byte == 0x7F ? ' ' : c);
    } else {
      name.push_back(IsNameCharacter(c) ? c : '_');
    }
  }
  if (name.empty()) name = kNameForEmpty;
  if (rules_.language != Language::Equation) {
    const char first = name.front();
    const bool letter = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
    if (!letter && !(first == '_' && rules_.underscore_may_lead)) {
      name.insert(name.begin(), first == '_' || !rules_.underscore_may_lead ? kLeadingLetter : '_');
    }
  }
  if (rules_.max_identifier_length != 0 && name.size() > rules_.max_identifier_length) {
    name.resize(rules_.max_identifier_length);
  }
  return name;
}

std::string NameTable::Claim(std::string_view wanted) {
  const std::string base = Repaired(wanted);
  std::string name = base;
  for (int suffix = 1; IsTaken(name) || !IsUsableName(rules_, name); ++suffix) {
    const std::string number = std::to_string(suffix);
    std::size_t stem_length = base.size();
    if (rules_.max_identifier_length != 0 &&
        stem_length + 1 + number.size() > rules_.max_identifier_length) {
      stem_length = rules_.max_identifier_length - 1 - number.size();
    }
    name.assign(base, 0, stem_length);
    name.push_back('_');
    name.append(number);
  }
  taken_.insert(Key(name));
  return name;
}

}  // namespace kdk::lang
