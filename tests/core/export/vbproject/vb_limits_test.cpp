// The shared generators' networks and MARS models, with hostile names and awkward
// numbers, and models large enough to be cut into several procedures, must give form
// files VB6 reads: a form description it can parse, TabIndex without gaps, lines of at
// most 1023 characters, statements of at most 24 continuations, procedures and modules
// within their sizes.
#include <gtest/gtest.h>

#include <random>

#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/export/vbproject/vb_file_reader.h"
#include "core/export/vbproject/vb_project.h"
#include "core/lang/text_checker.h"
#include "core/lang/vb_line_fitting.h"
#include "core/mars/mars_test_models.h"
#include "support/mars_models.h"
#include "support/networks.h"

namespace kdk {
namespace {

const lang::LanguageRules& Vb() {
  return lang::RulesOf(lang::Language::VisualBasic);
}

const GenerationStamp kStamp{"C:\\m\\a \"b\"\r\nEnd Sub _", "Unknown", "Sat, Dec 5 2026, 5:07 PM"};

// Every check a VB6 form file must pass; `controls` is the number of controls expected.
void ExpectAcceptedByVb(const std::string& form_file, std::size_t controls) {
  testing::VbFormFile form;
  std::string error;
  ASSERT_TRUE(testing::ReadVbForm(form_file, form, error)) << error;
  EXPECT_TRUE(testing::TabIndexesDense(form, error)) << error;
  EXPECT_EQ(form.controls.size(), controls);
  for (auto&& found :
       {lang::CheckLineRules(Vb(), form_file), lang::CheckVbProcedureSizes(form_file),
        lang::CheckVbModuleLines(form_file)}) {
    for (const lang::RuleViolation& v : found) ADD_FAILURE() << "line " << v.line << ": " << v.what;
  }
}

TEST(VbProjectLimits, SeededNetworksAndOneOf700Inputs) {
  auto cases =
      conformance::ConformanceCases(conformance::ConformanceSeed(), 24, 0, {.largest_inputs = 700});
  for (std::size_t n = 0; n < cases.size(); ++n) {
    NetworkModel& net = cases[n].model;
    const std::size_t inputs = net.input_names.size();
    SCOPED_TRACE(std::to_string(inputs) + " inputs, case " + std::to_string(n));
    net.is_classifier = n % 2 == 1;
    if (n % 5 == 2) {
      net.output_name = "x" + std::string(3000, '"');  // a doubled quote at the cut
      net.data_view = std::string(5000, '_') + " _\r\n";
    }
    const std::string form = VbNetworkFormFile(net, kStamp);
    ExpectAcceptedByVb(form, 5 + (net.is_classifier ? 1 : 2) + (inputs > 15 ? 6 : 3) + 4 * inputs);
    // The input ranges, however many procedures hold them, are all set.
    EXPECT_EQ(
        form.find("\tCall SetMaxMinVals_2\r\nEnd Sub\r\n\r\nPrivate Sub SetMaxMinVals_2\r\n") !=
            std::string::npos,
        inputs == 700);
    std::size_t at = 0;
    for (std::size_t i = 1; i <= inputs && at != std::string::npos; ++i) {
      at = form.find("\tminSeen(" + std::to_string(i) + ") = ", at);
    }
    EXPECT_NE(at, std::string::npos);
  }
}

// Hinges on X1..X30 (some times an earlier basis function), set tests of up to 400
// levels on X31..X40, both indicators, and an equation over every basis function.
std::string LargeMarsText(std::mt19937& random, int count) {
  std::string text, equation = "\r\nY = 1.5", statement = ";\r\n\r\nMODEL VALUE =";
  for (int b = 1; b <= count; ++b) {
    const std::string bf = "BF" + std::to_string(b), x = "X" + std::to_string(1 + random() % 30);
    switch (b == 1 ? 0 : random() % 4) {
      case 0:
        text += bf + " = max(0, " + x + " - " + NumberText((random() % 10000000) / 1e3) + ")";
        break;
      case 1:
        text += bf + " = max(0, -2.5 - " + x + ") * BF" + std::to_string(1 + random() % (b - 1));
        break;
      case 2: {
        const std::string c = "X" + std::to_string(31 + random() % 10);
        text += bf + " = ( " + c + " = 1";
        for (int level = 2 + random() % 400; level > 0; --level) {
          text += " OR " + c + " = " + std::to_string(level + 1);
        }
        text += ")";
        break;
      }
      default:
        text += bf + " = ( " + x + (b % 2 ? " > .)" : " = .)");
    }
    text += ";\r\n";
    equation += std::string(b % 2 ? " + " : " - ") + NumberText((random() % 1000 + 1) * 1e-8) +
                " * " + bf + (b % 6 ? "" : "\r\n");
    statement += " " + bf;
  }
  return text + equation + statement + ";\r\n";
}

TEST(VbProjectLimits, SeededMarsModelsAndOnesOf300BasisFunctions) {
  std::vector<std::string> texts;
  for (std::uint32_t k = 0; k < 40; ++k) {
    texts.push_back(conformance::GenerateMarsModel(conformance::ConformanceSeed() + k).text);
  }
  std::mt19937 random(7);
  for (int count : {300, 300, 120}) texts.push_back(LargeMarsText(random, count));
  bool any_cut = false;
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.substr(0, 200));
    testing::RecordingMessagePort messages;
    bool parsed = false;
    const MarsModel model = testing::ParseText(text, messages, &parsed);
    ASSERT_TRUE(parsed);
    std::string form;
    ASSERT_TRUE(VbMarsFormFile(model, kStamp, form, messages))
        << (messages.messages.empty() ? "" : messages.messages.back().text);
    const std::size_t inputs = model.input_names.size();
    ExpectAcceptedByVb(form, 5 + (inputs > 15 ? 4 : 2) + 3 * inputs);
    // Every definition in order, however many procedures hold them.
    std::size_t at = 0;
    for (const std::string& name : model.basis_function_names) {
      at = form.find("\r\n\t" + name + " = ", at);
      ASSERT_NE(at, std::string::npos) << name;
    }
    const bool cut = form.find(
                         "\tCall calcBasisFunctions_2\r\n\r\nEnd Sub\r\n\r\n\r\n"
                         "Private Sub calcBasisFunctions_2()\r\n\r\n\tBF") != std::string::npos;
    EXPECT_TRUE(cut || form.size() <= 200000);
    any_cut = any_cut || cut;
  }
  EXPECT_TRUE(any_cut);
}

// Undoes the line continuations: the statements as VB reads them.
std::vector<std::string> Statements(const std::string& text) {
  std::string joined = text;
  for (const char* continuation : {"\" & _\r\n\t\t\"", "\" & _\r\n\t\""}) {
    joined = ReplaceAll(joined, continuation, "");
  }
  for (const char* continuation : {" _\r\n\t\t", " _\r\n\t"}) {
    joined = ReplaceAll(joined, continuation, " ");
  }
  return SplitAt(ReplaceAll(joined, "\r\n", "\n"), '\n');
}

TEST(VbLineFitting, LongStatementsContinueOrAddUpInPartsAndReadBackUnchanged) {
  std::string expression = "1.5";
  for (int i = 1; i <= 600; ++i) {
    expression +=
        (i % 3 ? " + " : " - ") + std::string("0.123456789012345 * BF") + std::to_string(i);
  }
  std::string out;
  ASSERT_TRUE(lang::AppendVbSumAssignment(out, "\t", "calcEquation", expression));
  EXPECT_TRUE(lang::CheckLineRules(Vb(), out).empty());
  EXPECT_EQ(Statements(out), std::vector<std::string>{"\tcalcEquation = " + expression});

  const std::string text = "\tmsgBox \"" + std::string(5000, 'a') + "\"\"b\" & vbCrLf";
  out.clear();
  ASSERT_TRUE(lang::AppendVbStatement(out, text, "\t"));
  EXPECT_TRUE(lang::CheckLineRules(Vb(), out).empty());
  EXPECT_EQ(Statements(out), std::vector<std::string>{text});

  // Too long for one statement: target = first part, then target = target <op> part.
  expression = "-1.5";
  for (int i = 1; i <= 3000; ++i) {
    expression +=
        std::string(i % 2 ? " + " : " - ") + "0.1 * (BF" + std::to_string(i) + " - -2) * -1E-05";
  }
  out.clear();
  ASSERT_TRUE(lang::AppendVbSumAssignment(out, "\t", "calcEquation", expression));
  EXPECT_TRUE(lang::CheckLineRules(Vb(), out).empty());
  const std::vector<std::string> statements = Statements(out);
  ASSERT_GT(statements.size(), 1u);
  std::string rebuilt = statements[0].substr(std::string("\tcalcEquation = ").size());
  const std::string more = "\tcalcEquation = calcEquation ";
  for (std::size_t s = 1; s < statements.size(); ++s) {
    ASSERT_EQ(statements[s].substr(0, more.size()), more);
    rebuilt += " " + statements[s].substr(more.size());
  }
  EXPECT_EQ(rebuilt, expression);

  out.clear();
  EXPECT_FALSE(lang::AppendVbStatement(out, "\tx = \"" + std::string(40000, 'a') + "\"", "\t"));
  EXPECT_TRUE(out.empty());
}

// Up to 1023 characters a statement is one line, and up to 2044 it takes one
// continuation: every line may be exactly the limit (the last "xy =" statement's
// second line is), none longer.
TEST(VbLineFitting, EveryLineMayBeExactlyTheLimitAndNoLonger) {
  for (std::string statement : {"x =", "xy ="}) {
    for (int words = 1; words <= 1020; ++words) {
      statement += " a";
      std::string out;
      ASSERT_TRUE(lang::AppendVbStatement(out, statement, ""));
      ASSERT_TRUE(lang::CheckLineRules(Vb(), out).empty()) << statement.size();
      ASSERT_EQ(out.find(" _\r\n") != std::string::npos, statement.size() > 1023)
          << statement.size();
      ASSERT_EQ(out.find(" _\r\n"), out.rfind(" _\r\n")) << statement.size();
    }
  }
}

TEST(VbLineFitting, LongCommentsBecomeSeveralCommentLines) {
  std::string out;
  lang::AppendVbCommentLine(out, "'" + std::string(1021, 'c') + " _" + std::string(900, 'd'));
  EXPECT_TRUE(lang::CheckLineRules(Vb(), out).empty());
  for (const std::string& line : SplitAt(ReplaceAll(out, "\r\n", "\n"), '\n')) {
    EXPECT_EQ(line[0], '\'');
    EXPECT_NE(line.back(), '_');
  }
}

}  // namespace
}  // namespace kdk
