#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "core/common/text_utils.h"
#include "core/network/evaluate_network.h"
#include "core/network/field_reader.h"
#include "core/network/weights_reader.h"
#include "core/test_models.h"
#include "fakes/fake_ports.h"
#include "fakes/weights_file_builder.h"
#include "support/networks.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using testing::BuildWeightsFile;
using ::testing::HasSubstr;
using testing::SmallNetworkRecipe;
using testing::WeightsFileRecipe;

NetworkModel Parse(const std::string& text, bool ok = true) {
  NetworkModel model;
  std::string detail;
  EXPECT_EQ(ParseWeightsFields(text, model, detail), ok) << detail << "\n" << text.substr(0, 999);
  return model;
}

TEST(WeightsReader, NeedsExactlyTheCountedFieldsOfTheirForms) {
  for (int c_x : {-1, -7, 0, 2}) {
    SCOPED_TRACE("c_x " + std::to_string(c_x));
    WeightsFileRecipe recipe = SmallNetworkRecipe();
    recipe.c_x = c_x;
    recipe.one_field_per_line = true;
    const long long fields = testing::CountFields(recipe);
    EXPECT_TRUE(c_x >= 0 || fields == 80) << fields;
    // One field a line after the opening line (3 fields) and the header line.
    std::vector<std::string> lines = SplitAt(BuildWeightsFile(recipe), '\n');
    lines.pop_back();  // after the final line end
    ASSERT_EQ(static_cast<long long>(lines.size()), 2 + fields - 3);
    // Cut after every line but the last field's: each shorter file is corrupted.
    std::string prefix;
    for (const std::string& line : lines) {
      Parse(prefix, false);
      prefix += line + "\n";
    }
    Parse(prefix);
  }

  // The header line is the rest of the opening line when its third field ends at a comma;
  // a comma in the source shifts the elements, which parses only if a truth value lands
  // third. Rows: opening, header, "source|view|classifier" or "" when refused.
  const std::string opening = SmallNetworkRecipe().opening;
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"\"K\",\"2\",\"x\",\"src\",\"view\",#TRUE#", "", "src|view|1"},
      {opening, "\"a\",\"b\",#TRUE#", "a|b|1"},
      {opening, "\"a\",\"b\",#false#", "a|b|0"},
      {opening, "\"a\",\"b\",\"True\"", "a|b|1"},
      {opening, "\"a\",\"b\",1", "a|b|1"},
      {opening, "\"a\",\"b\",-2.5", "a|b|1"},
      {opening, "\"a\",\"b\",0", "a|b|0"},
      {opening, "\"a\",\"b\",#TRUE#,extra,more", "a|b|1"},
      {opening, "\"x,y\",0,#FALSE#", "x|y|0"},
      {opening, "\"a\",\"b\",maybe", ""},
      {opening, "\"a\",\"b\",", ""},
      {opening, "\"a\",\"b\"", ""},
      {opening, "\"C:\\data, 2003\\a.csv\",\"view\",#FALSE#", ""},
  };
  for (const auto& [first, header, expected] : cases) {
    SCOPED_TRACE(header);
    WeightsFileRecipe recipe = SmallNetworkRecipe();
    recipe.opening = first;
    recipe.header = header;
    std::string text = BuildWeightsFile(recipe);
    if (header.empty()) text = ReplaceAll(text, "#TRUE#\r\n\r\n", "#TRUE#\r\n");
    const NetworkModel net = Parse(text, !expected.empty());
    if (!expected.empty()) {
      EXPECT_EQ(net.data_source + "|" + net.data_view + "|" + (net.is_classifier ? "1" : "0"),
                expected);
    }
  }

  // Counts are 16-bit integers that leave no index range empty; weights are finite
  // numbers in their usual forms.
  const std::string text = BuildWeightsFile(SmallNetworkRecipe());
  auto with = [&](const std::string& line, const std::string& replacement) {
    EXPECT_THAT(text, HasSubstr("\r\n" + line + "\r\n")) << line;
    return ReplaceAll(text, "\r\n" + line + "\r\n", "\r\n" + replacement + "\r\n");
  };
  for (const char* bad : {"-1,-1", "32768,-1", "1.5,-1", "one,-1", "1,-32769"}) {
    Parse(with("1,-1", bad), false);
  }
  Parse(with("3,p,q,r,s", "0,p,q,r,s"), false);
  for (const char* bad : {"abc,1,1", "inf,1,1", "1e999,1,1", ",1,1"}) {
    Parse(with("0.5,1,1", bad), false);
  }
  for (const char* good : {"  +5E-01 ,1,1", ".5,1,1", "\"0.5\",1,1"}) {
    Parse(with("0.5,1,1", good));
  }
  Parse("", false);
  // A count too large for the file is refused before anything is allocated.
  const std::pair<std::string, const char*> huge[] = {
      {with("1,-1", "32766,-1"), "too short"},
      {with("1,-1", "32767,-1"), "16 bits"},
      {with("3,p,q,r,s", "32767,p,q,r,s"), "too short"}};
  for (const auto& [file, reason] : huge) {
    NetworkModel net;
    std::string detail;
    EXPECT_FALSE(ParseWeightsFields(file, net, detail));
    EXPECT_THAT(detail, HasSubstr(reason));
    EXPECT_TRUE(net.wih.empty());
  }
  // Every field of the examples is pinned by the golden files' artifacts.
  NetworkModel net = Parse(BuildWeightsFile(SmallNetworkRecipe()));
  // The hidden-bias column is zeroed whatever the file says.
  EXPECT_EQ(net.wih,
            (std::vector<std::vector<double>>{{0.5, -0.25, 0}, {1.5, 0.75, 0}, {-0.125, 0.3, 0}}));

  // One field a line reads the same; only the exact upper-case word makes a tanh neuron.
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.one_field_per_line = true;
  recipe.line_end = "\n";
  recipe.hidden_types = {"nonlinear", "NonLinear"};
  const NetworkModel single = Parse(BuildWeightsFile(recipe));
  EXPECT_EQ(single.wih, net.wih);
  EXPECT_EQ(single.input_names, net.input_names);
  EXPECT_EQ(single.linear_count, 2);

  // One input, and no hidden neurons.
  recipe = SmallNetworkRecipe();
  recipe.inputs.resize(1);
  recipe.wih.erase(recipe.wih.begin() + 1);
  EXPECT_EQ(Parse(BuildWeightsFile(recipe)).InputCount(), 1);
  recipe = SmallNetworkRecipe();
  recipe.hidden_types.clear();
  recipe.wih = {{7}, {8}, {9}};
  recipe.who = {0.25};
  net = Parse(BuildWeightsFile(recipe));
  EXPECT_EQ(net.HiddenCount(), 0);
  EXPECT_EQ(net.wih, (std::vector<std::vector<double>>{{0}, {0}, {0}}));
}

std::vector<std::string> AllFields(std::string_view text) {
  FieldReader reader(text);
  std::vector<std::string> fields;
  std::string field;
  while (reader.Next(field)) fields.push_back(field);
  return fields;
}

// Line ends, the rest of a line and number forms are read through the weights files above.
TEST(FieldReader, QuotedFieldsNumbersAndSixteenBitIntegers) {
  EXPECT_EQ(AllFields("  \"x, y\" ,  z  ,\" q \""), (std::vector<std::string>{"x, y", "z", " q "}));
  // Text after a closing quote, up to the delimiter, is dropped.
  EXPECT_EQ(AllFields("\"ab\"cd,e"), (std::vector<std::string>{"ab", "e"}));
  // An unterminated quote runs to the end of the data.
  EXPECT_EQ(AllFields("\"open, a\r\nb"), (std::vector<std::string>{"open, a\r\nb"}));
  FieldReader reader("1.5E+02, -0.25,32767,-32768,32768,2.5,x");
  double a = 0, b = 0;
  int i = 0, j = 0;
  ASSERT_TRUE(reader.NextNumber(a) && reader.NextNumber(b));
  ASSERT_TRUE(reader.NextInteger16(i) && reader.NextInteger16(j));
  EXPECT_EQ((std::vector<double>{a, b, 1.0 * i, 1.0 * j}),
            (std::vector<double>{150, -0.25, 32767, -32768}));
  EXPECT_FALSE(reader.NextInteger16(i) || reader.NextInteger16(i) || reader.NextNumber(a) ||
               reader.NextNumber(a));
}

TEST(WeightsFile, DescriptionBetweenItsMarkersAndUtf8InTheCodePage) {
  const std::pair<const char*, const char*> cases[] = {
      {"x\r\nnet description\r\n\r\n\r\nfirst\r\n\r\nthird\r\nEnd Of Net Description\r\nafter\r\n",
       "first\r\n\r\nthird"},
      {"no markers here\r\n", ""},
      // Without the end marker the last line is lost.
      {"NET DESCRIPTION\r\none\r\ntwo\r\nthree\r\n", "one\r\ntwo"},
      {"a\r\nNET DESCRIPTION\r\n", ""},
      // An input name holding the words starts the block early.
      {"1,\"my net description\",2\r\nreal text\r\nNET DESCRIPTION\r\ninside\r\n"
       "END OF NET DESCRIPTION\r\n",
       "real text\r\nNET DESCRIPTION\r\ninside"},
  };
  for (const auto& [text, description] : cases) EXPECT_EQ(ParseNetDescription(text), description);
  EXPECT_EQ(CorruptWeightsFileMessage("/m/a.kwf"),
            "Problems reading the Kestrium Weights file: \r\n\r\n/m/a.kwf\r\n\r\nThis file is "
            "corrupted.");
  // A UTF-8 file is read in the code page, or refused naming the character.
  const conformance::ScratchFolder folder;
  const std::string path = folder.File("utf8.kwf");
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.inputs[0].name = "Gr\u00F6\u00DFe";
  recipe.output_name = "caf\u00E9";
  conformance::WriteText(path, BuildWeightsFile(recipe));
  testing::RecordingMessagePort messages;
  NetworkModel net;
  EXPECT_TRUE(ReadWeightsFile(path, net, messages));
  EXPECT_EQ(net.input_names[0] + net.output_name, "Gr\xF6\337ecaf\xE9");

  recipe.output_name = "\u4E2D";
  conformance::WriteText(path, BuildWeightsFile(recipe));
  EXPECT_FALSE(ReadWeightsFile(path, net, messages));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_THAT(messages.messages[0].text, HasSubstr("holds the character U+4E2D"));
}

// The evaluator clips tanh beyond twenty and sums in input order.
TEST(EvaluateNetwork, ComputesTheArithmeticAsWrittenAndRefusesWhatItCannotScale) {
  EXPECT_EQ(ClippedTanh(20.000001), 1);
  EXPECT_EQ(ClippedTanh(-20.000001), -1);
  const double e20 = std::exp(20.0), em20 = std::exp(-20.0);
  EXPECT_EQ(ClippedTanh(20), (e20 - em20) / (e20 + em20));
  EXPECT_EQ(ClippedTanh(-20), (em20 - e20) / (em20 + e20));
  EXPECT_LT(ClippedTanh(18), 1.0);  // from about 18.7 on, tanh is 1 in a double
  EXPECT_EQ(ClippedTanh(0), 0);
  EXPECT_NEAR(ClippedTanh(0.5), std::tanh(0.5), 1e-15);
  for (const conformance::ConformanceCase& item :
       conformance::ConformanceCases(conformance::ConformanceSeed() + 5, 20, 4)) {
    if (item.near_overflow) continue;
    const NetworkModel& seeded = item.model;
    const std::size_t n = seeded.input_names.size(), h = seeded.who.size();
    for (const std::vector<double>& x : item.inputs) {
      // The arithmetic written out neuron by neuron, as a reader of it would.
      double out = 0;
      for (std::size_t k = 0; k < h; ++k) {
        double activation = 1;
        if (k + 1 < h) {
          double s = 0;
          for (std::size_t i = 0; i < n; ++i) {
            s += seeded.wih[i][k] *
                 (((x[i] - seeded.min_norm[i]) / (seeded.max_norm[i] - seeded.min_norm[i]) - 0.5) *
                  2);
          }
          s += seeded.wih[n][k] * 1;
          activation = seeded.hidden_type[k] == NeuronType::NonLinear ? ClippedTanh(s) : s;
        }
        out += activation * seeded.who[k];
      }
      NetworkPrediction result;
      std::string error;
      ASSERT_TRUE(EvaluateNetwork(seeded, x, result, error)) << error;
      EXPECT_EQ(result.normalised_output, out) << item.name;
      EXPECT_EQ(result.prediction,
                (out + 1) / 2 * (seeded.max_norm_out - seeded.min_norm_out) + seeded.min_norm_out)
          << item.name;
    }
  }
  NetworkModel net = testing::CodeTestNetwork();
  NetworkPrediction result;
  std::string error;
  EXPECT_FALSE(EvaluateNetwork(net, std::vector<double>{1}, result, error));
  EXPECT_EQ(error, "The network has 2 inputs but 1 values were given.");
  net.max_norm[1] = net.min_norm[1] = 3;
  EXPECT_FALSE(EvaluateNetwork(net, std::vector<double>{1, 3}, result, error));
  EXPECT_EQ(error, "The input size cannot be scaled: its minimum and maximum are both 3.");
  EXPECT_EQ(FirstUnscalableInput(net), "size");
}

}  // namespace
}  // namespace kdk
