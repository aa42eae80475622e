#include "core/export/code/network_expression.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/test_models.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;

using testing::CodeTestNetwork;
using testing::CrLfLines;
using testing::SettingsFor;

using NetworkExpressionTest = testing::CodeTest;

TEST_F(NetworkExpressionTest, FormatAContinuationAndOutputBiasSign) {
  const std::string text = Expression(SettingsFor(CodeType::C, kFormatA));
  EXPECT_TRUE(text.starts_with("\r\nKestrium_price = (((( \\\r\n+ \\\r\nmyTanh( \\\r\n(("));
  EXPECT_TRUE(text.ends_with(") * (-0.5) \\\r\n+0.75)/2) + 0.5) * 10);"));
  model_.who[2] = -0.75;
  CodeExportSettings settings = SettingsFor(CodeType::Sas, kFormatA);
  EXPECT_TRUE(Expression(settings).ends_with(") * (-0.5)\r\n-0.75)/2) + 0.5) * 10);"));
  model_.who[2] = 0;
  EXPECT_TRUE(Expression(settings).ends_with(") * (-0.5))/2) + 0.5) * 10);"));
}

TEST_F(NetworkExpressionTest, FormatDWritesEveryInputTermAsItsOwnVariable) {
  CodeExportSettings settings = SettingsFor(CodeType::Sas, kFormatD);
  EXPECT_EQ(Expression(settings),
            CrLfLines({"", "Var1_1 = ((_2nd_input * (0.25)) - 0.5);", "Var1_3 = 0.25;",
                       "Var2_1 = ((_2nd_input * (-0.5)) + 1);", "Var2_2 = ((size * (2)));",
                       "Var1 = Var1_1 + Var1_3;", "Var2 = Var2_1 + Var2_2;", "Var3 =  + 0.75;",
                       "Var1 = 1.5 * Tanh(Var1);", "Var2 = -0.5 * Var2;", "Var3 = Var3;",
                       "Var = Var1 + Var2 + Var3;", "Kestrium_price = ((((Var)/2) + 0.5) * 10);"}));
  EXPECT_EQ(plan_.temporaries, (std::vector<std::string>{"", "Var1_1", "Var1_3", "Var2_1", "Var2_2",
                                                         "Var1", "Var2", "Var3", "Var"}));
}

TEST_F(NetworkExpressionTest, OutputMinimumIsAddedOnlyWhenNotZero) {
  CodeExportSettings settings = SettingsFor(CodeType::Sas, kFormatB);
  EXPECT_TRUE(Expression(settings).ends_with("+ Var3)/2) + 0.5) * 10);"));
  model_.min_norm_out = 2.5;
  EXPECT_TRUE(Expression(settings).ends_with("+ Var3)/2) + 0.5) * 7.5) + 2.5;"));
  model_.min_norm_out = -5;
  model_.max_norm_out = 5;
  EXPECT_TRUE(Expression(settings).ends_with("+ Var3)/2) + 0.5) * 10) - 5;"));
}

TEST_F(NetworkExpressionTest, RootNameIsCleaned) {
  CodeExportSettings settings = SettingsFor(CodeType::Sas, kFormatB);
  settings.root_name = " 9 t.mp ";
  EXPECT_TRUE(Expression(settings).starts_with("\r\n_9_t_mp1 = "));
  EXPECT_EQ(plan_.names.root, "_9_t_mp");
  EXPECT_EQ(plan_.temporaries.back(), "_9_t_mp3");
}

TEST_F(NetworkExpressionTest, NamesUnchangedWithoutSmartNamesWhereTheLanguageTakesThem) {
  CodeExportSettings settings = SettingsFor(CodeType::Equation, kFormatD);
  settings.controls.smart_field_names = false;
  EXPECT_THAT(Expression(settings), HasSubstr("Var1_1 = ((2nd input * (0.25)) - 0.5)"));
  settings = SettingsFor(CodeType::Sas, kFormatD);
  settings.controls.smart_field_names = false;
  EXPECT_THAT(Expression(settings), HasSubstr("Var1_1 = ((_2nd_input * (0.25)) - 0.5);"));
}

TEST_F(NetworkExpressionTest, SingleSlotNetworkPredictsFromTheBiasAlone) {
  model_.hidden_type = {NeuronType::Bias};
  model_.wih = {{0}, {0}, {0}};
  model_.who = {0.25};
  CodeExportSettings settings = SettingsFor(CodeType::Sas, kFormatA);
  EXPECT_EQ(Expression(settings),
            CrLfLines({"", "Kestrium_price = ((((", "+0.25)/2) + 0.5) * 10);"}));
  settings.equation_format = kFormatC;
  EXPECT_EQ(Expression(settings), CrLfLines({"", "Var1 = 0.25;", "Var1 = Var1;",
                                             "Kestrium_price = ((((Var1)/2) + 0.5) * 10);"}));
}

// What cannot be written is reported once and gives no text: an input with an
// empty range, weights that do not match the inputs, an unknown layout.
TEST_F(NetworkExpressionTest, WhatCannotBeWrittenIsReportedAndGivesNothing) {
  model_.max_norm[1] = model_.min_norm[1];
  CodeExportSettings settings = SettingsFor(CodeType::C, kFormatD);
  EXPECT_EQ(Expression(settings), "");
  EXPECT_EQ(plan_.temporaries, std::vector<std::string>{""});
  model_ = CodeTestNetwork();
  model_.wih.pop_back();
  EXPECT_EQ(Expression(settings), "");
  model_ = CodeTestNetwork();
  settings.equation_format = 7;
  EXPECT_EQ(Expression(settings), "");
  ASSERT_EQ(messages_.messages.size(), 3u);
  EXPECT_THAT(messages_.messages[0].text, HasSubstr("size"));
  EXPECT_THAT(messages_.messages[1].text, HasSubstr("incomplete"));
  EXPECT_EQ(messages_.messages[2].text, "error!");
  EXPECT_EQ(messages_.messages[2].icon, MessageIcon::Information);
}

TEST(TanhExprTest, Modes) {
  EXPECT_EQ(TanhExprIn("R1", kTanhCall, "myTanh("), "myTanh(R1)");
  EXPECT_EQ(TanhExprIn("R1", kTanhExponential, "Tanh("),
            "(Exp(R1) - Exp(-R1)) / (Exp(R1) + Exp(-R1))");
  EXPECT_EQ(TanhExprIn("R1", 5, "Tanh("), "");
}

TEST(CleanUpExpressionTest, SignsLineEndsAndTail) {
  EXPECT_EQ(CleanUpExpression("a - -1 + -2 - +3"), "a + 1 - 2 - 3");
  EXPECT_EQ(CleanUpExpression("a\r\n\r\n\r\n\r\nb"), "a\r\nb");
  EXPECT_EQ(CleanUpExpression("a\r\n\r\n\r\n"), "a");
  EXPECT_EQ(CleanUpExpression("a\r\n"), "a");
}

}  // namespace
}  // namespace kdk
