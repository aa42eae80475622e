// Where the layouts' text would not compile or would compute another value, the
// least change that makes it right; elsewhere the text as the layouts write it. The
// compilers' suite runs C, Java and Fortran: here what it cannot see.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/lang/language_rules.h"
#include "core/lang/text_checker.h"
#include "core/network/network_numbers.h"
#include "core/test_models.h"

namespace kdk {
namespace {

using testing::CodeTestNetwork;
using testing::SettingsFor;

constexpr CodeType kAllTypes[] = {CodeType::Equation, CodeType::Sas,  CodeType::Vb,  CodeType::C,
                                  CodeType::F90,      CodeType::Java, CodeType::Spss};

using CodeAdaptationsTest = testing::CodeTest;

// The clean-up applied while writing gives what the layouts' text cleaned up gives,
// for every code type and layout, on networks with negative offsets and biases,
// zero weights and empty neurons.
TEST_F(CodeAdaptationsTest, CleanUpWhileWritingEqualsTheCleanUpOfTheLayoutText) {
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
}

TEST_F(CodeAdaptationsTest, NoHiddenNeuronsAndAZeroOutputBiasWriteAZeroSum) {
  model_.hidden_type = {NeuronType::Bias};
  model_.wih = {{0}, {0}, {0}};
  model_.who = {0};
  EXPECT_TRUE(Has(Code(SettingsFor(CodeType::Java)), "Kestrium_price = ((((0.0)/2) + 0.5) * 10);"));
}

// PSPP refuses an expression that starts with "+", and its Exp overflows to
// system-missing past about 709 where the network's tanh is 1 or -1.
TEST_F(CodeAdaptationsTest, SpssGetsNoUnaryPlusAndClipsTheSumBeforeItsExponentialTanh) {
  const std::string d = Code(SettingsFor(CodeType::Spss, kFormatD));
  EXPECT_TRUE(Has(d, "COMPUTE Var3 = 0 + 0.75 ."));
  EXPECT_FALSE(Has(d, "=  +"));
  EXPECT_TRUE(Has(Code(SettingsFor(CodeType::Sas, kFormatD)), "Var3 =  + 0.75;"));
  for (int format : {kFormatC, kFormatD}) {
    EXPECT_TRUE(Has(Code(SettingsFor(CodeType::Spss, format)),
                    "IF (Var1 > 20) Var1 = 20 .\r\nIF (Var1 < -20) Var1 = -20 .\r\n"
                    "COMPUTE Var1 = 1.5 * (Exp(Var1)"));
  }
}

TEST_F(CodeAdaptationsTest, WholeNumbersPastTheIntegerRangeAreRealsInJava) {
  model_.max_norm_out = 5e9;
  EXPECT_TRUE(Has(Code(SettingsFor(CodeType::Java)), "* 5000000000.0);"));
}

// Names a language refuses or that collide are renamed and listed (the compilers'
// suite builds such names); an input named like an intermediate variable:
TEST_F(CodeAdaptationsTest, AnInputNamedLikeAnIntermediateVariable) {
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
}

TEST_F(CodeAdaptationsTest, LongStatementsFitTheirLanguage) {
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
}

TEST_F(CodeAdaptationsTest, JavaRefusesANetworkPastTheConstantsOfOneClass) {
  model_ = testing::WideNetwork(150, 120, 0, 0.5);
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

// A weight whose folded coefficient is writable but whose offset is not: the input's
// range is narrow far from 0.
TEST(NetworkNumbers, AnOffsetPastTheLargestNumberIsRefused) {
  NetworkModel model = CodeTestNetwork();
  model.min_norm[0] = 1e300;
  model.max_norm[0] = 1.0000001e300;
  model.min_seen[0] = model.max_seen[0] = 1e300;
  model.wih[0][0] = 1e302;
  EXPECT_LT(std::fabs(FoldedCoefficient(1e302, model.max_norm[0], model.min_norm[0])), 1e10);
  EXPECT_EQ(NetworkNumberProblem(model).rfind(
                "The input 2nd input cannot be scaled: its weight to hidden neuron 1 (1E+302)", 0),
            0u);
}

}  // namespace
}  // namespace kdk
