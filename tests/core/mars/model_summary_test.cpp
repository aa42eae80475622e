#include "core/mars/model_summary.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/text_file.h"
#include "core/mars/generated_file.h"
#include "core/mars/mars_test_models.h"
#include "support/scratch.h"

namespace kdk {
namespace {

TEST(ModelSummaryText, HeadAndTailWrapTheLines) {
  const std::string text =
      ModelSummaryText(testing::ParseOk(testing::kWorkedExample), "/*", "", "*/");
  EXPECT_EQ(text.substr(0, 20), "/*\r\nModel Inputs (3)");
  EXPECT_TRUE(text.ends_with("\r\nBF5 = ( X3 = .);\r\n*/"));
  EXPECT_NE(text.find("\r\n X1\r\n*X2\r\n X3\r\n"), std::string::npos);
}

struct WriteGeneratedFileTest : ::testing::Test {
  std::string Read(const std::string& path) {
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    return bytes;
  }
  conformance::ScratchFolder folder_;
  testing::RecordingMessagePort messages_;
  std::vector<std::string> labels_;
  std::function<void(const std::string&)> sink_ = [this](const std::string& label) {
    labels_.push_back(label);
  };
};

TEST_F(WriteGeneratedFileTest, WritesTrimmedLinesAndReportsAndEmptyTextOnlySetsTheLabel) {
  const std::string path = folder_.File("out.sps");
  ASSERT_TRUE(
      WriteGeneratedFile(path, "  COMPUTE a = 1 .\r\n\tEXECUTE .  \r\nlast", sink_, messages_));
  EXPECT_EQ(Read(path), "COMPUTE a = 1 .\r\n\tEXECUTE .\r\nlast\r\n");
  EXPECT_EQ(labels_,
            (std::vector<std::string>{"Files Generated...", "Files Generated...\r\n" + path}));
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].text, "Done it!");

  labels_.clear();
  EXPECT_TRUE(WriteGeneratedFile(folder_.File("empty.sql"), "", sink_, messages_));
  EXPECT_FALSE(std::filesystem::exists(folder_.File("empty.sql")));
  EXPECT_EQ(labels_, std::vector<std::string>{"Files Generated..."});
  EXPECT_EQ(messages_.messages.size(), 1u);
}

TEST_F(WriteGeneratedFileTest, UnwritablePathIsReportedAndNothingIsDone) {
  const std::string path = folder_.File("no such folder/x.sql");
  EXPECT_FALSE(WriteGeneratedFile(path, "UPDATE x", sink_, messages_));
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_NE(messages_.messages[0].text.find(path), std::string::npos);
  EXPECT_EQ(labels_, std::vector<std::string>{"Files Generated..."});
}

TEST_F(WriteGeneratedFileTest, TheModelFileIsNeverTheOutput) {
  const std::string model = folder_.File("rules.txt");
  conformance::WriteText(model, "BF1 = max(0, X - 1);\r\n");
  std::filesystem::create_symlink(model, folder_.File("alias.txt"));
  for (const std::string& output :
       {model, folder_.File("./rules.txt"), folder_.File("alias.txt")}) {
    messages_.messages.clear();
    EXPECT_FALSE(WriteGeneratedFile(output, "UPDATE x", sink_, messages_, model)) << output;
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].text, SameAsModelMessage(output));
    EXPECT_EQ(messages_.messages[0].icon, MessageIcon::Critical);
  }
  EXPECT_EQ(Read(model), "BF1 = max(0, X - 1);\r\n");
  EXPECT_TRUE(WriteGeneratedFile(folder_.File("q.sql"), "UPDATE x", sink_, messages_, model));
}

}  // namespace
}  // namespace kdk
