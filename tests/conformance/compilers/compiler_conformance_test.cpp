// The generated C, Java and Fortran 90 of every layout, compiled with the real
// compilers and run on many input vectors, must give the engine's prediction.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

#include "conformance_networks.h"
#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/smart_names.h"
#include "core/mars/generated_file.h"
#include "core/network/evaluate_network.h"
#include "fakes/fake_ports.h"
#include "toolchain_runner.h"

namespace kdk::conformance {
namespace {

constexpr int kVectorsPerCase = 12;
constexpr std::pair<int, char> kLayouts[] = {
    {kFormatA, 'A'}, {kFormatB, 'B'}, {kFormatC, 'C'}, {kFormatD, 'D'}};

std::string Exact(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

std::vector<std::string> CleanedInputNames(const NetworkModel& model) {
  std::vector<std::string> names;
  for (const std::string& name : model.input_names) names.push_back(SmartName(name, true));
  return names;
}

std::string OutputVariable(const NetworkModel& model) {
  return SmartName("Kestrium_" + model.output_name, true);
}

// Generates the code as the window would after activation and writes it as Save
// does; returns the path written.
std::filesystem::path WriteProgram(const ConformanceCase& item, CodeType type, int format,
                                   const std::string& program_name,
                                   const std::filesystem::path& file) {
  Workspace workspace;
  workspace.network = item.model;
  workspace.state.model_path = "/models/" + item.name + ".kwf";
  workspace.state.network_loaded = true;
  testing::RecordingMessagePort messages;
  testing::FixedClock clock;
  CodeExportSettings settings;
  ResetNames(settings, item.model);
  settings.equation_format = format;
  settings.code_type = type;
  settings.controls.java_class = program_name;
  settings.controls.fortran_program = program_name;
  ApplyCodeTypeSyntax(settings);
  const std::string text = GenerateCode(settings, workspace, clock, messages);
  if (text.empty() || !WriteGeneratedFile(
                          file.string(), text, [](const std::string&) {}, messages)) {
    ADD_FAILURE() << item.name << " " << format << ": nothing generated";
  }
  return file;
}

double Expected(const NetworkModel& model, const std::vector<double>& inputs) {
  NetworkPrediction result;
  std::string error;
  EXPECT_TRUE(EvaluateNetwork(model, inputs, result, error)) << error;
  return result.prediction;
}

// Double precision: the constants carry 15 significant digits, so the programs
// agree with the engine to about 1e-14 of the output's scale.
double DoubleTolerance(const NetworkModel& model, double want) {
  return 1e-12 * std::max(std::fabs(want), std::fabs(model.max_norm_out - model.min_norm_out));
}

// Single precision: every constant, input and partial sum is rounded to 24 bits,
// so the error is a few units of 2^-24 times the magnitudes summed on the way.
double SingleTolerance(const NetworkModel& model, const std::vector<double>& x, double want) {
  const int inputs = model.InputCount();
  double weighted = 0;
  for (int k = 0; k < model.HiddenSlots(); ++k) {
    double terms = 1;
    for (int i = 0; i <= inputs; ++i) {
      const double w = model.wih[i][k];
      if (i == inputs) {
        terms += std::fabs(w);
        continue;
      }
      const double span = model.max_norm[i] - model.min_norm[i];
      terms += std::fabs(2 * w / span * x[i]) + std::fabs((2 * model.min_norm[i] / span + 1) * w);
    }
    weighted += std::fabs(model.who[k]) * terms;
  }
  const double range = std::fabs(model.max_norm_out - model.min_norm_out);
  const double epsilon = std::ldexp(1.0, -24);
  return epsilon * ((inputs + 4) * weighted * range / 2 + 4 * std::fabs(want) +
                    4 * std::fabs(model.min_norm_out));
}

class CompilerConformance : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { cases_ = new std::vector(ConformanceCases(kVectorsPerCase)); }
  static void TearDownTestSuite() {
    delete cases_;
    cases_ = nullptr;
  }
  static std::vector<ConformanceCase>* cases_;
  ScratchFolder scratch_;
  int compared_ = 0;
};
std::vector<ConformanceCase>* CompilerConformance::cases_ = nullptr;

std::string CHarness(const std::string& program, const ConformanceCase& item) {
  std::string text = "#include <stdio.h>\n#define main kdk_generated_main\n#include \"" + program +
                     "\"\n#undef main\nint main(void) {\n  for (;;) {\n";
  for (const std::string& name : CleanedInputNames(item.model)) {
    text += "    if (scanf(\"%lf\", &" + name + ") != 1) return 0;\n";
  }
  text += "    calcNet();\n    printf(\"%.17g\\n\", " + OutputVariable(item.model) + ");\n  }\n}\n";
  return text;
}

TEST_F(CompilerConformance, GeneratedCComputesThePrediction) {
  const auto& folder = scratch_.path();
  for (const ConformanceCase& item : *cases_) {
    std::string vectors;
    for (const auto& x : item.inputs) {
      for (double v : x) vectors += Exact(v) + " ";
      vectors += "\n";
    }
    WriteText(folder / (item.name + "_inputs.txt"), vectors);
    for (auto [format, letter] : kLayouts) {
      const std::string stem = item.name + "_" + letter;
      WriteProgram(item, CodeType::C, format, "", folder / (stem + ".c"));
      WriteText(folder / (stem + "_harness.c"), CHarness(stem + ".c", item));
      std::string output;
      const std::string exe = (folder / stem).string();
      ASSERT_EQ(RunCommand("gcc -w -O0 -o " + Quoted(exe) + " " +
                               Quoted((folder / (stem + "_harness.c")).string()) + " -lm",
                           "", output),
                0)
          << stem << "\n"
          << output;
      ASSERT_EQ(RunCommand(Quoted(exe), (folder / (item.name + "_inputs.txt")).string(), output),
                0);
      std::istringstream results(output);
      for (const auto& x : item.inputs) {
        double got = 0;
        ASSERT_TRUE(results >> got) << stem << ": " << output;
        const double want = Expected(item.model, x);
        EXPECT_NEAR(got, want, DoubleTolerance(item.model, want)) << stem;
        ++compared_;
      }
    }
  }
  std::printf("C: %zu networks x 4 layouts x %d vectors = %d comparisons\n", cases_->size(),
              kVectorsPerCase, compared_);
}

TEST_F(CompilerConformance, GeneratedJavaComputesThePrediction) {
  const auto& folder = scratch_.path();
  std::string harness = "public class Harness {\n  public static void main(String[] args) {\n";
  std::vector<std::string> order;
  for (const ConformanceCase& item : *cases_) {
    for (auto [format, letter] : kLayouts) {
      const std::string class_name = "Net_" + item.name + "_" + letter;
      WriteProgram(item, CodeType::Java, format, class_name, folder / (class_name + ".java"));
      for (const auto& x : item.inputs) {
        const std::vector<std::string> names = CleanedInputNames(item.model);
        for (size_t i = 0; i < names.size(); ++i) {
          harness += "    " + class_name + "." + names[i] + " = " + Exact(x[i]) + ";\n";
        }
        harness += "    " + class_name + ".calcNet();\n    System.out.println(" + class_name + "." +
                   OutputVariable(item.model) + ");\n";
      }
    }
  }
  harness += "  }\n}\n";
  WriteText(folder / "Harness.java", harness);
  std::string output;
  ASSERT_EQ(RunCommand("cd " + Quoted(folder.string()) + " && javac -nowarn -J-Xss16m *.java", "",
                       output),
            0)
      << output;
  ASSERT_EQ(RunCommand("cd " + Quoted(folder.string()) + " && java -cp . Harness", "", output), 0)
      << output;
  std::istringstream results(output);
  for (const ConformanceCase& item : *cases_) {
    for (auto [format, letter] : kLayouts) {
      for (const auto& x : item.inputs) {
        std::string word;
        ASSERT_TRUE(results >> word) << output;
        const double got = std::stod(word);
        const double want = Expected(item.model, x);
        EXPECT_NEAR(got, want, DoubleTolerance(item.model, want)) << item.name << " " << letter;
        ++compared_;
      }
    }
  }
  std::printf("Java: %zu networks x 4 layouts x %d vectors = %d comparisons\n", cases_->size(),
              kVectorsPerCase, compared_);
}

TEST_F(CompilerConformance, GeneratedFortranComputesThePredictionInSinglePrecision) {
  const auto& folder = scratch_.path();
  for (const ConformanceCase& item : *cases_) {
    for (size_t v = 0; v < item.inputs.size(); ++v) {
      std::string lines;
      for (double value : item.inputs[v]) lines += Exact(value) + "\n";
      WriteText(folder / (item.name + "_" + std::to_string(v) + ".txt"), lines);
    }
    for (auto [format, letter] : kLayouts) {
      const std::string stem = item.name + "_" + letter;
      WriteProgram(item, CodeType::F90, format, "P_" + stem, folder / (stem + ".f90"));
      std::string output;
      const std::string exe = (folder / stem).string();
      // Layout D's sums of 40 names outgrow the standard 132-character line.
      ASSERT_EQ(RunCommand("gfortran -w -ffree-line-length-none -o " + Quoted(exe) + " " +
                               Quoted((folder / (stem + ".f90")).string()),
                           "", output),
                0)
          << stem << "\n"
          << output;
      for (size_t v = 0; v < item.inputs.size(); ++v) {
        const std::string input =
            (folder / (item.name + "_" + std::to_string(v) + ".txt")).string();
        ASSERT_EQ(RunCommand(Quoted(exe), input, output), 0) << output;
        const size_t last = output.find_last_not_of(" \r\n");
        const size_t start = output.find_last_of(" \n", last);
        const double got = std::stod(output.substr(start + 1, last - start));
        const double want = Expected(item.model, item.inputs[v]);
        EXPECT_NEAR(got, want, SingleTolerance(item.model, item.inputs[v], want)) << stem;
        ++compared_;
      }
    }
  }
  std::printf("Fortran: %zu networks x 4 layouts x %d vectors = %d comparisons\n", cases_->size(),
              kVectorsPerCase, compared_);
}

}  // namespace
}  // namespace kdk::conformance
