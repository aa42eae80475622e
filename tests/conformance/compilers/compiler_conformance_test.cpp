// Seeded networks with hostile names in every code type and layout: C, Java and Fortran 90
// compiled and run; every text keeps its language's rules, and model text stays in comments.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

#include "core/common/text_utils.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/program_names.h"
#include "core/export/code/smart_names.h"
#include "core/export/generation_stamp.h"
#include "core/lang/language_rules.h"
#include "core/lang/text_checker.h"
#include "core/workspace.h"
#include "fakes/fake_ports.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk::conformance {
namespace {

constexpr std::pair<int, char> kLayouts[] = {
    {kFormatA, 'A'}, {kFormatB, 'B'}, {kFormatC, 'C'}, {kFormatD, 'D'}};

struct Generated {
  std::string text;
  CodePlan plan;
  std::vector<testing::RecordedMessage> messages;
  std::string label;
};

Generated Generate(const ConformanceCase& item, CodeType type, int format,
                   const std::string& program_name) {
  Workspace workspace;
  workspace.network = item.model;
  workspace.state.model_path = "/models/" + item.name + " */ PWN-ED\r\n.kwf";
  workspace.state.network_loaded = true;
  testing::RecordingMessagePort messages;
  testing::FixedClock clock;
  CodeExportSettings settings;
  ResetNames(settings, item.model);
  settings.output_field_name = item.output_field_name;
  settings.equation_format = format;
  settings.code_type = type;
  settings.controls.smart_field_names = item.smart_names;
  settings.controls.java_class = program_name;
  settings.controls.fortran_program = program_name;
  settings.controls.equation = {"# ", "# {", "# }", ";", "", "var ", ""};
  Generated out;
  out.text = GenerateCode(settings, workspace.network, MakeGenerationStamp(workspace.state, clock),
                          messages, out.plan);
  out.messages = messages.messages;
  out.label = item.name + " " + std::string(ProfileOf(type).list_name) + " layout " +
              std::to_string(settings.equation_format);
  return out;
}

// Single precision: every constant, input and partial sum is rounded to 24 bits,
// so the error is a few units of 2^-24 times the magnitudes summed on the way.
double SingleTolerance(const NetworkModel& model, const std::vector<double>& x, double want) {
  const int inputs = model.InputCount();
  double weighted = 0;
  for (int k = 0; k < model.HiddenSlots(); ++k) {
    double terms = 1 + std::fabs(model.wih[inputs][k]);
    for (int i = 0; i < inputs; ++i) {
      const double w = model.wih[i][k], span = model.max_norm[i] - model.min_norm[i];
      terms += std::fabs(2 * w / span * x[i]) + std::fabs((2 * model.min_norm[i] / span + 1) * w);
    }
    weighted += std::fabs(model.who[k]) * terms;
  }
  const double range = std::fabs(model.max_norm_out - model.min_norm_out);
  const double epsilon = std::ldexp(1.0, -24);
  return epsilon * ((inputs + 4) * weighted * range / 2 + 4 * std::fabs(want) +
                    4 * std::fabs(model.min_norm_out));
}

// gfortran refuses a REAL literal past the largest single-precision number.
void ExpectPastSinglePrecisionRefused(const Generated& code) {
  EXPECT_TRUE(code.text.empty()) << code.label;
  ASSERT_EQ(code.messages.size(), 1u) << code.label;
  EXPECT_TRUE(code.messages[0].text.ends_with(
      " is past the largest single-precision number (3.40282346638529E+38)."))
      << code.messages[0].text;
}

class CompilerConformance : public ::testing::Test {
 protected:
  static const std::vector<ConformanceCase>& Cases() {
    static const auto cases = ConformanceCases(ConformanceSeed(), 14, 4);
    return cases;
  }
  // The sources go to the scratch folder; the programs run in an empty one, which must
  // stay empty (model text did not become code).
  CompilerConformance() { std::filesystem::create_directory(run_); }
  void TearDown() override { EXPECT_TRUE(std::filesystem::is_empty(run_)) << "a file created"; }
  std::string In(const std::filesystem::path& folder) { return "cd " + Quoted(folder) + " && "; }
  void CompileAndRun(CodeType type, const std::string& extension, const std::string& compile);
  ScratchFolder scratch_;
  const std::filesystem::path folder_ = scratch_.path(), run_ = folder_ / "run";
};

// Calls the generated main, then reads one input vector, computes and prints.
std::string CHarness(const std::string& program, const Generated& code) {
  std::string text = "#include <stdio.h>\n#define main kdk_generated_main\n#include \"" + program +
                     "\"\n#undef main\nint main(void) {\n  kdk_generated_main();\n";
  for (const std::string& name : code.plan.names.inputs) {
    text += "  if (scanf(\"%lf\", &" + name + ") != 1) return 1;\n";
  }
  return text + "  calcNet();\n  printf(\"\\n%.17g\\n\", " + code.plan.names.output + ");\n}\n";
}

// Every case in every layout compiled (`compile` with the stem gives the command line)
// and run once per input vector, the last number printed compared with the prediction.
void CompilerConformance::CompileAndRun(CodeType type, const std::string& extension,
                                        const std::string& compile) {
  std::string commands;
  std::vector<std::pair<const ConformanceCase*, std::string>> programs;
  for (const ConformanceCase& item : Cases()) {
    for (size_t v = 0; v < item.inputs.size(); ++v) {
      std::string lines;
      for (double value : item.inputs[v]) lines += ExactText(value) + "\n";
      WriteText(folder_ / (item.name + "_" + std::to_string(v) + ".txt"), lines);
    }
    for (auto [format, letter] : kLayouts) {
      const std::string stem = item.name + "_" + letter;
      const Generated code = Generate(item, type, format, "P_" + stem);
      if (type == CodeType::F90 && item.past_single_precision) {
        ExpectPastSinglePrecisionRefused(code);
        continue;
      }
      ASSERT_FALSE(code.text.empty()) << code.label;
      WriteText(folder_ / (stem + "." + extension), code.text);
      if (type == CodeType::C)
        WriteText(folder_ / (stem + "_harness.c"), CHarness(stem + ".c", code));
      commands += ReplaceAll(compile, "STEM", stem) + " > " + stem + ".log 2>&1\n";
      programs.emplace_back(&item, stem);
    }
  }
  WriteText(folder_ / "commands.txt", commands);
  std::string output;
  RunCommand(In(folder_) + "xargs -P 2 -d '\\n' -n 1 sh -c < commands.txt", "", output);
  for (const auto& [item, stem] : programs) {
    for (size_t v = 0; v < item->inputs.size(); ++v) {
      ASSERT_TRUE(std::filesystem::exists(folder_ / stem))
          << (RunCommand("cat " + Quoted(folder_ / (stem + ".log")), "", output), output);
      const std::string input = folder_ / (item->name + "_" + std::to_string(v) + ".txt");
      ASSERT_EQ(RunCommand(In(run_) + Quoted(folder_ / stem), input, output), 0) << output;
      const size_t last = output.find_last_not_of(" \r\n");
      const size_t start = output.find_last_of(" \n", last);
      const double got = std::stod(output.substr(start + 1, last - start));
      const double want = Predicted(item->model, item->inputs[v]).prediction;
      if (type == CodeType::F90) {
        EXPECT_NEAR(got, want, SingleTolerance(item->model, item->inputs[v], want)) << stem;
      } else {
        EXPECT_TRUE(NearPrediction(item->model, got, want)) << stem << ": " << got << ", " << want;
      }
    }
  }
}

TEST_F(CompilerConformance, GeneratedCCompilesWithWarningsOnAndComputesThePrediction) {
  CompileAndRun(CodeType::C, "c",
                "gcc -Wall -Werror=implicit-function-declaration -O0 -o STEM STEM_harness.c -lm");
}

TEST_F(CompilerConformance, GeneratedFortranCompilesAndComputesThePredictionInSinglePrecision) {
  CompileAndRun(CodeType::F90, "f90", "gfortran -o STEM STEM.f90");
}

TEST_F(CompilerConformance, GeneratedJavaCompilesAndComputesThePrediction) {
  std::string runs, calls;
  std::vector<std::pair<const ConformanceCase*, std::string>> order;
  for (const ConformanceCase& item : Cases()) {
    for (auto [format, letter] : kLayouts) {
      const std::string stem = "N" + item.name + "_" + letter;
      const Generated code = Generate(item, CodeType::Java, format, stem);
      ASSERT_FALSE(code.text.empty()) << code.label;
      ASSERT_EQ(code.plan.names.program, stem);
      WriteText(folder_ / (stem + ".java"), code.text);
      // One method per program keeps the harness inside the method size limit too.
      runs += "  static void run_" + stem + "(String[] args) {\n    " + stem + ".main(args);\n";
      for (const auto& x : item.inputs) {
        for (size_t i = 0; i < x.size(); ++i) {
          runs += "    " + stem + "." + code.plan.names.inputs[i] + " = " + ExactText(x[i]) + ";\n";
        }
        runs += "    " + stem + ".calcNet();\n    System.out.println(\"\\nKDK \" + " + stem + "." +
                code.plan.names.output + ");\n";
      }
      runs += "  }\n";
      calls += "    run_" + stem + "(args);\n";
      order.emplace_back(&item, stem);
    }
  }
  WriteText(folder_ / "Harness.java", "public class Harness {\n" + runs +
                                          "  public static void main(String[] args) {\n" + calls +
                                          "  }\n}\n");
  std::string output;
  ASSERT_EQ(RunCommand(In(folder_) + "javac *.java", "", output), 0) << output;
  ASSERT_EQ(RunCommand(In(run_) + "java -cp " + Quoted(folder_) + " Harness", "", output), 0)
      << output;
  std::istringstream lines(output);
  for (const auto& [item, stem] : order) {
    for (const auto& x : item->inputs) {
      std::string line;
      while (std::getline(lines, line) && !line.starts_with("KDK ")) continue;
      ASSERT_TRUE(lines) << output;
      const double got = std::stod(line.substr(4)), want = Predicted(item->model, x).prediction;
      EXPECT_TRUE(NearPrediction(item->model, got, want)) << stem << ": " << got << ", " << want;
    }
  }
}

// Whether position `at` of the text lies inside a comment (or a string) of the
// code type: "/* */" blocks for C, Java and SAS; whole comment lines otherwise.
bool InsideComment(CodeType type, const std::string& text, size_t at) {
  const size_t line_start = text.rfind('\n', at) + 1;  // 0 on the first line
  const std::string_view before(text.data() + line_start, at - line_start);
  if (std::count(before.begin(), before.end(), '"') % 2 == 1) return true;  // in a string
  if (type == CodeType::C || type == CodeType::Java || type == CodeType::Sas) {
    const size_t open = text.rfind("/*", at), close = text.rfind("*/", at);
    return open != std::string::npos && (close == std::string::npos || close < open);
  }
  const std::string_view lead =
      before.substr(std::min(before.size(), before.find_first_not_of(" \t")));
  return lead.starts_with(type == CodeType::Vb     ? "'"
                          : type == CodeType::F90  ? "!"
                          : type == CodeType::Spss ? "/*"
                                                   : "#");
}

TEST_F(CompilerConformance, EveryTextKeepsItsLanguageRulesAndModelTextInComments) {
  for (const ConformanceCase& item : Cases()) {
    for (const CodeTypeProfile& row : CodeTypeTable()) {
      const lang::LanguageRules& rules = RulesOf(row.type);
      for (auto [format, letter] : kLayouts) {
        const Generated code = Generate(item, row.type, format, "Kestrium");
        if (row.type == CodeType::F90 && item.past_single_precision) {
          ExpectPastSinglePrecisionRefused(code);
          continue;
        }
        if (code.text.empty()) {  // only Visual Basic may refuse a statement too long
          ASSERT_EQ(row.type, CodeType::Vb) << code.label;
          continue;
        }
        if (row.type != CodeType::F90) {  // gfortran takes long comment lines
          const auto problems = lang::CheckLineRules(rules, code.text);
          EXPECT_TRUE(problems.empty())
              << code.label << ": line " << problems[0].line << ": " << problems[0].what;
        }
        std::set<std::string> keys;
        std::vector<std::string> declared = code.plan.names.inputs;
        declared.push_back(code.plan.names.output);
        for (const std::string& temp : code.plan.temporaries) {
          if (!temp.empty()) declared.push_back(temp);
        }
        for (const std::string& name : declared) {
          EXPECT_TRUE(row.type == CodeType::Equation ? lang::IsIdentifierSyntax(rules, name)
                                                     : lang::IsUsableName(rules, name))
              << code.label << ": \"" << name << "\"";
          EXPECT_TRUE(keys.insert(rules.case_sensitive ? name : ToUpperAscii(name)).second)
              << code.label << ": \"" << name << "\" twice";
        }
        // The Equation type is the user's own syntax: without smart names its names
        // are the model's text as it is.
        if (row.type == CodeType::Equation && !item.smart_names) continue;
        for (size_t at = code.text.find(kInjectedMark); at != std::string::npos;
             at = code.text.find(kInjectedMark, at + 1)) {
          EXPECT_TRUE(InsideComment(row.type, code.text, at))
              << code.label << ": model text outside a comment at " << at;
        }
      }
    }
  }
}

}  // namespace
}  // namespace kdk::conformance
