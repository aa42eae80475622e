#include "core/shell/command_line.h"

#include <gtest/gtest.h>

namespace kdk {
namespace {

TEST(CommandLineModel, BlanksAndQuotesOnlyCountAsEmpty) {
  CommandLineModel model = ParseCommandLineModel("  \" \"  \"\" ");
  EXPECT_FALSE(model.consulted);
  EXPECT_FALSE(model.hide_launch_button);
  EXPECT_EQ(model.model_path, "");
}

TEST(CommandLineModel, AQuotedPathWithCapitalExtensionIsTakenWhole) {
  CommandLineModel model = ParseCommandLineModel("\"/data/My Nets/House Price.KWF\"");
  EXPECT_EQ(model.model_path, "/data/My Nets/House Price.KWF");
  EXPECT_FALSE(model.hide_launch_button);
  EXPECT_EQ(model.model_name, "House_Price");
  EXPECT_EQ(model.file_title, "House Price.KWF");
}

TEST(CommandLineModel, WordsAfterTheLastExtensionAreCut) {
  CommandLineModel model = ParseCommandLineModel("/data/a.kwf.kwf /silent  ");
  EXPECT_EQ(model.model_path, "/data/a.kwf.kwf");
  EXPECT_TRUE(model.hide_launch_button);
  model = ParseCommandLineModel("/my models/b.kwf   x");
  EXPECT_EQ(model.model_path, "/my models/b.kwf");
}

TEST(CommandLineModel, TextWithoutTheExtensionLoadsNothingAndHidesTheButton) {
  CommandLineModel model = ParseCommandLineModel("/data/notes.txt");
  EXPECT_TRUE(model.consulted);
  EXPECT_TRUE(model.hide_launch_button);
  EXPECT_EQ(model.model_path, "");
}

TEST(CommandLineModel, NameIsTakenAfterLastSlashThenLastBackslash) {
  CommandLineModel model = ParseCommandLineModel("C:\\x/y\\net one.kwf");
  EXPECT_EQ(model.file_title, "net one.kwf");
  EXPECT_EQ(model.model_name, "net_one");
}

}  // namespace
}  // namespace kdk
