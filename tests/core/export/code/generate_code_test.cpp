#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "core/export/code/generate_code.h"
#include "core/export/code/header_comments.h"
#include "core/export/code/network_expression.h"
#include "core/export/code/program_templates.h"
#include "core/export/code/smart_names.h"
#include "core/lang/language_rules.h"
#include "core/lang/text_checker.h"
#include "core/test_models.h"

namespace kdk {
namespace {

using testing::CodeTestNetwork;
using testing::CrLfLines;
using ::testing::HasSubstr;
using testing::SettingsFor;

struct GenerateCodeTest : testing::CodeTest {
  std::string Block(const CodeExportSettings& settings) {
    return HeaderCommentBlock(settings, model_, PlanCode(settings, model_), testing::kTestStamp);
  }
  std::string Prologue(const CodeExportSettings& settings) {
    return ProgramPrologue(settings, model_, PlanCode(settings, model_), "");
  }
};

TEST_F(GenerateCodeTest, OutputBiasSignMinimumAndLayoutD) {
  model_.who[2] = -0.75;
  CodeExportSettings settings = SettingsFor(CodeType::Sas, kFormatA);
  EXPECT_TRUE(Expression(settings).ends_with(") * (-0.5)\r\n-0.75)/2) + 0.5) * 10);"));
  model_.who[2] = 0;
  EXPECT_TRUE(Expression(settings).ends_with(") * (-0.5))/2) + 0.5) * 10);"));
  // The output minimum is added only when it is not zero.
  model_.who[2] = 0.75;
  settings = SettingsFor(CodeType::Sas, kFormatB);
  EXPECT_TRUE(Expression(settings).ends_with("+ Var3)/2) + 0.5) * 10);"));
  model_.min_norm_out = 2.5;
  EXPECT_TRUE(Expression(settings).ends_with("+ Var3)/2) + 0.5) * 7.5) + 2.5;"));
  model_.min_norm_out = -5;
  model_.max_norm_out = 5;
  EXPECT_TRUE(Expression(settings).ends_with("+ Var3)/2) + 0.5) * 10) - 5;"));
  // Layout D writes every input term as its own variable.
  model_ = CodeTestNetwork();
  settings = SettingsFor(CodeType::Sas, kFormatD);
  EXPECT_EQ(Expression(settings),
            CrLfLines({"", "Var1_1 = ((_2nd_input * (0.25)) - 0.5);", "Var1_3 = 0.25;",
                       "Var2_1 = ((_2nd_input * (-0.5)) + 1);", "Var2_2 = ((size * (2)));",
                       "Var1 = Var1_1 + Var1_3;", "Var2 = Var2_1 + Var2_2;", "Var3 =  + 0.75;",
                       "Var1 = 1.5 * Tanh(Var1);", "Var2 = -0.5 * Var2;", "Var3 = Var3;",
                       "Var = Var1 + Var2 + Var3;", "Kestrium_price = ((((Var)/2) + 0.5) * 10);"}));
  EXPECT_EQ(plan_.temporaries, (std::vector<std::string>{"", "Var1_1", "Var1_3", "Var2_1", "Var2_2",
                                                         "Var1", "Var2", "Var3", "Var"}));
}

TEST_F(GenerateCodeTest, NamesAreCleanedAndVariablesListed) {
  CodeExportSettings settings = SettingsFor(CodeType::Sas, kFormatB);
  settings.root_name = " 9 t.mp ";
  EXPECT_TRUE(Expression(settings).starts_with("\r\n_9_t_mp1 = "));
  EXPECT_EQ(plan_.names.root, "_9_t_mp");
  EXPECT_EQ(plan_.temporaries.back(), "_9_t_mp3");
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
  // The variable lists and their options.
  CodeExportSettings sas = SettingsFor(CodeType::Sas, kFormatB);
  EXPECT_NE(VariableList(sas, Plan(sas)), "");
  sas.controls.sas_include_var_list = false;
  EXPECT_EQ(VariableList(sas, Plan(sas)), "");

  CodeExportSettings spss = SettingsFor(CodeType::Spss, kFormatC);
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
  settings = CodeExportSettings();
  settings.output_field_name = "   ";
  EXPECT_FALSE(CheckOutputName(settings, messages));
  EXPECT_EQ(messages.Texts(), "Invalid Output Name!");
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

TEST_F(GenerateCodeTest, BiasOnlyNetworksWhatCannotBeWrittenAndTheUsersSyntax) {
  model_.hidden_type = {NeuronType::Bias};
  model_.wih = {{0}, {0}, {0}};
  model_.who = {0.25};
  CodeExportSettings settings = SettingsFor(CodeType::Sas, kFormatA);
  EXPECT_EQ(Expression(settings),
            CrLfLines({"", "Kestrium_price = ((((", "+0.25)/2) + 0.5) * 10);"}));
  settings.equation_format = kFormatC;
  EXPECT_EQ(Expression(settings), CrLfLines({"", "Var1 = 0.25;", "Var1 = Var1;",
                                             "Kestrium_price = ((((Var1)/2) + 0.5) * 10);"}));
  // Java writes a zero sum, and whole numbers past the integer range, as reals.
  model_.who = {0};
  EXPECT_TRUE(Has(Code(SettingsFor(CodeType::Java)), "Kestrium_price = ((((0.0)/2) + 0.5) * 10);"));
  model_.max_norm_out = 5e9;
  EXPECT_TRUE(Has(Code(SettingsFor(CodeType::Java)), "* 5000000000.0);"));
  // What cannot be written is reported once and gives no text: an input with an
  // empty range, weights that do not match the inputs, an unknown layout.
  model_ = CodeTestNetwork();
  model_.max_norm[1] = model_.min_norm[1];
  settings = SettingsFor(CodeType::C, kFormatD);
  EXPECT_EQ(Code(settings), "");
  EXPECT_EQ(Expression(settings), "");
  EXPECT_EQ(plan_.temporaries, std::vector<std::string>{""});
  model_ = CodeTestNetwork();
  model_.wih.pop_back();
  EXPECT_EQ(Expression(settings), "");
  model_ = CodeTestNetwork();
  settings.equation_format = 7;
  EXPECT_EQ(Expression(settings), "");
  ASSERT_EQ(messages_.messages.size(), 4u);
  EXPECT_THAT(messages_.messages[0].text, HasSubstr("The input size cannot be scaled"));
  EXPECT_EQ(messages_.messages[1].text, messages_.messages[0].text);
  EXPECT_THAT(messages_.messages[2].text, HasSubstr("incomplete"));
  EXPECT_EQ(messages_.messages[3].text, "error!");
  EXPECT_EQ(messages_.messages[3].icon, MessageIcon::Information);
  // The user's equation syntax.
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
  // PSPP refuses an expression that starts with "+" (the examples' SPSS programs, their
  // layouts and the clipped sums before the exponential tanh are in tests/golden).
  const std::string d = Code(SettingsFor(CodeType::Spss, kFormatD));
  EXPECT_TRUE(Has(d, "COMPUTE Var3 = 0 + 0.75 ."));
  EXPECT_FALSE(Has(d, "=  +"));
  CodeExportSettings spss = SettingsFor(CodeType::Spss, kFormatC);
  spss.controls.spss_remove_fields = false;
  EXPECT_EQ(ProgramEpilogue(spss, Plan(spss)), "\r\n");
}

TEST_F(GenerateCodeTest, HeaderBlockAndNamesWithoutSmartNames) {
  const CodeExportSettings sas = SettingsFor(CodeType::Sas);
  EXPECT_EQ(DescriptionText(PlanCode(sas, model_), model_), "");
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
  // Names unchanged without smart names where the language takes them.
  model_ = CodeTestNetwork();
  CodeExportSettings settings = SettingsFor(CodeType::Equation, kFormatD);
  settings.controls.smart_field_names = false;
  EXPECT_THAT(Expression(settings), HasSubstr("Var1_1 = ((2nd input * (0.25)) - 0.5)"));
  settings = SettingsFor(CodeType::Sas, kFormatD);
  settings.controls.smart_field_names = false;
  EXPECT_THAT(Expression(settings), HasSubstr("Var1_1 = ((_2nd_input * (0.25)) - 0.5);"));
  // A renamed output name is listed after the inputs.
  CodeExportSettings f90 = SettingsFor(CodeType::F90);
  f90.output_field_name = "Kestrium price";
  EXPECT_EQ(RenamedFieldsText(f90, PlanCode(f90, model_)),
            CrLfLines({"!! Warning, the following field names from the original source data "
                       "have been modified:",
                       "!! 2nd input = V_2nd_input", "",
                       "!! Also the suggested output name has been modified:",
                       "!! Kestrium price = Kestrium_price"}));
}

constexpr CodeType kAllTypes[] = {CodeType::Equation, CodeType::Sas,  CodeType::Vb,  CodeType::C,
                                  CodeType::F90,      CodeType::Java, CodeType::Spss};

// On networks with negative offsets and biases, zero weights and empty neurons.
TEST_F(GenerateCodeTest, CleanUpWhileWritingEqualsTheCleanUpOfTheLayoutTextAndItsPieces) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> weight(-2, 2);
  for (int network = 0; network < 6; ++network) {
    NetworkModel model = CodeTestNetwork();
    for (auto& row : model.wih) {
      for (size_t k = 0; k + 1 < row.size(); ++k) row[k] = network % 3 == 0 ? 0 : weight(random);
    }
    for (double& w : model.who) w = network == 4 ? 0 : weight(random);
    model.min_norm_out = network % 2 == 0 ? -3.5 : 0;
    for (CodeType type : kAllTypes) {
      for (int format : {kFormatA, kFormatB, kFormatC, kFormatD}) {
        const CodeExportSettings settings = SettingsFor(type, format);
        CodePlan plan, literal;
        EXPECT_EQ(NetworkExpression(settings, model, plan, messages_),
                  CleanUpExpression(LiteralNetworkExpression(settings, model, literal, messages_)))
            << network << " " << static_cast<int>(type) << " " << format;
        EXPECT_EQ(plan.temporaries, literal.temporaries);
      }
    }
  }
  EXPECT_EQ(TanhExprIn("R1", kTanhCall, "myTanh("), "myTanh(R1)");
  EXPECT_EQ(TanhExprIn("R1", kTanhExponential, "Tanh("),
            "(Exp(R1) - Exp(-R1)) / (Exp(R1) + Exp(-R1))");
  EXPECT_EQ(TanhExprIn("R1", 5, "Tanh("), "");
  EXPECT_EQ(CleanUpExpression("a - -1 + -2 - +3"), "a + 1 - 2 - 3");
  EXPECT_EQ(CleanUpExpression("a\r\n\r\n\r\n\r\nb"), "a\r\nb");
  EXPECT_EQ(CleanUpExpression("a\r\n\r\n\r\n"), "a");
  EXPECT_EQ(CleanUpExpression("a\r\n"), "a");
}

TEST_F(GenerateCodeTest, InputsNamedLikeIntermediatesAndASingleInput) {
  model_.input_names = {"Var1", "size"};
  const std::string text = Code(SettingsFor(CodeType::C, kFormatB));
  EXPECT_TRUE(Has(text, "\r\nVar1 = Var1_1\r\n") && Has(text, "((Var1_1 * (0.25))"));
  // Layout A assigns no Var1: the name stays.
  EXPECT_TRUE(Has(Code(SettingsFor(CodeType::C, kFormatA)), "((Var1 * (0.25))"));
  // SAS and SPSS read the inputs from the data set: the intermediate variables move.
  for (CodeType data_step : {CodeType::Sas, CodeType::Spss}) {
    const std::string step = Code(SettingsFor(data_step, kFormatC));
    EXPECT_TRUE(Has(step, "((Var1 * (0.25))") && Has(step, "Var_1_1 = ") && !Has(step, "Var1_1"));
  }
  // A Fortran program named like an intermediate variable moves the variables' root.
  CodeExportSettings f90 = SettingsFor(CodeType::F90, kFormatC);
  f90.controls.fortran_program = "Var2";
  const std::string program = Code(f90);
  EXPECT_TRUE(Has(program, "Program Var2\r\n"));
  EXPECT_TRUE(Has(program, "\r\nVar_1_2 = ") && !Has(program, "\r\nVar2 = "));
  // One input gives one line of each kind.
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

TEST_F(GenerateCodeTest, LongStatementsFitTheirLanguage) {
  model_ = testing::WideNetwork(60, 30, 0.123456789, -0.987654321);
  // Visual Basic: layout D fits; layout A is refused, naming D.
  const std::string vb = Code(SettingsFor(CodeType::Vb, kFormatD));
  EXPECT_TRUE(lang::CheckLineRules(lang::RulesOf(lang::Language::VisualBasic), vb).empty());
  messages_.messages.clear();
  EXPECT_EQ(Code(SettingsFor(CodeType::Vb, kFormatA)), "");
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_TRUE(Has(messages_.messages[0].text, "\"D - components 3\""));
  // Java: calcNet hands its statements to helper methods.
  const std::string java = Code(SettingsFor(CodeType::Java, kFormatD));
  EXPECT_TRUE(Has(java, "\r\n\tcalcNet1();\r\n\tcalcNet2();\r\n"));
  EXPECT_TRUE(Has(java, "\r\npublic static void calcNet2()\r\n{\r\n"));
  const std::string java_a = Code(SettingsFor(CodeType::Java, kFormatA));
  EXPECT_TRUE(Has(java_a, "\r\npublic static double calcNet2()\r\n{\r\nreturn \r\n+\r\nmyTanh("));
  // The output statement adds every helper's sum.
  size_t helpers = 0;
  for (size_t at = java_a.find("public static double calcNet"); at != std::string::npos;
       at = java_a.find("public static double calcNet", at + 1)) {
    ++helpers;
  }
  std::string calls = "Kestrium_price = ((((calcNet1()";
  for (size_t n = 2; n <= helpers; ++n) calls += " + calcNet" + std::to_string(n) + "()";
  EXPECT_TRUE(Has(java_a, calls + ")/2) + 0.5) * 10);")) << helpers;
  // Java refuses a network past the constants of one class.
  model_ = testing::WideNetwork(150, 120, 0, 0.5);
  messages_.messages.clear();
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> weight(-1, 1);
  for (auto& row : model_.wih) {
    for (size_t k = 0; k + 1 < row.size(); ++k) row[k] = weight(random);
  }
  EXPECT_EQ(Code(SettingsFor(CodeType::Java)), "");
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_TRUE(Has(messages_.messages[0].text, "too large for one Java class"));
  EXPECT_TRUE(Has(messages_.messages[0].text, "such as C."));
  EXPECT_FALSE(Code(SettingsFor(CodeType::C)).empty());
}

}  // namespace
}  // namespace kdk
