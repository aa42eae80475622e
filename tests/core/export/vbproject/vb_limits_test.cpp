// Searches seeded random networks and MARS models, with awkward values and hostile
// names, for generated VB projects that VB6 would refuse: a form description it
// cannot read, TabIndex gaps, lines over 1023 characters, statements over 24
// continuations, procedures too large, modules over 65,534 lines.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/export/vbproject/form_description.h"
#include "core/export/vbproject/vb_file_reader.h"
#include "core/export/vbproject/vb_project.h"
#include "core/export/vbproject/vb_test_models.h"
#include "core/lang/text_checker.h"
#include "core/lang/vb_line_fitting.h"
#include "core/mars/mars_test_models.h"

namespace kdk {
namespace {

const lang::LanguageRules& Vb() {
  return lang::RulesOf(lang::Language::VisualBasic);
}

double AwkwardValue(std::mt19937& random) {
  std::uniform_int_distribution<int> kind(0, 5);
  std::uniform_real_distribution<double> unit(-1, 1);
  switch (kind(random)) {
    case 0:
      return unit(random);
    case 1:
      return std::copysign(std::pow(10.0, 300 * unit(random)), unit(random));
    case 2:
      return 0.000012;
    case 3:
      return std::round(unit(random) * 1e12);  // integers beyond VB's Long
    case 4:
      return -0.0;
    default:
      return unit(random) * 1e-5;
  }
}

std::string HostileText(std::mt19937& random) {
  static const char* const pieces[] = {"\"",   "\r\n", " _",  "End",     "   End\r\nBegin",
                                       "'",    "x",    "\t",  "Sub X()", "&HFF",
                                       "\xe9", "\\",   "\x01"};
  std::uniform_int_distribution<int> count(0, 40), pick(0, 12);
  std::string text;
  for (int n = count(random); n > 0; --n) text.append(pieces[pick(random)]);
  if (random() % 10 == 0) text.append(std::string(3000, '"'));
  return text;
}

NetworkModel RandomNetwork(std::mt19937& random, int inputs, int hidden) {
  NetworkModel net;
  for (int i = 0; i < inputs; ++i) {
    net.input_names.push_back(HostileText(random));
    net.max_norm.push_back(AwkwardValue(random));
    net.min_norm.push_back(AwkwardValue(random));
    net.max_seen.push_back(AwkwardValue(random));
    net.min_seen.push_back(AwkwardValue(random));
  }
  net.output_name = HostileText(random);
  net.data_source = HostileText(random);
  net.data_view = HostileText(random);
  net.is_classifier = random() % 2 == 0;
  net.max_norm_out = AwkwardValue(random);
  net.min_norm_out = AwkwardValue(random);
  net.max_seen_out = AwkwardValue(random);
  net.min_seen_out = AwkwardValue(random);
  net.max_seen_out_cl = AwkwardValue(random);
  net.min_seen_out_cl = AwkwardValue(random);
  for (int k = 0; k < hidden; ++k) {
    net.hidden_type.push_back(random() % 3 == 0 ? NeuronType::Linear : NeuronType::NonLinear);
  }
  net.hidden_type.push_back(NeuronType::Bias);
  net.wih.assign(inputs + 1, std::vector<double>(hidden + 1, 0.0));
  for (auto& row : net.wih) {
    for (int k = 0; k < hidden; ++k) row[k] = AwkwardValue(random);
  }
  for (int k = 0; k <= hidden; ++k) net.who.push_back(AwkwardValue(random));
  return net;
}

// Every check a VB6 project must pass; `controls` is the number of controls expected.
void ExpectAcceptedByVb(const std::string& form_file, std::size_t controls) {
  testing::VbFormFile form;
  std::string error;
  ASSERT_TRUE(testing::ReadVbForm(form_file, form, error)) << error;
  EXPECT_TRUE(testing::TabIndexesDense(form, error)) << error;
  EXPECT_EQ(form.controls.size(), controls);
  for (const lang::RuleViolation& v : lang::CheckLineRules(Vb(), form_file)) {
    ADD_FAILURE() << "line " << v.line << ": " << v.what;
  }
  for (auto&& found :
       {lang::CheckVbProcedureSizes(form_file), lang::CheckVbModuleLines(form_file)}) {
    for (const lang::RuleViolation& v : found) ADD_FAILURE() << "line " << v.line << ": " << v.what;
  }
}

TEST(VbProjectLimits, RandomNetworksUpTo120InputsAnd70HiddenAndOneOf700Inputs) {
  std::mt19937 random(20261205);
  std::vector<std::pair<int, int>> sizes = {{120, 70}, {1, 1}, {15, 3}, {16, 2}, {31, 1}, {700, 2}};
  std::uniform_int_distribution<int> inputs(1, 120), hidden(1, 70);
  for (int n = 0; n < 15; ++n) sizes.emplace_back(inputs(random), hidden(random));
  for (const auto& [nI, H] : sizes) {
    SCOPED_TRACE(std::to_string(nI) + " inputs, " + std::to_string(H) + " hidden");
    const NetworkModel net = RandomNetwork(random, nI, H);
    const GenerationStamp stamp{HostileText(random), "Unknown", "Sat, Dec 5 2026, 5:07 PM"};
    const std::size_t headings = nI > 15 ? 6 : 3;
    const std::string form = VbNetworkFormFile(net, stamp);
    ExpectAcceptedByVb(
        form, 5 + (net.is_classifier ? 1 : 2) + headings + 4 * static_cast<std::size_t>(nI));
    // The input ranges, however many procedures hold them, are all set.
    EXPECT_EQ(
        form.find("\tCall SetMaxMinVals_2\r\nEnd Sub\r\n\r\nPrivate Sub SetMaxMinVals_2\r\n") !=
            std::string::npos,
        nI == 700);
    std::size_t at = 0;
    for (int i = 1; i <= nI && at != std::string::npos; ++i) {
      at = form.find("\tminSeen(" + std::to_string(i) + ") = ", at);
    }
    EXPECT_NE(at, std::string::npos);
  }
}

// Exported MARS text: hinges on X1..X30 (alone or times an earlier basis function),
// set tests on X31..X40 with up to 400 levels, missing-value indicators, and an
// equation over every basis function.
std::string RandomMarsText(std::mt19937& random, int basis_functions) {
  std::uniform_int_distribution<int> continuous(1, 30), categorical(31, 40), kind(0, 5);
  std::uniform_real_distribution<double> unit(-1, 1);
  auto number = [&] { return NumberText(std::round(unit(random) * 1e6) / 1e3 + 1e-9); };
  std::string text;
  for (int b = 1; b <= basis_functions; ++b) {
    const std::string bf = "BF" + std::to_string(b) + " = ";
    const std::string x = "X" + std::to_string(continuous(random));
    switch (b == 1 ? 0 : kind(random)) {
      case 0:
        text += bf + "max(0, " + x + " - " + number() + ");\r\n";
        break;
      case 1:
        text += bf + "max(0, " + number() + " - " + x + ") * BF" +
                std::to_string(1 + random() % (b - 1)) + ";\r\n";
        break;
      case 2: {
        const std::string c = "X" + std::to_string(categorical(random));
        std::string set = "( " + c + " = 1";
        for (int level = 2 + static_cast<int>(random() % 400); level > 0; --level) {
          set += " OR " + c + " = " + std::to_string(level + 1);
        }
        text += bf + set + ");\r\n";
        break;
      }
      case 3:
        text += bf + "( " + x + " > .);\r\n";
        break;
      case 4:
        text += bf + "( " + x + " = .);\r\n";
        break;
      default:
        text += bf + "max(0, " + x + " - " + number() + ") * BF" +
                std::to_string(1 + random() % (b - 1)) + ";\r\n";
    }
  }
  text += "\r\nY = " + number();
  for (int b = 1; b <= basis_functions; ++b) {
    text += std::string(b % 2 ? " + " : " - ") + NumberText(std::abs(unit(random)) * 1e-5 + 1e-7) +
            " * BF" + std::to_string(b);
    if (b % 6 == 0) text += "\r\n";
  }
  text += ";\r\n\r\nMODEL VALUE =";
  for (int b = 1; b <= basis_functions; ++b) text += " BF" + std::to_string(b);
  return text + ";\r\n";
}

TEST(VbProjectLimits, RandomMarsModelsUpTo300BasisFunctions) {
  std::mt19937 random(7);
  for (int basis_functions : {300, 300, 120, 40, 5}) {
    SCOPED_TRACE(std::to_string(basis_functions) + " basis functions");
    testing::RecordingMessagePort messages;
    bool parsed = false;
    const MarsModel model =
        testing::ParseText(RandomMarsText(random, basis_functions), messages, &parsed);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(model.BasisFunctionCount(), basis_functions);
    std::string form;
    const GenerationStamp stamp{"Pasted_Model", "Unknown", "Sat, Dec 5 2026, 5:07 PM"};
    ASSERT_TRUE(VbMarsFormFile(model, stamp, form, messages))
        << (messages.messages.empty() ? "" : messages.messages.back().text);
    const std::size_t headings = model.InputCount() > 15 ? 4 : 2;
    ExpectAcceptedByVb(form, 5 + headings + 3 * static_cast<std::size_t>(model.InputCount()));
    // Every definition in order, however many procedures hold them.
    std::size_t at = 0;
    for (int b = 1; b <= basis_functions; ++b) {
      at = form.find("\r\n\tBF" + std::to_string(b) + " = ", at);
      ASSERT_NE(at, std::string::npos) << b;
    }
    if (form.size() > 200000) {
      EXPECT_NE(form.find("\tCall calcBasisFunctions_2\r\n\r\nEnd Sub\r\n\r\n\r\n"
                          "Private Sub calcBasisFunctions_2()\r\n\r\n\tBF"),
                std::string::npos);
    }
  }
}

// Undoes the line continuations: the statements as VB reads them.
std::vector<std::string> Statements(const std::string& text) {
  std::string joined = ReplaceAll(text, "\" & _\r\n\t\t\"", "");
  joined = ReplaceAll(joined, "\" & _\r\n\t\"", "");
  joined = ReplaceAll(joined, " _\r\n\t\t", " ");
  joined = ReplaceAll(joined, " _\r\n\t", " ");
  std::vector<std::string> statements;
  for (std::string& line : SplitAt(ReplaceAll(joined, "\r\n", "\n"), '\n')) {
    statements.push_back(std::move(line));
  }
  return statements;
}

TEST(VbLineFitting, LongStatementsContinueAndReadBackUnchanged) {
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
      std::size_t continuations = 0;
      for (std::size_t at = out.find(" _\r\n"); at != std::string::npos;
           at = out.find(" _\r\n", at + 1)) {
        ++continuations;
      }
      ASSERT_EQ(continuations, statement.size() > 1023 ? 1u : 0u) << statement.size();
    }
  }
}

TEST(VbLineFitting, ASumTooLongForOneStatementIsAddedUpInParts) {
  std::string expression = "-1.5";
  for (int i = 1; i <= 3000; ++i) {
    expression +=
        std::string(i % 2 ? " + " : " - ") + "0.1 * (BF" + std::to_string(i) + " - -2) * -1E-05";
  }
  std::string out;
  ASSERT_TRUE(lang::AppendVbSumAssignment(out, "\t", "calcEquation", expression));
  EXPECT_TRUE(lang::CheckLineRules(Vb(), out).empty());
  const std::vector<std::string> statements = Statements(out);
  ASSERT_GT(statements.size(), 1u);
  // target = first part, then target = target <op> part: together the original sum.
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
