#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/export/code/code_export_settings.h"

namespace kdk {

// One code type's fixed syntax. A field that is nullopt is not fixed by the type:
// for the Equation type it comes from the user's boxes.
struct CodeTypeSyntax {
  CodeType type;
  std::string_view list_name;  // the entry of the "Code Format" list
  std::string_view kdk_name;   // the --to word of kdk convert
  std::optional<std::string_view> comment_line;
  std::optional<std::string_view> comment_block_start;
  std::optional<std::string_view> comment_block_end;
  std::optional<std::string_view> line_terminator;
  std::optional<std::string_view> line_continuation;  // CR LF is appended
  std::optional<std::string_view> var_def_start;
  std::optional<std::string_view> var_def_end;  // CR LF is appended
  std::string_view statement_prefix;
  std::string_view section_end;
  std::optional<int> tanh_mode;  // nullopt: the Equation type's own choice
  std::string_view file_filter;
  std::string_view code_name;  // "" with a name box: taken from that box
};

// Every code type, in the order of the "Code Format" list.
const std::array<CodeTypeSyntax, kCodeTypeCount>& CodeTypeTable();
const CodeTypeSyntax& SyntaxOf(CodeType type);
// How a hidden neuron's tanh is called: C and Java call their own bounded function,
// "myTanh(", and the header's definition lines name it the same way.
std::string_view TanhCallOf(CodeType type);
std::optional<CodeType> CodeTypeFromKdkName(std::string_view name);

// The first entry of every save filter; a code type's own entry follows it.
inline constexpr std::string_view kTextFileFilter = "text file (*.txt)|*.txt";
inline constexpr std::string_view kSasHomePage = "https://www.sas.com";
inline constexpr std::string_view kSpssHomePage = "https://www.ibm.com/spss";

// Sets the syntax strings of settings.code_type. SPSS cannot use the one-statement
// layouts, so for SPSS a selected "A - long" or "B - components 1" becomes
// "C - components 2". Does not regenerate.
void ApplyCodeTypeSyntax(CodeExportSettings& settings);

}  // namespace kdk
