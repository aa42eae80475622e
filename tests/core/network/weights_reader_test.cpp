#include "core/network/weights_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/common/text_utils.h"
#include "core/network/field_reader.h"
#include "fakes/fake_ports.h"
#include "fakes/weights_file_builder.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;

using testing::BuildWeightsFile;
using testing::SmallNetworkRecipe;
using testing::WeightsFileRecipe;

NetworkModel ParseOk(const std::string& text) {
  NetworkModel model;
  std::string detail;
  EXPECT_TRUE(ParseWeightsFields(text, model, detail)) << detail;
  return model;
}

bool Parses(const std::string& text) {
  NetworkModel model;
  std::string detail;
  return ParseWeightsFields(text, model, detail);
}

TEST(WeightsReader, ReadsEveryFieldIntoTheRecord) {
  NetworkModel net = ParseOk(BuildWeightsFile(SmallNetworkRecipe()));
  EXPECT_EQ(net.input_names, (std::vector<std::string>{"alpha", "beta"}));
  EXPECT_EQ(net.output_name + net.data_source + net.data_view, "outsource.csvall rows");
  EXPECT_FALSE(net.is_classifier);
  EXPECT_EQ(net.max_norm, (std::vector<double>{10, 5}));
  EXPECT_EQ(net.min_norm, (std::vector<double>{0, -5}));
  // Seen values come back in real units: (v / 2 + 0.5) * (max - min) + min.
  EXPECT_EQ(net.max_seen, (std::vector<double>{10, 2.5}));
  EXPECT_EQ(net.min_seen, (std::vector<double>{0, -2.5}));
  EXPECT_EQ(net.max_seen_out_cl, 0.8);
  EXPECT_EQ(net.min_seen_out_cl, -0.6);
  EXPECT_DOUBLE_EQ(net.max_seen_out, 9);
  EXPECT_DOUBLE_EQ(net.min_seen_out, 2);
  EXPECT_EQ(net.hidden_type,
            (std::vector<NeuronType>{NeuronType::NonLinear, NeuronType::Linear, NeuronType::Bias}));
  EXPECT_EQ(net.linear_count, 1);
  // The hidden-bias column is zeroed whatever the file says.
  EXPECT_EQ(net.wih,
            (std::vector<std::vector<double>>{{0.5, -0.25, 0}, {1.5, 0.75, 0}, {-0.125, 0.3, 0}}));
  EXPECT_EQ(net.who, (std::vector<double>{0.8, -0.4, 0.1}));

  // One field a line reads the same; only the exact upper-case word makes a tanh neuron.
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.one_field_per_line = true;
  recipe.line_end = "\n";
  recipe.hidden_types = {"nonlinear", "NonLinear"};
  const NetworkModel single = ParseOk(BuildWeightsFile(recipe));
  EXPECT_EQ(single.wih, net.wih);
  EXPECT_EQ(single.input_names, net.input_names);
  EXPECT_EQ(single.linear_count, 2);
}

TEST(WeightsReader, NeedsExactlyTheCountedFields) {
  for (int c_x : {-1, -7, 0, 2}) {
    WeightsFileRecipe recipe = SmallNetworkRecipe();
    recipe.c_x = c_x;
    recipe.one_field_per_line = true;
    const std::string text = BuildWeightsFile(recipe);
    const long long fields = testing::CountFields(recipe);
    EXPECT_TRUE(c_x >= 0 || fields == 80) << fields;
    // One field a line after the opening line (3 fields) and the header line.
    std::vector<std::string> lines = SplitAt(text, '\n');
    lines.pop_back();  // after the final line end
    ASSERT_EQ(static_cast<long long>(lines.size()), 2 + fields - 3) << "c_x " << c_x;
    ASSERT_TRUE(Parses(text)) << "c_x " << c_x;
    // Cut after every line but the last field's: each shorter file is corrupted.
    std::string prefix;
    for (const std::string& line : lines) {
      EXPECT_FALSE(Parses(prefix)) << "c_x " << c_x << ", cut before " << line;
      prefix += line + "\n";
    }
    EXPECT_TRUE(Parses(prefix));
  }
}

// The header line is the rest of the opening line when its third field ends at a comma;
// a comma in the source shifts the elements, which parses only if a truth value lands
// third.
TEST(WeightsReader, HeaderLines) {
  struct Case {
    std::string opening, header;
    bool parses;
    std::string source_view = "";
    bool classifier = false;
  };
  const std::string opening = SmallNetworkRecipe().opening;
  const Case cases[] = {
      {"\"K\",\"2\",\"x\",\"src\",\"view\",#TRUE#", "", true, "src|view", true},
      {opening, "\"a\",\"b\",#TRUE#", true, "a|b", true},
      {opening, "\"a\",\"b\",#false#", true, "a|b", false},
      {opening, "\"a\",\"b\",\"True\"", true, "a|b", true},
      {opening, "\"a\",\"b\",1", true, "a|b", true},
      {opening, "\"a\",\"b\",-2.5", true, "a|b", true},
      {opening, "\"a\",\"b\",0", true, "a|b", false},
      {opening, "\"a\",\"b\",#TRUE#,extra,more", true, "a|b", true},
      {opening, "\"x,y\",0,#FALSE#", true, "x|y", false},
      {opening, "\"a\",\"b\",maybe", false},
      {opening, "\"a\",\"b\",", false},
      {opening, "\"a\",\"b\"", false},
      {opening, "\"C:\\data, 2003\\a.csv\",\"view\",#FALSE#", false},
  };
  for (const Case& c : cases) {
    WeightsFileRecipe recipe = SmallNetworkRecipe();
    recipe.opening = c.opening;
    recipe.header = c.header;
    std::string text = BuildWeightsFile(recipe);
    if (c.header.empty()) text = ReplaceAll(text, "#TRUE#\r\n\r\n", "#TRUE#\r\n");
    NetworkModel net;
    std::string detail;
    ASSERT_EQ(ParseWeightsFields(text, net, detail), c.parses) << c.header;
    if (!c.parses) continue;
    EXPECT_EQ(net.data_source + "|" + net.data_view, c.source_view) << c.header;
    EXPECT_EQ(net.is_classifier, c.classifier) << c.header;
  }
}

TEST(WeightsReader, QuotedNamesKeepCommasAndLeadingBlanksAreSkipped) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.inputs[0].name = "income, annual";
  recipe.output_name = "a, b, c";
  NetworkModel net = ParseOk(ReplaceAll(BuildWeightsFile(recipe), ",\"beta\"", ",    \"beta\""));
  EXPECT_EQ(net.input_names, (std::vector<std::string>{"income, annual", "beta"}));
  EXPECT_EQ(net.output_name, "a, b, c");
}

TEST(WeightsReader, OneInputAndNoHiddenNeurons) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.inputs.resize(1);
  recipe.wih.erase(recipe.wih.begin() + 1);
  EXPECT_EQ(ParseOk(BuildWeightsFile(recipe)).InputCount(), 1);
  recipe = SmallNetworkRecipe();
  recipe.hidden_types.clear();
  recipe.wih = {{7}, {8}, {9}};
  recipe.who = {0.25};
  const NetworkModel net = ParseOk(BuildWeightsFile(recipe));
  EXPECT_EQ(net.HiddenCount(), 0);
  EXPECT_EQ(net.wih, (std::vector<std::vector<double>>{{0}, {0}, {0}}));
}

// Counts are 16-bit integers that leave no index range empty; weights are finite
// numbers in their usual forms.
TEST(WeightsReader, CorruptFieldsAreRejected) {
  const std::string text = BuildWeightsFile(SmallNetworkRecipe());
  auto with = [&](const std::string& line, const std::string& replacement) {
    EXPECT_THAT(text, HasSubstr("\r\n" + line + "\r\n")) << line;
    return ReplaceAll(text, "\r\n" + line + "\r\n", "\r\n" + replacement + "\r\n");
  };
  for (const char* bad : {"-1,-1", "32768,-1", "1.5,-1", "one,-1", "1,-32769"}) {
    EXPECT_FALSE(Parses(with("1,-1", bad))) << bad;
  }
  EXPECT_FALSE(Parses(with("3,p,q,r,s", "0,p,q,r,s")));
  for (const char* bad : {"abc,1,1", "inf,1,1", "1e999,1,1", ",1,1"}) {
    EXPECT_FALSE(Parses(with("0.5,1,1", bad))) << bad;
  }
  for (const char* good : {"  +5E-01 ,1,1", ".5,1,1", "\"0.5\",1,1"}) {
    EXPECT_TRUE(Parses(with("0.5,1,1", good))) << good;
  }
  EXPECT_FALSE(Parses(""));
  // A count too large for the file is refused before anything is allocated.
  const std::pair<std::string, const char*> huge[] = {
      {with("1,-1", "32766,-1"), "too short"},
      {with("1,-1", "32767,-1"), "16 bits"},
      {with("3,p,q,r,s", "32767,p,q,r,s"), "too short"}};
  for (const auto& [file, reason] : huge) {
    NetworkModel net;
    std::string detail;
    EXPECT_FALSE(ParseWeightsFields(file, net, detail));
    EXPECT_THAT(detail, HasSubstr(reason)) << detail;
    EXPECT_TRUE(net.wih.empty());
  }
}

TEST(NetDescription, TakesTheLinesBetweenTheMarkers) {
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
}

TEST(WeightsReader, AUtf8FileIsReadInTheCodePageOrRefusedNamingTheCharacter) {
  const conformance::ScratchFolder folder;
  const std::string path = folder.File("utf8.kwf");
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.inputs[0].name =
      "Gr\xC3\xB6\xC3\x9F"
      "e";
  recipe.output_name = "caf\xC3\xA9";
  conformance::WriteText(path, BuildWeightsFile(recipe));
  testing::RecordingMessagePort messages;
  NetworkModel net;
  EXPECT_TRUE(ReadWeightsFile(path, net, messages));
  EXPECT_EQ(net.input_names[0],
            "Gr\xF6\xDF"
            "e");
  EXPECT_EQ(net.output_name, "caf\xE9");

  recipe.output_name = "\xE4\xB8\xAD";
  conformance::WriteText(path, BuildWeightsFile(recipe));
  EXPECT_FALSE(ReadWeightsFile(path, net, messages));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_THAT(messages.messages[0].text, HasSubstr("holds the character U+4E2D"));
}

std::vector<std::string> AllFields(std::string_view text) {
  FieldReader reader(text);
  std::vector<std::string> fields;
  std::string field;
  while (reader.Next(field)) fields.push_back(field);
  return fields;
}

// Line ends, the rest of a line and number forms are read through the weights files above.
TEST(FieldReader, QuotesProtectCommasAndBlanksAreTrimmedOutsideThem) {
  EXPECT_EQ(AllFields("  \"x, y\" ,  z  ,\" q \""), (std::vector<std::string>{"x, y", "z", " q "}));
  // Text after a closing quote, up to the delimiter, is dropped.
  EXPECT_EQ(AllFields("\"ab\"cd,e"), (std::vector<std::string>{"ab", "e"}));
  // An unterminated quote runs to the end of the data.
  EXPECT_EQ(AllFields("\"open, a\r\nb"), (std::vector<std::string>{"open, a\r\nb"}));
}

TEST(FieldReader, NumbersAndSixteenBitIntegers) {
  FieldReader reader("1.5E+02, -0.25,32767,-32768,32768,2.5,x");
  double number = 0;
  int integer = 0;
  ASSERT_TRUE(reader.NextNumber(number));
  EXPECT_EQ(number, 150);
  ASSERT_TRUE(reader.NextNumber(number));
  EXPECT_EQ(number, -0.25);
  ASSERT_TRUE(reader.NextInteger16(integer));
  EXPECT_EQ(integer, 32767);
  ASSERT_TRUE(reader.NextInteger16(integer));
  EXPECT_EQ(integer, -32768);
  EXPECT_FALSE(reader.NextInteger16(integer));
  EXPECT_FALSE(reader.NextInteger16(integer));
  EXPECT_FALSE(reader.NextNumber(number));
  EXPECT_FALSE(reader.NextNumber(number));
}

}  // namespace
}  // namespace kdk
