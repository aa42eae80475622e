// Whole programs of every type and layout are in tests/golden; here what the examples
// leave at their defaults.
#include "core/export/code/generate_code.h"

#include <gtest/gtest.h>

#include "core/export/code/header_comments.h"
#include "core/export/code/program_templates.h"
#include "core/export/code/smart_names.h"
#include "core/test_models.h"

namespace kdk {
namespace {

using testing::CrLfLines;
using testing::SettingsFor;

struct GenerateCodeTest : testing::CodeTest {
  std::string Block(const CodeExportSettings& settings) {
    return HeaderCommentBlock(settings, model_, PlanCode(settings, model_), testing::kTestStamp);
  }
  std::string Prologue(const CodeExportSettings& settings) {
    return ProgramPrologue(settings, model_, PlanCode(settings, model_), "");
  }
};

TEST_F(GenerateCodeTest, SpssTurnsOneStatementLayoutsIntoComponents) {
  for (int format : {kFormatA, kFormatB}) {
    EXPECT_EQ(LayoutFor(CodeType::Spss, format), kFormatC);
    const std::string text = Code(SettingsFor(CodeType::Spss, format));
    EXPECT_TRUE(Has(text, "COMPUTE Var1 = 1.5 * (Exp(Var1) - Exp(-Var1))"));
    EXPECT_TRUE(text.ends_with("MATCH FILES\r\n /FILE=*\r\n /DROP=\r\n Var1\r\n Var2\r\n Var3 ."));
  }
  EXPECT_EQ(LayoutFor(CodeType::Spss, kFormatD), kFormatD);
  EXPECT_EQ(LayoutFor(CodeType::C, kFormatB), kFormatB);
  CodeExportSettings spss = SettingsFor(CodeType::Spss, kFormatC);
  spss.controls.spss_remove_fields = false;
  EXPECT_EQ(ProgramEpilogue(spss, Plan(spss)), "\r\n");
}

TEST_F(GenerateCodeTest, EquationTypeUsesTheUsersSyntax) {
  CodeExportSettings equation = SettingsFor(CodeType::Equation, kFormatC);
  equation.controls.equation = {"# ", "#{", "#}", ";;", " ~", "let ", " : real"};
  equation.equation_tanh_mode = kTanhExponential;
  equation.controls.include_header = false;
  equation.controls.include_limits = false;
  const std::string text = Code(equation);
  EXPECT_TRUE(text.starts_with("#{\r\n\r\n# Tanh(x) is the hyperbolic tangent of x"));
  EXPECT_TRUE(Has(text, "\r\nlet _2nd_input : real\r\nlet size : real\r\n"));
  EXPECT_TRUE(Has(text, "Var1 = ((_2nd_input * (0.25)) - 0.5) ~\r\n + 0.25;;"));
  EXPECT_TRUE(Has(text, "Var1 = 1.5 * (Exp(Var1) - Exp(-Var1)) / (Exp(Var1) + Exp(-Var1));;"));
}

TEST_F(GenerateCodeTest, UnscalableInputGeneratesNothing) {
  model_.min_norm[0] = model_.max_norm[0];
  EXPECT_EQ(Code(SettingsFor(CodeType::C)), "");
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_TRUE(Has(messages_.messages[0].text, "2nd input"));
}

TEST_F(GenerateCodeTest, HeaderBlockOnlyForWhatIsTickedOrRenamed) {
  const CodeExportSettings sas = SettingsFor(CodeType::Sas);
  EXPECT_EQ(DescriptionText(PlanCode(sas, model_), model_), "");
  EXPECT_TRUE(Has(ModelInfoText(PlanCode(sas, model_), model_, testing::kTestStamp),
                  "\r\nmodel created: Fri, Dec 4 2026, 9:15 AM\r\n"));
  CodeExportSettings c = SettingsFor(CodeType::C);
  c.controls.include_description = c.controls.include_header = false;
  c.controls.include_limits = c.controls.include_tanh = false;
  model_.input_names = {"a", "b"};
  EXPECT_EQ(Block(c), "");
  // A renamed field alone still makes a block.
  model_.input_names = {"a b", "b"};
  EXPECT_EQ(Block(c), CrLfLines({"/*", "",
                                 "Warning, the following field names from the original source "
                                 "data have been modified:",
                                 "a b = a_b", "*/", ""}));
  // Without smart names a name C takes is used as it is; one it refuses is still
  // repaired, and listed.
  c.controls.smart_field_names = false;
  model_.input_names = {"a_b", "b"};
  EXPECT_EQ(Block(c), "");
  model_.input_names = {"a b", "b"};
  EXPECT_TRUE(Has(Block(c), "a b = a_b"));
}

TEST_F(GenerateCodeTest, RenamedOutputNameIsListedAfterTheInputs) {
  CodeExportSettings f90 = SettingsFor(CodeType::F90);
  f90.output_field_name = "Kestrium price";
  EXPECT_EQ(RenamedFieldsText(f90, PlanCode(f90, model_)),
            CrLfLines({"!! Warning, the following field names from the original source data "
                       "have been modified:",
                       "!! 2nd input = V_2nd_input", "",
                       "!! Also the suggested output name has been modified:",
                       "!! Kestrium price = Kestrium_price"}));
}

TEST_F(GenerateCodeTest, VariableListsAndTheirOptions) {
  CodeExportSettings sas = SettingsFor(CodeType::Sas, kFormatB);
  EXPECT_NE(VariableList(sas, Plan(sas)), "");
  sas.controls.sas_include_var_list = false;
  EXPECT_EQ(VariableList(sas, Plan(sas)), "");

  CodeExportSettings spss = SettingsFor(CodeType::Spss, kFormatC);
  EXPECT_EQ(VariableList(spss, Plan(spss)),
            CrLfLines({"", "/*V_2nd_input ** MORE THAN 8 CHARACTERS **", "/*size",
                       "/*Kestrium_price ** MORE THAN 8 CHARACTERS **", "/*", "/*Var1", "/*Var2",
                       "/*Var3", "/*"}));
  spss.output_field_name = "abcdefgh";
  EXPECT_TRUE(Has(VariableList(spss, Plan(spss)), "/*abcdefgh\r\n"));
  spss.output_field_name = "abcdefghi";
  EXPECT_TRUE(Has(VariableList(spss, Plan(spss)), "/*abcdefghi ** MORE THAN 8 CHARACTERS **\r\n"));
  spss.controls.spss_8char_warning = false;
  EXPECT_TRUE(Has(VariableList(spss, Plan(spss)), "/*abcdefghi\r\n"));
  spss.controls.spss_include_var_list = false;
  EXPECT_EQ(VariableList(spss, Plan(spss)), "");
  spss.controls.spss_8char_warning = true;
  EXPECT_NE(VariableList(spss, Plan(spss)), "");
}

TEST_F(GenerateCodeTest, ProgramAndClassNamesAreCleaned) {
  CodeExportSettings java = SettingsFor(CodeType::Java);
  java.controls.java_class = "My class";
  EXPECT_TRUE(Has(Prologue(java), "\r\npublic class My_class\r\n"));
  CodeExportSettings f90 = SettingsFor(CodeType::F90);
  f90.controls.fortran_program = "Net-1";
  EXPECT_TRUE(Prologue(f90).starts_with("\r\nProgram Net_1\r\n"));
  EXPECT_TRUE(ProgramEpilogue(f90, Plan(f90)).ends_with("\r\nEND PROGRAM Net_1"));
  f90.controls.fortran_program = "Prog 1";
  EXPECT_EQ(CodeNameFor(f90), "Prog 1");
  EXPECT_EQ(CodeTypeFromKdkName("f90"), CodeType::F90);
  EXPECT_FALSE(CodeTypeFromKdkName("F90").has_value());
}

TEST_F(GenerateCodeTest, OneInputGivesOneLineOfEachKind) {
  model_.input_names = {"x"};
  model_.max_norm = {1};
  model_.min_norm = {0};
  model_.wih = {{1, 0}, {0.5, 0}};
  model_.hidden_type = {NeuronType::NonLinear, NeuronType::Bias};
  model_.who = {1, 0.5};
  const std::string vb = Prologue(SettingsFor(CodeType::Vb));
  EXPECT_EQ(vb.find("InputBox("), vb.rfind("InputBox("));
  const std::string c = Prologue(SettingsFor(CodeType::C));
  EXPECT_TRUE(Has(c, "\tx = 10;\r\n}"));
  EXPECT_EQ(c.find(" = 10;"), c.rfind(" = 10;"));
}

TEST(SmartNameTest, CleansOnlyWhenAskedAndAnEmptyOutputNameIsRefused) {
  const std::pair<std::string, std::string> cases[] = {
      {SmartName("2nd input", true), "_2nd_input"},
      {SmartName("a.b-c", true), "a_b_c"},
      {SmartName("  padded name ", true), "padded_name"},
      {SmartName("caf\xe9", true), "caf_"},
      {SmartName("", true), ""},
      {SmartName(" 2nd input ", false), " 2nd input "},
      {TrimToUnderscores("  out put  "), "out_put"}};
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
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
