#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/text_utils.h"
#include "core/mars/basis_function_ops.h"
#include "core/mars/generated_file.h"
#include "core/mars/mars_evaluator.h"
#include "core/mars/mars_text_lines.h"
#include "core/mars/parse_mars_model.h"
#include "core/test_models.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::MarsText;
using testing::ParseOk;
using testing::ParseText;
using testing::RecordingMessagePort;

const char* const kCannotRead = "Cannot Read Data\r\n\r\nAre you using valid MARS functions?";

// Every field of the example is pinned by the golden files' artifacts.
TEST(ParseMarsModel, WrappedLinesLowerCaseBlocksAndTwoLineStatements) {
  MarsModel model = ParseOk(
      "Exported basis functions\r\n\r\nbf1 = max(0, X4 - 1);\r\n  bf2 = max(0, 1 - X4);\r\n"
      "BF7 = max(0, X4 -\r\n3.2) * bf2;\r\n\r\ny = 1 + 2 * bf1\r\n- 3 * BF7;\r\n\r\n"
      "model y = bf1\r\n BF7;\r\nignored trailing line\r\n");
  EXPECT_THAT(model.basis_function_defs,
              ElementsAre("bf1 = max(0, X4 - 1);", "bf2 = max(0, 1 - X4);",
                          "BF7 = max(0, X4 - 3.2) * bf2;"));
  EXPECT_EQ(model.equation, "y = 1 + 2 * bf1 - 3 * BF7");
  // Statement lines join with nothing between.
  EXPECT_EQ(model.model_statement, "model y = bf1BF7");
  EXPECT_EQ(model.model_term_count, 1);
  EXPECT_EQ(model.output_name, "y");
  EXPECT_THAT(model.input_names, ElementsAre("X4"));

  // A statement ending on its first line takes only that line.
  model = ParseOk(
      "BF1 = max(0, A - 1);\r\n\r\nY = 2 * BF1;\r\n\r\nMODEL OUT = BF1  BF1;\r\nBF9 x;\r\n");
  EXPECT_EQ(model.model_statement, "MODEL OUT = BF1  BF1");
  EXPECT_EQ(model.model_term_count, 3);  // two blanks in a row count an empty item
  EXPECT_EQ(model.output_name, "OUT");

  // Inputs in order of first appearance; numbers are never inputs.
  model =
      ParseOk(MarsText("BF1 = max(0, B - 1);\r\nBF2 = max(0, A - 2) * BF1;\r\n"
                       "BF3 = max(0, 1.5E-03 - B);\r\nBF4 = max(0, C + 2.5e+02);\r\n"
                       "BF5 = max(0, .5 - A);\r\n"));
  EXPECT_THAT(model.input_names, ElementsAre("B", "A", "C"));
  EXPECT_THAT(model.is_categorical, ElementsAre(false, false, false));
  for (const char* number : {"2.5", ".5", "5.", "1.5E-03", "-2", "+7e3", "3E+01"}) {
    EXPECT_TRUE(IsNumberText(number)) << number;
  }
  for (const char* word : {"", ".", "E3", "1E", "X1", "1.5E-", "--2", "2..5"}) {
    EXPECT_FALSE(IsNumberText(word)) << word;
  }
  // A name conflict is warned once per definition using it.
  RecordingMessagePort messages;
  model = MarsModel();
  ASSERT_TRUE(ParseMarsText(MarsText("BF1 = max(0, F1 - 2);\r\nBF2 = max(0, X - 1) * BF1;\r\n"
                                     "BF3 = max(0, 1 - X) * BF1;\r\n"),
                            model, messages));
  const std::string warning =
      "Warning - there is a potential conflict with the variable named 'F1' and the basis "
      "function BF1";
  ASSERT_EQ(messages.Texts(), warning + "|" + warning);
  EXPECT_EQ(messages.messages[1].buttons, MessageButtons::Ok);
  EXPECT_EQ(messages.messages[1].icon, MessageIcon::None);
}

TEST(ParseMarsModel, TextsThatAreNotExportsFailAndBasisFunctionsAreTakenApart) {
  const std::pair<std::string, std::string> texts[] = {
      {"Y = 1 + BF1;\r\n\r\nMODEL Y = BF1;\r\n", ""},        // no "BF" line
      {"BF1 = max(0, A - 1);\r\n\r\nY = 1 + 2 * BF1;", ""},  // equation at the very end
      {"BF1 = max(0, A - 1);\r\nBF2 = max(0, 1 - A);", ""},  // block runs off the end
      {"BF1 = max(0, A - 1);\r\n\r\n\r\n", ""},              // nothing after the block
      // A text of the right shape that no converter could write: the reason follows.
      {MarsText("BF1 = max(0, A - 1) / 0;\r\n"),
       "\r\n\r\nBasis function 1 (BF1 = max(0, A - 1) / 0;) cannot be read: it is not a hinge "
       "max(0, ...), a set test ( X = 1 OR X = 2), a missing-value indicator ( X > .) or ( X = "
       ".), nor one of these times earlier basis functions"},
  };
  for (const auto& [text, reason] : texts) {
    RecordingMessagePort messages;
    MarsModel model;
    EXPECT_FALSE(ParseMarsText(text, model, messages)) << text;
    ASSERT_EQ(messages.Texts(), kCannotRead + reason) << text;
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
  }
  // The basis functions' lines, bodies, indicators, semicolons and categorical tests.
  std::vector<std::string> lines;
  EXPECT_FALSE(SplitTextLines("", lines));
  ASSERT_TRUE(SplitTextLines("  a b \r\n\tc\r\n", lines));
  EXPECT_THAT(lines, ElementsAre("a b", "\tc", ""));
  RecordingMessagePort messages;
  EXPECT_EQ(BasisFunctionBody("BF1 =  max(0, X1 - 2.5);  ", messages), "max(0, X1 - 2.5);");
  EXPECT_EQ(BasisFunctionBody("BF1 max(0, X1)", messages), "BF1 max(0, X1)");
  EXPECT_EQ(messages.Texts(),
            "Fatal Error - Invalid Equation\r\nBF1 max(0, X1)\r\nhas no '=' sign.");
  // Rows: definition, not-missing indicator, missing indicator, its variable.
  const std::tuple<const char*, bool, bool, const char*> indicators[] = {
      {"BF4 = ( X3 > .);", true, false, "X3"},
      {"BF4 = ( my_var > . ) * BF1;", true, false, "my_var"},
      {"BF5 = ( X3 = .);", false, true, "X3"},
      {"BF5 = ( X3 = 1);", false, false, ""}};
  for (const auto& [definition, not_missing, missing, variable] : indicators) {
    EXPECT_EQ(IsNotMissingIndicator(definition), not_missing) << definition;
    EXPECT_EQ(IsMissingIndicator(definition), missing) << definition;
    EXPECT_EQ(missing || not_missing ? IndicatorVariable(definition) : "", variable);
  }
  for (const char* text : {"max(0, X1);  ", "max(0, X1)"}) {
    EXPECT_EQ(StripTrailingSemicolon(text), "max(0, X1)");
  }
  EXPECT_EQ(StripTrailingSemicolon(""), "");

  messages.messages.clear();
  MarsModel model = ParseOk(testing::kWorkedExample);
  int index = -7;
  EXPECT_TRUE(IsCategoricalBasisFunction(model.basis_function_defs[2], model, messages, index));
  EXPECT_EQ(std::exchange(index, -7), 1);
  EXPECT_FALSE(IsCategoricalBasisFunction(model.basis_function_defs[0], model, messages, index));
  EXPECT_FALSE(IsCategoricalBasisFunction(model.basis_function_defs[4], model, messages, index));
  EXPECT_EQ(index, -7);
  EXPECT_TRUE(messages.messages.empty());

  // A set test on an input the parser did not mark as categorical.
  model.is_categorical[1] = false;
  EXPECT_FALSE(IsCategoricalBasisFunction(model.basis_function_defs[2], model, messages, index));
  const std::string fishy = " BF3 = ( X2 = 1 OR X2 = 3) * BF1;\r\nPlease report this problem!";
  ASSERT_EQ(messages.Texts(), "Something Fishy About" + fishy + "|Something fishy about" + fishy);
  EXPECT_EQ(messages.messages[1].icon, MessageIcon::Critical);
}

using Inputs = std::vector<std::optional<double>>;

TEST(MarsEvaluator, RefusesWhatNoConverterWritesAndNestingTooDeep) {
  // Whatever the evaluator refuses no converter writes, and the other way round.
  const std::pair<const char*, const char*> cases[] = {
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
      {"Y = ", "the expression ends too early"},
      {"Y = 1 + BF1 / 2", "it may only add, subtract and multiply"},
      {"Y = 1 + X", "it uses the input X"},
      {"Y = 1 + BF9", "'BF9' is neither an input nor an earlier basis function"},
  };
  for (const auto& [text, expected] : cases) {
    const bool equation = std::string_view(text).starts_with("Y = ");
    testing::RecordingMessagePort messages;
    MarsModel model =
        testing::ParseText(testing::MarsText("BF1 = max(0, X - 1);\r\n" +
                                             std::string(equation ? "BF2 = max(0, 1 - X);" : text) +
                                             "\r\nBF3 = max(0, 1 - X);\r\n"),
                           messages);
    model.input_names = {"X"};
    model.is_categorical = {false};
    if (equation) model.equation = text;
    std::string error;
    EXPECT_FALSE(MarsEvaluator().Compile(model, error)) << text;
    EXPECT_EQ(error.rfind(equation ? "The model equation (" : "Basis function 2 (", 0), 0u)
        << error;
    EXPECT_THAT(error, HasSubstr(expected));
  }
  const MarsModel model = ParseOk(testing::kWorkedExample);
  double prediction = 0;
  std::string error;
  EXPECT_FALSE(EvaluateMars(model, Inputs{1.0, 2.0}, prediction, error));
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
  EXPECT_DOUBLE_EQ(evaluator.Evaluate(Inputs{0.5, 0.0, 0.0}), 50000.0);
}

TEST(WriteGeneratedFile, TrimmedLinesTheLabelAndNeverTheModel) {
  // The label shows what was written; the message "Done it!" once something was; no path
  // to the model is ever written to.
  conformance::ScratchFolder folder;
  RecordingMessagePort messages;
  std::vector<std::string> labels;
  const auto sink = [&labels](const std::string& label) { labels.push_back(label); };
  const std::string path = folder.File("out.sps");
  ASSERT_TRUE(
      WriteGeneratedFile(path, "  COMPUTE a = 1 .\r\n\tEXECUTE .  \r\nlast", sink, messages));
  EXPECT_EQ(conformance::ReadBack(path), "COMPUTE a = 1 .\r\n\tEXECUTE .\r\nlast\r\n");
  EXPECT_TRUE(WriteGeneratedFile(folder.File("empty.sql"), "", sink, messages));
  EXPECT_FALSE(std::filesystem::exists(folder.File("empty.sql")));
  const std::string unwritable = folder.File("no such folder/x.sql");
  EXPECT_FALSE(WriteGeneratedFile(unwritable, "UPDATE x", sink, messages));
  const std::string label = "Files Generated...";
  EXPECT_EQ(labels, (std::vector<std::string>{label, label + "\r\n" + path, label, label}));
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[0].text, "Done it!");
  EXPECT_THAT(messages.messages[1].text, HasSubstr(unwritable));

  const std::string rules = folder.File("rules.txt");
  conformance::WriteText(rules, "BF1 = max(0, X - 1);\r\n");
  std::filesystem::create_symlink(rules, folder.File("alias.txt"));
  for (const std::string& output : {rules, folder.File("./rules.txt"), folder.File("alias.txt")}) {
    messages.messages.clear();
    EXPECT_FALSE(WriteGeneratedFile(output, "UPDATE x", sink, messages, rules)) << output;
    ASSERT_EQ(messages.Texts(), SameAsModelMessage(output));
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
  }
  EXPECT_EQ(conformance::ReadBack(rules), "BF1 = max(0, X - 1);\r\n");
  EXPECT_TRUE(WriteGeneratedFile(folder.File("q.sql"), "UPDATE x", sink, messages, rules));
}

}  // namespace
}  // namespace kdk
