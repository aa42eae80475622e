#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/export/code/code_export_settings.h"
#include "core/lang/language_rules.h"

namespace kdk {

struct CodePlan;
struct NetworkModel;

// How statements the language cannot take as written are broken up afterwards.
enum class StatementFit { None, FortranLines, VisualBasicLines, JavaMethods };

// How the variable list is written: as declarations, all inside the comment block
// (SAS), or one comment line a name (SPSS).
enum class VariableListForm { Declarations, InCommentBlock, OnCommentLines };

// The fixed text around the expression. `variables` is the variable list's text.
using PrologueText = std::string(const CodeExportSettings& settings, const NetworkModel& model,
                                 const CodePlan& plan, const std::string& variables);
using EpilogueText = std::string(const CodeExportSettings& settings, const CodePlan& plan);
using PrologueWriter = PrologueText*;
using EpilogueWriter = EpilogueText*;

// Everything one code type fixes: its entry in the list, its language's rules, its
// syntax, its program frame and how its statements are fitted. A syntax field that
// is nullopt is the user's: the Equation type takes it from its boxes.
struct CodeTypeProfile {
  CodeType type;
  std::string_view list_name;  // the entry of the "Code Format" list
  std::string_view kdk_name;   // the --to word of kdk convert
  lang::Language language;

  std::optional<std::string_view> comment_line = std::nullopt;
  std::optional<std::string_view> comment_block_start = std::nullopt;
  std::optional<std::string_view> comment_block_end = std::nullopt;
  std::optional<std::string_view> line_terminator = std::nullopt;
  std::optional<std::string_view> line_continuation = std::nullopt;  // CR LF is appended
  std::optional<std::string_view> var_def_start = std::nullopt;
  std::optional<std::string_view> var_def_end = std::nullopt;  // CR LF is appended
  std::string_view statement_prefix = {};
  std::string_view section_end = "\r\n";
  std::optional<int> tanh_mode = std::nullopt;  // nullopt: the Equation type's own choice
  // How a hidden neuron's tanh is called, and how the header's definition lines name it.
  std::string_view tanh_call = "Tanh(";

  // The Equation type's statements may hold what the layouts' clean-up replaces.
  bool user_syntax = false;
  // SPSS cannot use the one-statement layouts "A - long" and "B - components 1".
  bool one_statement_layouts = true;
  // exp() past its range is missing in SPSS: the exponential tanh is clipped first.
  bool clip_exponential_tanh = false;

  // The program's name (J or F) comes from this box; Java's class name lives apart
  // from its fields, Fortran's program shares their names.
  std::string CodeExportControls::*program_box = nullptr;
  bool program_name_apart = false;

  VariableListForm variable_list = VariableListForm::Declarations;
  bool CodeExportControls::*variable_list_tick = nullptr;  // nullptr: always written
  PrologueWriter prologue = nullptr;
  EpilogueWriter epilogue = nullptr;
  StatementFit fit = StatementFit::None;

  std::string_view file_filter = {};  // the type's own entry of the save filter
  std::string_view code_name = {};    // the proposed file name's suffix ("" with a name box)
};

// The syntax one generation writes: the profile's, with the Equation type's boxes.
struct CodeSyntax {
  std::string comment_line;
  std::string comment_block_start;
  std::string comment_block_end;
  std::string line_terminator;
  std::string line_continuation;  // always ends with CR LF
  std::string var_def_start;
  std::string var_def_end;  // always ends with CR LF
  std::string_view statement_prefix;
  std::string_view section_end;
  int tanh_mode = kTanhCall;
};

// Every code type, in the order of the "Code Format" list.
const std::array<CodeTypeProfile, kCodeTypeCount>& CodeTypeTable();
const CodeTypeProfile& ProfileOf(CodeType type);
const lang::LanguageRules& RulesOf(CodeType type);
std::optional<CodeType> CodeTypeFromKdkName(std::string_view name);

CodeSyntax SyntaxFor(const CodeExportSettings& settings);
// The layout the type writes for the chosen one: SPSS writes "C - components 2" for
// "A - long" and "B - components 1".
int LayoutFor(CodeType type, int equation_format);
// The proposed file name's suffix: the program's name box, or the type's own.
std::string CodeNameFor(const CodeExportSettings& settings);

// The first entry of every save filter; a code type's own entry follows it.
inline constexpr std::string_view kTextFileFilter = "text file (*.txt)|*.txt";
inline constexpr std::string_view kSasHomePage = "https://www.sas.com";
inline constexpr std::string_view kSpssHomePage = "https://www.ibm.com/spss";

}  // namespace kdk
