#include "core/lang/language_rules.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "core/common/model_text.h"
#include "core/common/number_text.h"
#include "core/lang/reserved_words.h"

namespace kdk::lang {
namespace {

constexpr std::size_t kNoLimit = 0;
constexpr int kNoContinuationLimit = -1;

// Fortran 2003 names may have 63 characters; gfortran takes them by default.
constexpr std::size_t kFortranNameLength = 63;
constexpr std::size_t kFortranLineLength = 132;
constexpr int kFortranContinuations = 255;
constexpr std::size_t kVbLineLength = 1023;
constexpr int kVbContinuations = 24;

constexpr std::array<LanguageRules, 11> kRules = {{
    {.language = Language::Equation,
     .name = "Equation",
     .case_sensitive = false,
     .underscore_may_lead = true,
     .max_identifier_length = kNoLimit,
     .comment_form = CommentForm::UserDefined,
     .max_line_length = kNoLimit,
     .max_continuations = kNoContinuationLimit,
     .continuation = ""},
    {.language = Language::Sas,
     .name = "SAS",
     .case_sensitive = false,
     .underscore_may_lead = true,
     .max_identifier_length = 32,
     .comment_form = CommentForm::Block,
     .max_line_length = kNoLimit,
     .max_continuations = kNoContinuationLimit,
     .continuation = "",
     .inputs_are_data_variables = true},
    {.language = Language::VisualBasic,
     .name = "Visual Basic",
     .case_sensitive = false,
     .underscore_may_lead = false,
     .max_identifier_length = 255,
     .comment_form = CommentForm::ToLineEnd,
     .max_line_length = kVbLineLength,
     .max_continuations = kVbContinuations,
     .continuation = " _",
     .real_marker = "#",
     .int32_literals = true},
    {.language = Language::C,
     .name = "C",
     .case_sensitive = true,
     .underscore_may_lead = true,
     .max_identifier_length = kNoLimit,
     .comment_form = CommentForm::Block,
     .max_line_length = kNoLimit,
     .max_continuations = kNoContinuationLimit,
     .continuation = "",
     .real_marker = ".0"},
    {.language = Language::Fortran90,
     .name = "Fortran 90",
     .case_sensitive = false,
     .underscore_may_lead = false,
     .max_identifier_length = kFortranNameLength,
     .comment_form = CommentForm::ToLineEnd,
     .max_line_length = kFortranLineLength,
     .max_continuations = kFortranContinuations,
     .continuation = " &",
     .real_kind = RealKind::Single,
     .real_marker = ".0",
     .int32_literals = true},
    {.language = Language::Java,
     .name = "Java",
     .case_sensitive = true,
     .underscore_may_lead = true,
     .max_identifier_length = kNoLimit,
     .comment_form = CommentForm::Block,
     .max_line_length = kNoLimit,
     .max_continuations = kNoContinuationLimit,
     .continuation = "",
     .real_marker = ".0",
     .int32_literals = true},
    {.language = Language::Spss,
     .name = "SPSS",
     .case_sensitive = false,
     .underscore_may_lead = false,
     .max_identifier_length = 64,
     .comment_form = CommentForm::ToLineEnd,
     .max_line_length = kNoLimit,
     .max_continuations = kNoContinuationLimit,
     .continuation = "",
     .unary_plus = false,
     .inputs_are_data_variables = true,
     .code_page_letters = true},
    {.language = Language::TransactSql,
     .name = "SQL Server",
     .case_sensitive = false,
     .underscore_may_lead = true,
     .max_identifier_length = 128,
     .comment_form = CommentForm::Block,
     .max_line_length = kNoLimit,
     .max_continuations = kNoContinuationLimit,
     .continuation = "",
     .real_marker = ".0"},
    {.language = Language::AccessSql,
     .name = "Access",
     .case_sensitive = false,
     .underscore_may_lead = true,
     .max_identifier_length = 64,
     .comment_form = CommentForm::None,
     .max_line_length = kNoLimit,
     .max_continuations = kNoContinuationLimit,
     .continuation = "",
     .real_marker = ".0"},
    {.language = Language::Html,
     .name = "HTML",
     .case_sensitive = true,
     .underscore_may_lead = false,
     .max_identifier_length = kNoLimit,
     .comment_form = CommentForm::None,
     .max_line_length = kNoLimit,
     .max_continuations = kNoContinuationLimit,
     .continuation = ""},
    {.language = Language::JavaScript,
     .name = "JavaScript",
     .case_sensitive = true,
     .underscore_may_lead = true,
     .max_identifier_length = kNoLimit,
     .comment_form = CommentForm::Block,
     .max_line_length = kNoLimit,
     .max_continuations = kNoContinuationLimit,
     .continuation = ""},
}};

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
// The letters of Windows-1252 beyond ASCII: Š Œ Ž š œ ž Ÿ ƒ ª µ º and À to ÿ except
// × and ÷.
bool IsCodePageLetter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  constexpr std::string_view kHighLetters = "\x83\x8A\x8C\x8E\x9A\x9C\x9E\x9F\xAA\xB5\xBA";
  return (byte >= 0xC0 && byte != 0xD7 && byte != 0xF7) ||
         kHighLetters.find(c) != std::string_view::npos;
}
bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}
bool IsAscii(char c) {
  return static_cast<unsigned char>(c) < 0x80;
}

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

void AppendHexByte(std::string& out, unsigned char byte) {
  constexpr char kHex[] = "0123456789ABCDEF";
  out.push_back(kHex[byte >> 4]);
  out.push_back(kHex[byte & 0x0F]);
}

// Java reads "\uXXXX" before it reads comments and strings: a backslash run of odd
// length followed by "u" is an escape, so one more backslash makes it text.
void AppendJavaBackslashes(std::string& out, std::string_view text, std::size_t& i) {
  std::size_t run = 0;
  while (i + run < text.size() && text[i + run] == '\\') ++run;
  out.append(run, '\\');
  if (run % 2 == 1 && i + run < text.size() && text[i + run] == 'u') out.push_back('\\');
  i += run - 1;
}

// "\\u" and the four hex digits of the character a model text byte stands for.
void AppendUnicodeEscape(std::string& out, unsigned char byte) {
  const char32_t code_point = CodePointOfCp1252(byte);
  out.append("\\u");
  AppendHexByte(out, static_cast<unsigned char>(code_point >> 8));
  AppendHexByte(out, static_cast<unsigned char>(code_point & 0xFF));
}

}  // namespace

const LanguageRules& RulesOf(Language language) {
  for (const LanguageRules& rules : kRules) {
    if (rules.language == language) return rules;
  }
  return kRules.front();
}

bool IsIdentifierSyntax(const LanguageRules& rules, std::string_view name) {
  if (name.empty()) return false;
  if (rules.language == Language::Equation) {
    // The user's own syntax: any text that stays on its line.
    return std::none_of(name.begin(), name.end(), IsControl);
  }
  const std::size_t length = rules.code_page_letters ? Cp1252ToUtf8(name).size() : name.size();
  if (rules.max_identifier_length != kNoLimit && length > rules.max_identifier_length) {
    return false;
  }
  const auto letter = [&rules](char c) {
    return IsLetter(c) || (rules.code_page_letters && IsCodePageLetter(c));
  };
  const char first = name.front();
  if (!letter(first) && !(first == '_' && rules.underscore_may_lead)) return false;
  return std::all_of(name.begin(), name.end(),
                     [&letter](char c) { return letter(c) || IsDigit(c) || c == '_'; });
}

bool IsReservedWord(const LanguageRules& rules, std::string_view name) {
  for (std::string_view word : ReservedWordsOf(rules.language)) {
    if (SameName(rules, word, name)) return true;
  }
  return false;
}

bool IsUsableName(const LanguageRules& rules, std::string_view name) {
  return IsIdentifierSyntax(rules, name) && !IsReservedWord(rules, name);
}

bool SameName(const LanguageRules& rules, std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (rules.case_sensitive) return a == b;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

std::string CommentSafe(const LanguageRules& rules, std::string_view text) {
  std::string out;
  AppendCommentSafe(rules, out, text);
  return out;
}

void AppendCommentSafe(const LanguageRules& rules, std::string& out, std::string_view text) {
  out.reserve(out.size() + text.size());
  const bool block = rules.comment_form == CommentForm::Block || rules.language == Language::Spss;
  const std::size_t start = out.size();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\t' && IsControl(c)) {
      out.push_back(' ');  // a line break would put the rest outside the comment
    } else if (block && c == '*' && i + 1 < text.size() && text[i + 1] == '/') {
      out.append("* ");  // "*/" would end the comment
    } else if (rules.language == Language::Java && c == '\\') {
      AppendJavaBackslashes(out, text, i);
    } else if (rules.language == Language::Java && !IsAscii(c)) {
      AppendUnicodeEscape(out, static_cast<unsigned char>(c));
    } else if (rules.language == Language::JavaScript && c == '<' && i + 1 < text.size() &&
               (text[i + 1] == '/' || text[i + 1] == '!')) {
      out.append("< ");  // "</script" or "<!--" inside a script end or hide it
    } else {
      out.push_back(c);
    }
  }
  if (rules.language == Language::VisualBasic) {
    // A comment line that ends in " _" continues onto the next line.
    std::size_t end = out.size();
    while (end > start && (out[end - 1] == ' ' || out[end - 1] == '\t')) --end;
    if (end > start && out[end - 1] == '_' &&
        (end - 1 == start || out[end - 2] == ' ' || out[end - 2] == '\t')) {
      out.insert(out.begin() + static_cast<std::ptrdiff_t>(end), '.');
    }
  }
}

std::string StringBody(const LanguageRules& rules, std::string_view text) {
  std::string out;
  AppendStringBody(rules, out, text);
  return out;
}

void AppendStringBody(const LanguageRules& rules, std::string& out, std::string_view text) {
  out.reserve(out.size() + text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    switch (rules.language) {
      case Language::C:
        if (c == '\\' || c == '"' || c == '?') {
          out.push_back('\\');  // "?" too: "??/" is a trigraph in strict modes
          out.push_back(c);
        } else if (IsControl(c) || !IsAscii(c)) {
          out.push_back('\\');
          out.push_back(static_cast<char>('0' + (byte >> 6)));
          out.push_back(static_cast<char>('0' + ((byte >> 3) & 7)));
          out.push_back(static_cast<char>('0' + (byte & 7)));
        } else {
          out.push_back(c);
        }
        break;
      case Language::Java:
        if (c == '\\') {
          out.append("\\\\");
        } else if (c == '"') {
          out.append("\\\"");
        } else if (IsControl(c) || !IsAscii(c)) {
          AppendUnicodeEscape(out, byte);
        } else {
          out.push_back(c);
        }
        break;
      case Language::JavaScript:
        if (c == '\\' || c == '"' || c == '\'') {
          out.push_back('\\');
          out.push_back(c);
        } else if (!IsAscii(c)) {
          AppendUnicodeEscape(out, byte);
        } else if (IsControl(c) || c == '<' || c == '>' || c == '&') {
          out.append("\\x");  // also keeps "</script>" and "<!--" out of the script
          AppendHexByte(out, byte);
        } else {
          out.push_back(c);
        }
        break;
      case Language::Html:
        if (c == '&') {
          out.append("&amp;");
        } else if (c == '<') {
          out.append("&lt;");
        } else if (c == '>') {
          out.append("&gt;");
        } else if (c == '"') {
          out.append("&quot;");
        } else if (c == '\'') {
          out.append("&#39;");
        } else if (!IsAscii(c) || c == '\r') {
          // A character reference means the same under any reading of the charset, and
          // keeps a carriage return the parser would otherwise turn into a line feed.
          out.append("&#").append(std::to_string(CodePointOfCp1252(byte))).push_back(';');
        } else {
          out.push_back(c);
        }
        break;
      case Language::VisualBasic:
        if (c == '"') {
          out.append("\"\"");
        } else if (IsControl(c) && c != '\t') {
          out.push_back(' ');  // a string may not span lines
        } else {
          out.push_back(c);
        }
        break;
      case Language::TransactSql:
      case Language::AccessSql:
        if (c == '\'') {
          out.append("''");
        } else {
          out.push_back(c);
        }
        break;
      case Language::Fortran90:
      case Language::Spss:
      case Language::Sas:
        if (c == '\'') {
          out.append("''");
        } else if (IsControl(c) && c != '\t') {
          out.push_back(' ');
        } else {
          out.push_back(c);
        }
        break;
      case Language::Equation:
        out.push_back(IsControl(c) && c != '\t' ? ' ' : c);
        break;
    }
  }
}

std::string RealLiteral(const LanguageRules& rules, double value, bool always_real) {
  std::string out;
  AppendRealLiteral(rules, out, value, always_real);
  return out;
}

void AppendRealLiteral(const LanguageRules& rules, std::string& out, double value,
                       bool always_real) {
  if (!IsWritableNumber(value, rules.real_kind)) {
    throw UnwritableNumber(std::string(rules.name) + " cannot read the number " +
                           NumberText(value) + ".");
  }
  const std::size_t start = out.size();
  AppendNumberText(out, value);
  bool integer_form = true;
  for (std::size_t at = start; at < out.size() && integer_form; ++at) {
    integer_form = out[at] != '.' && out[at] != 'E';
  }
  if (!integer_form) return;
  constexpr double kLargestInt32 = 2147483647.0;
  const bool too_large_for_int = value > kLargestInt32 || value < -kLargestInt32;
  if (always_real || (rules.int32_literals && too_large_for_int)) out.append(rules.real_marker);
}

}  // namespace kdk::lang
