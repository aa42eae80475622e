#include "core/export/code/generate_code.h"

#include <gtest/gtest.h>

#include "core/export/code/code_test_network.h"
#include "core/export/code/smart_names.h"
#include "core/export/generation_stamp.h"
#include "core/workspace.h"
#include "fakes/fake_ports.h"

namespace kdk {
namespace {

using testing::CodeTestWorkspace;
using testing::SettingsFor;

class GenerateCodeTest : public ::testing::Test {
 protected:
  std::string Generate(CodeExportSettings& settings) {
    return GenerateCode(settings, workspace_.network, MakeGenerationStamp(workspace_.state, clock_),
                        messages_);
  }
  Workspace workspace_ = CodeTestWorkspace();
  testing::FixedClock clock_;
  testing::RecordingMessagePort messages_;
};

TEST_F(GenerateCodeTest, SpssTurnsOneStatementLayoutsIntoComponents) {
  for (int format : {kFormatA, kFormatB}) {
    CodeExportSettings spss = SettingsFor(CodeType::Spss, format);
    EXPECT_EQ(LayoutFor(CodeType::Spss, format), kFormatC);
    const std::string text = Generate(spss);
    EXPECT_NE(text.find("COMPUTE Var1 = 1.5 * (Exp(Var1) - Exp(-Var1))"), std::string::npos);
    EXPECT_TRUE(text.ends_with("MATCH FILES\r\n /FILE=*\r\n /DROP=\r\n Var1\r\n Var2\r\n Var3 ."));
  }
  EXPECT_EQ(LayoutFor(CodeType::Spss, kFormatD), kFormatD);
  EXPECT_EQ(LayoutFor(CodeType::C, kFormatB), kFormatB);
}

TEST_F(GenerateCodeTest, EquationTypeUsesTheUsersSyntax) {
  CodeExportSettings equation = SettingsFor(CodeType::Equation, kFormatC);
  equation.controls.equation = {"# ", "#{", "#}", ";;", " ~", "let ", " : real"};
  equation.equation_tanh_mode = kTanhExponential;
  equation.controls.include_header = false;
  equation.controls.include_limits = false;
  const std::string text = Generate(equation);
  EXPECT_TRUE(text.starts_with("#{\r\n\r\n# Tanh(x) is the hyperbolic tangent of x"));
  EXPECT_NE(text.find("\r\nlet _2nd_input : real\r\nlet size : real\r\n"), std::string::npos);
  EXPECT_NE(text.find("Var1 = ((_2nd_input * (0.25)) - 0.5) ~\r\n + 0.25;;"), std::string::npos);
  EXPECT_NE(text.find("Var1 = 1.5 * (Exp(Var1) - Exp(-Var1)) / (Exp(Var1) + Exp(-Var1));;"),
            std::string::npos);
}

TEST_F(GenerateCodeTest, UnscalableInputGeneratesNothing) {
  workspace_.network.min_norm[0] = workspace_.network.max_norm[0];
  CodeExportSettings c = SettingsFor(CodeType::C);
  EXPECT_EQ(Generate(c), "");
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_NE(messages_.messages[0].text.find("2nd input"), std::string::npos);
}

// What each type's syntax writes is in tests/golden; the table's names are the user's.
TEST(CodeTypeTableTest, FortranProgramNameAndKdkNames) {
  CodeExportSettings settings;
  settings.code_type = CodeType::F90;
  settings.controls.fortran_program = "Prog 1";
  EXPECT_EQ(CodeNameFor(settings), "Prog 1");
  EXPECT_EQ(CodeTypeFromKdkName("f90"), CodeType::F90);
  EXPECT_FALSE(CodeTypeFromKdkName("F90").has_value());
}

TEST(SmartNameTest, CleansOnlyWhenAsked) {
  EXPECT_EQ(SmartName("2nd input", true), "_2nd_input");
  EXPECT_EQ(SmartName("a.b-c", true), "a_b_c");
  EXPECT_EQ(SmartName("  padded name ", true), "padded_name");
  EXPECT_EQ(SmartName("caf\xe9", true), "caf_");
  EXPECT_EQ(SmartName("", true), "");
  EXPECT_EQ(SmartName(" 2nd input ", false), " 2nd input ");
  EXPECT_EQ(TrimToUnderscores("  out put  "), "out_put");
}

TEST(OutputNameTest, EmptyNameIsRefusedAndResetRestoresIt) {
  testing::RecordingMessagePort messages;
  CodeExportSettings settings;
  settings.output_field_name = "   ";
  EXPECT_FALSE(CheckOutputName(settings, messages));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "Invalid Output Name!");
  settings.output_field_name = " my out ";
  EXPECT_TRUE(CheckOutputName(settings, messages));
  EXPECT_EQ(settings.output_field_name, "my_out");
  NetworkModel model;
  model.output_name = "price";
  settings.root_name = "R";
  ResetNames(settings, model);
  EXPECT_EQ(settings.output_field_name, "Kestrium_price");
  EXPECT_EQ(settings.root_name, "Var");
}

}  // namespace
}  // namespace kdk
