#include "core/mars/mars_evaluator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/test_models.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;

// The score suite computes seeded models with missing values under the evaluator's rule,
// worked out independently; here the texts it refuses and its limits.
using testing::ParseOk;
using Inputs = std::vector<std::optional<double>>;

TEST(MarsEvaluator, UnreadableDefinitionsAreClearErrors) {
  struct Bad {
    const char* bf2;
    const char* expected;
  };
  // Whatever the evaluator refuses no converter writes, and the other way round.
  const Bad cases[] = {
      {"BF2 = max(0, X - 1) * BF3;", "'BF3' is neither an input nor an earlier basis function"},
      {"BF2 = max(0, X - 1) * BF2;", "'BF2' is neither an input nor an earlier basis function"},
      {"BF2 = max(0, X - 1;", "expected ')' but found the end"},
      {"BF2 = ( 3 > .);", "a test against '.' needs an input variable on its left"},
      {"BF2 = X ? 1;", "unexpected character '?'"},
      {"BF2 = max(0, X - 1) * 1; DROP TABLE secrets; SELECT 1;", "unexpected character ';'"},
      {"BF2 = foo(0, X-1);", "'foo' is neither an input nor an earlier basis function"},
      {"BF2 = max(0, X - 1) / 2;", "it is not a hinge max(0, ...)"},
      {"BF2 = min(X, .5);", "it is not a hinge max(0, ...)"},
      {"BF2 = X;", "it is not a hinge max(0, ...)"},
      {"BF2 = BF1 * max(0, X - 1);", "may only multiply by earlier basis functions"},
      {"BF2 = max(0, X - 1) * max(0, X - 2);", "may only multiply by earlier basis functions"},
      {"BF2 = max(0, X - 1) * X;", "may only multiply by earlier basis functions"},
      {"BF2 = max(0, (X - 1));", "the inside of its hinge must be written without brackets"},
      {"BF2 = (X >= 1 AND X <= 2);", "it is not a hinge max(0, ...)"},
      {"BF2 = max(0, X - 1)", "it does not end with ';'"},
      {"BF1 = max(0, 1 - X);", "another basis function has the same name"},
      // Numbers are written as they stand: one no program reads as a double is refused.
      {"BF2 = max(0, X - 1.8E308);",
       "'1.8E308' is past the largest number (1.79769313486231E+308)"},
      {"BF2 = max(0, 1E-400 - X);", "'1E-400' is too small to be told from 0"},
  };
  for (const Bad& bad : cases) {
    testing::RecordingMessagePort messages;
    MarsModel model =
        testing::ParseText(testing::MarsText(std::string("BF1 = max(0, X - 1);\r\n") + bad.bf2 +
                                             "\r\nBF3 = max(0, 1 - X);\r\n"),
                           messages);
    model.input_names = {"X"};
    model.is_categorical = {false};
    MarsEvaluator evaluator;
    std::string error;
    EXPECT_FALSE(evaluator.Compile(model, error)) << bad.bf2;
    EXPECT_THAT(error, HasSubstr("Basis function 2 (")) << error;
    EXPECT_THAT(error, HasSubstr(bad.expected)) << error;
  }
  const std::pair<const char*, const char*> equations[] = {
      {"Y = ", "the expression ends too early"},
      {"Y = 1 + BF1 / 2", "it may only add, subtract and multiply"},
      {"Y = 1 + X", "it uses the input X"},
      {"Y = 1 + BF9", "'BF9' is neither an input nor an earlier basis function"},
  };
  for (const auto& [equation, expected] : equations) {
    MarsModel model = ParseOk(testing::kWorkedExample);
    model.equation = equation;
    model.input_names = {"X1", "X2", "X3", "X"};
    std::string error;
    EXPECT_FALSE(MarsEvaluator().Compile(model, error)) << equation;
    EXPECT_EQ(error.rfind("The model equation (", 0), 0u) << error;
    EXPECT_THAT(error, HasSubstr(expected)) << error;
  }
}

TEST(MarsEvaluator, WrongInputCountAndDeepNesting) {
  const MarsModel model = ParseOk(testing::kWorkedExample);
  double prediction = 0;
  std::string error;
  const Inputs two = {1.0, 2.0};
  EXPECT_FALSE(EvaluateMars(model, two, prediction, error));
  EXPECT_EQ(error, "The model has 3 inputs but 2 values were given");

  MarsModel deep = model;
  deep.basis_function_defs = {"BF1 = " + std::string(5000, '(') + "X1" + std::string(5000, ')') +
                              ";"};
  deep.basis_function_names = {"BF1"};
  MarsEvaluator evaluator;
  EXPECT_FALSE(evaluator.Compile(deep, error));
  EXPECT_THAT(error, HasSubstr("nested too deeply"));

  // A very long sum is fine: evaluation does not recurse.
  std::string sum = "Y = 0";
  for (int i = 0; i < 100000; ++i) sum += " + BF1";
  deep.basis_function_defs = {"BF1 = max(0, X1 - 0);"};
  deep.equation = sum;
  ASSERT_TRUE(evaluator.Compile(deep, error)) << error;
  const Inputs three = {0.5, 0.0, 0.0};
  EXPECT_DOUBLE_EQ(evaluator.Evaluate(three), 50000.0);
}

}  // namespace
}  // namespace kdk
