#include "core/network/weights_reader.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "fakes/fake_ports.h"
#include "fakes/weights_file_builder.h"

namespace kdk {
namespace {

using testing::BuildWeightsFile;
using testing::CountFields;
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
  ASSERT_EQ(net.InputCount(), 2);
  EXPECT_EQ(net.input_names, (std::vector<std::string>{"alpha", "beta"}));
  EXPECT_EQ(net.output_name, "out");
  EXPECT_EQ(net.data_source, "source.csv");
  EXPECT_EQ(net.data_view, "all rows");
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
  EXPECT_EQ(net.HiddenCount(), 2);
  EXPECT_EQ(net.hidden_type,
            (std::vector<NeuronType>{NeuronType::NonLinear, NeuronType::Linear, NeuronType::Bias}));
  EXPECT_EQ(net.linear_count, 1);
  // The hidden-bias column is zeroed whatever the file says.
  EXPECT_EQ(net.wih,
            (std::vector<std::vector<double>>{{0.5, -0.25, 0}, {1.5, 0.75, 0}, {-0.125, 0.3, 0}}));
  EXPECT_EQ(net.who, (std::vector<double>{0.8, -0.4, 0.1}));
}

TEST(WeightsReader, NeedsExactlyTheCountedFields) {
  for (int c_x : {-1, -7, 0, 2}) {
    WeightsFileRecipe recipe = SmallNetworkRecipe();
    recipe.c_x = c_x;
    recipe.one_field_per_line = true;
    const std::string text = BuildWeightsFile(recipe);
    const long long fields = CountFields(recipe);
    if (c_x < 0) {
      EXPECT_EQ(fields, 80);
    }
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

TEST(WeightsReader, FieldsMaySitOnLinesInAnyWay) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  NetworkModel rows = ParseOk(BuildWeightsFile(recipe));
  recipe.one_field_per_line = true;
  recipe.line_end = "\n";
  NetworkModel single = ParseOk(BuildWeightsFile(recipe));
  EXPECT_EQ(rows.wih, single.wih);
  EXPECT_EQ(rows.input_names, single.input_names);
}

TEST(WeightsReader, QuotedNamesKeepCommasAndLeadingBlanksAreSkipped) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.inputs[0].name = "income, annual";
  recipe.output_name = "a, b, c";
  std::string text = BuildWeightsFile(recipe);
  text = ReplaceAll(text, ",\"beta\"", ",    \"beta\"");
  NetworkModel net = ParseOk(text);
  EXPECT_EQ(net.input_names[0], "income, annual");
  EXPECT_EQ(net.input_names[1], "beta");
  EXPECT_EQ(net.output_name, "a, b, c");
}

TEST(WeightsReader, HeaderLineFollowsTheThirdFieldsEnding) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  // Third field ending at a comma: the header is the rest of that line.
  recipe.opening = "\"K\",\"2\",\"x\",\"src\",\"view\",#TRUE#";
  recipe.header = "";
  std::string text = BuildWeightsFile(recipe);
  text = ReplaceAll(text, "#TRUE#\r\n\r\n", "#TRUE#\r\n");
  NetworkModel net = ParseOk(text);
  EXPECT_EQ(net.data_source, "src");
  EXPECT_EQ(net.data_view, "view");
  EXPECT_TRUE(net.is_classifier);
}

TEST(WeightsReader, HeaderTruthValues) {
  struct Case {
    std::string third;
    bool parses;
    bool value;
  };
  for (const Case& c : std::vector<Case>{{"#TRUE#", true, true},
                                         {"#false#", true, false},
                                         {"\"True\"", true, true},
                                         {"1", true, true},
                                         {"-2.5", true, true},
                                         {"0", true, false},
                                         {"#TRUE#,extra,more", true, true},
                                         {"maybe", false, false},
                                         {"", false, false}}) {
    WeightsFileRecipe recipe = SmallNetworkRecipe();
    recipe.header = "\"a\",\"b\"," + c.third;
    NetworkModel net;
    std::string detail;
    EXPECT_EQ(ParseWeightsFields(BuildWeightsFile(recipe), net, detail), c.parses) << c.third;
    if (c.parses) {
      EXPECT_EQ(net.is_classifier, c.value) << c.third;
    }
  }
}

TEST(WeightsReader, ACommaInTheSourceShiftsTheHeaderElements) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.header = "\"C:\\data, 2003\\a.csv\",\"view\",#FALSE#";
  EXPECT_FALSE(Parses(BuildWeightsFile(recipe)));
  // ...unless the shifted element happens to be a truth value.
  recipe.header = "\"x,y\",0,#FALSE#";
  NetworkModel net = ParseOk(BuildWeightsFile(recipe));
  EXPECT_EQ(net.data_source, "x");
  EXPECT_EQ(net.data_view, "y");
  EXPECT_FALSE(net.is_classifier);
  // Two elements only: fewer than three.
  recipe.header = "\"a\",\"b\"";
  EXPECT_FALSE(Parses(BuildWeightsFile(recipe)));
}

TEST(WeightsReader, OnlyTheExactUpperCaseWordMakesATanhNeuron) {
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.hidden_types = {"nonlinear", "NonLinear"};
  NetworkModel net = ParseOk(BuildWeightsFile(recipe));
  EXPECT_EQ(net.hidden_type[0], NeuronType::Linear);
  EXPECT_EQ(net.hidden_type[1], NeuronType::Linear);
  EXPECT_EQ(net.linear_count, 2);
  recipe.hidden_types = {"NONLINEAR", "NONLINEAR"};
  EXPECT_EQ(ParseOk(BuildWeightsFile(recipe)).linear_count, 0);
}

TEST(WeightsReader, CountEdgeCases) {
  WeightsFileRecipe one_input = SmallNetworkRecipe();
  one_input.inputs.resize(1);
  one_input.wih.erase(one_input.wih.begin() + 1);
  NetworkModel net = ParseOk(BuildWeightsFile(one_input));
  EXPECT_EQ(net.InputCount(), 1);

  WeightsFileRecipe no_hidden = SmallNetworkRecipe();
  no_hidden.hidden_types.clear();
  no_hidden.wih = {{7}, {8}, {9}};
  no_hidden.who = {0.25};
  net = ParseOk(BuildWeightsFile(no_hidden));
  EXPECT_EQ(net.HiddenCount(), 0);
  EXPECT_EQ(net.wih, (std::vector<std::vector<double>>{{0}, {0}, {0}}));

  // C_in = -1 and H = 0 leave an index range empty.
  std::string text = BuildWeightsFile(SmallNetworkRecipe());
  EXPECT_FALSE(Parses(ReplaceAll(text, "\r\n1,-1\r\n", "\r\n-1,-1\r\n")));
  EXPECT_FALSE(Parses(ReplaceAll(text, "\r\n3,p,q,r,s\r\n", "\r\n0,p,q,r,s\r\n")));
}

TEST(WeightsReader, CorruptFieldsAreRejected) {
  const std::string text = BuildWeightsFile(SmallNetworkRecipe());
  // 16-bit integers.
  EXPECT_FALSE(Parses(ReplaceAll(text, "\r\n1,-1\r\n", "\r\n32768,-1\r\n")));
  EXPECT_FALSE(Parses(ReplaceAll(text, "\r\n1,-1\r\n", "\r\n1.5,-1\r\n")));
  EXPECT_FALSE(Parses(ReplaceAll(text, "\r\n1,-1\r\n", "\r\none,-1\r\n")));
  EXPECT_FALSE(Parses(ReplaceAll(text, "\r\n1,-1\r\n", "\r\n1,-32769\r\n")));
  // A weight that is no number, or not finite.
  EXPECT_FALSE(Parses(ReplaceAll(text, "\r\n0.5,1,1\r\n", "\r\nabc,1,1\r\n")));
  EXPECT_FALSE(Parses(ReplaceAll(text, "\r\n0.5,1,1\r\n", "\r\ninf,1,1\r\n")));
  EXPECT_FALSE(Parses(ReplaceAll(text, "\r\n0.5,1,1\r\n", "\r\n1e999,1,1\r\n")));
  EXPECT_FALSE(Parses(ReplaceAll(text, "\r\n0.5,1,1\r\n", "\r\n,1,1\r\n")));
  // Numbers in their usual forms are fine.
  EXPECT_TRUE(Parses(ReplaceAll(text, "\r\n0.5,1,1\r\n", "\r\n  +5E-01 ,1,1\r\n")));
  EXPECT_TRUE(Parses(ReplaceAll(text, "\r\n0.5,1,1\r\n", "\r\n.5,1,1\r\n")));
  EXPECT_TRUE(Parses(ReplaceAll(text, "\r\n0.5,1,1\r\n", "\r\n\"0.5\",1,1\r\n")));
  EXPECT_FALSE(Parses(""));
}

TEST(WeightsReader, AHugeCountIsRejectedBeforeAnythingIsAllocated) {
  std::string text = BuildWeightsFile(SmallNetworkRecipe());
  NetworkModel net;
  std::string detail;
  EXPECT_FALSE(
      ParseWeightsFields(ReplaceAll(text, "\r\n1,-1\r\n", "\r\n32766,-1\r\n"), net, detail));
  EXPECT_NE(detail.find("too short"), std::string::npos) << detail;
  // N = C_in + 1 is a 16-bit count too.
  EXPECT_FALSE(
      ParseWeightsFields(ReplaceAll(text, "\r\n1,-1\r\n", "\r\n32767,-1\r\n"), net, detail));
  EXPECT_NE(detail.find("16 bits"), std::string::npos) << detail;
  EXPECT_FALSE(ParseWeightsFields(ReplaceAll(text, "\r\n3,p,q,r,s\r\n", "\r\n32767,p,q,r,s\r\n"),
                                  net, detail));
  EXPECT_NE(detail.find("too short"), std::string::npos) << detail;
  EXPECT_TRUE(net.wih.empty());
}

TEST(NetDescription, TakesTheLinesBetweenTheMarkers) {
  EXPECT_EQ(ParseNetDescription("x\r\nnet description\r\n\r\n\r\nfirst\r\n\r\nthird\r\nEnd Of Net "
                                "Description\r\nafter\r\n"),
            "first\r\n\r\nthird");
  EXPECT_EQ(ParseNetDescription("no markers here\r\n"), "");
  // Without the end marker the last line is lost.
  EXPECT_EQ(ParseNetDescription("NET DESCRIPTION\r\none\r\ntwo\r\nthree\r\n"), "one\r\ntwo");
  // The start marker on the last line: nothing follows it.
  EXPECT_EQ(ParseNetDescription("a\r\nNET DESCRIPTION\r\n"), "");
  // An input name holding the words starts the block early.
  EXPECT_EQ(ParseNetDescription("1,\"my net description\",2\r\nreal text\r\nNET DESCRIPTION\r\n"
                                "inside\r\nEND OF NET DESCRIPTION\r\n"),
            "real text\r\nNET DESCRIPTION\r\ninside");
}

TEST(WeightsReader, AUtf8FileIsReadInTheCodePageOrRefusedNamingTheCharacter) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("kdk_utf8_" + std::to_string(getpid()) + ".kwf"))
          .string();
  WeightsFileRecipe recipe = SmallNetworkRecipe();
  recipe.inputs[0].name = "Gr\xC3\xB6\xC3\x9F" "e";
  recipe.output_name = "caf\xC3\xA9";
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, BuildWeightsFile(recipe), error)) << error;
  testing::RecordingMessagePort messages;
  NetworkModel net;
  EXPECT_TRUE(ReadWeightsFile(path, net, messages));
  EXPECT_EQ(net.input_names[0], "Gr\xF6\xDF" "e");
  EXPECT_EQ(net.output_name, "caf\xE9");

  recipe.output_name = "\xE4\xB8\xAD";
  ASSERT_TRUE(WriteFileAtomically(path, BuildWeightsFile(recipe), error)) << error;
  EXPECT_FALSE(ReadWeightsFile(path, net, messages));
  std::filesystem::remove(path);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_NE(messages.messages[0].text.find("holds the character U+4E2D"), std::string::npos);
}

TEST(NetDescription, CorruptMessageHasTheExactText) {
  EXPECT_EQ(CorruptWeightsFileMessage("/m/a.kwf"),
            "Problems reading the Kestrium Weights file: \r\n\r\n/m/a.kwf\r\n\r\nThis file is "
            "corrupted.");
}

}  // namespace
}  // namespace kdk
