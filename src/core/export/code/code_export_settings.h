#pragma once

#include <string>
#include <vector>

namespace kdk {

// The "Code Format" list, in its order.
enum class CodeType { Equation = 0, Sas = 1, Vb = 2, C = 3, F90 = 4, Java = 5, Spss = 6 };
inline constexpr int kCodeTypeCount = 7;

// The "Equation Format" buttons; the numbers are the buttons' indexes.
inline constexpr int kFormatB = 0;  // "B - components 1"
inline constexpr int kFormatA = 1;  // "A - long"
inline constexpr int kFormatC = 2;  // "C - components 2"
inline constexpr int kFormatD = 3;  // "D - components 3"

// tanhMode: how a hidden neuron's tanh is written.
inline constexpr int kTanhExponential = 0;
inline constexpr int kTanhCall = 1;

// The seven "Equation Options" boxes: the user's own syntax for the Equation type.
struct EquationSyntaxBoxes {
  std::string comment_line;
  std::string comment_block_start;
  std::string comment_block_end;
  std::string line_termination;
  std::string line_continuation;
  std::string pre_variable_definition;
  std::string post_variable_definition;
};

// The window's tick boxes and option texts that the generated text depends on, with
// the window's start values.
struct CodeExportControls {
  bool smart_field_names = true;
  bool include_description = true;
  bool include_header = true;
  bool include_limits = true;
  bool include_tanh = true;
  bool sas_include_var_list = true;
  bool spss_remove_fields = true;
  bool spss_8char_warning = true;
  bool spss_include_var_list = true;
  EquationSyntaxBoxes equation;
  std::string java_class = "Kestrium";
  std::string fortran_program = "Kestrium";
};

// The code export window's settings record: the user's choices only. The syntax of
// the chosen type and what a generation decides go to its CodePlan.
struct CodeExportSettings {
  std::string output_field_name;
  std::string sas_source_data;
  std::string sas_new_data;
  bool suppress_regenerate = false;
  bool append_to_source = false;
  int equation_format = kFormatA;
  CodeType code_type = CodeType::Equation;
  int equation_tanh_mode = kTanhCall;
  std::string root_name;
  std::string spss_data_file;
  CodeExportControls controls;
};

}  // namespace kdk
