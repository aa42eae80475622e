#include "core/mars/model_summary.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/text_file.h"
#include "core/mars/generated_file.h"
#include "core/mars/mars_test_models.h"

namespace kdk {
namespace {

using testing::ParseText;
using testing::RecordingMessagePort;

TEST(ModelSummaryText, HeadAndTailWrapTheLines) {
  RecordingMessagePort messages;
  const MarsModel model = ParseText(testing::kWorkedExample, messages);
  const std::string text = ModelSummaryText(model, "/*", "", "*/");
  EXPECT_EQ(text.substr(0, 20), "/*\r\nModel Inputs (3)");
  EXPECT_TRUE(text.ends_with("\r\nBF5 = ( X3 = .);\r\n*/"));
  EXPECT_NE(text.find("\r\n X1\r\n*X2\r\n X3\r\n"), std::string::npos);
}

class WriteGeneratedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() / ("kdk_generated_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
  RecordingMessagePort messages_;
  std::vector<std::string> labels_;
  std::function<void(const std::string&)> sink_ = [this](const std::string& label) {
    labels_.push_back(label);
  };
};

TEST_F(WriteGeneratedFileTest, WritesTrimmedLinesAndReports) {
  const std::string path = (folder_ / "out.sps").string();
  ASSERT_TRUE(
      WriteGeneratedFile(path, "  COMPUTE a = 1 .\r\n\tEXECUTE .  \r\nlast", sink_, messages_));
  std::string bytes, error;
  ASSERT_TRUE(ReadWholeFile(path, bytes, error));
  EXPECT_EQ(bytes, "COMPUTE a = 1 .\r\n\tEXECUTE .\r\nlast\r\n");
  ASSERT_EQ(labels_.size(), 2u);
  EXPECT_EQ(labels_[0], "Files Generated...");
  EXPECT_EQ(labels_[1], "Files Generated...\r\n" + path);
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].text, "Done it!");
}

TEST_F(WriteGeneratedFileTest, EmptyTextOnlySetsTheLabel) {
  const std::string path = (folder_ / "empty.sql").string();
  EXPECT_TRUE(WriteGeneratedFile(path, "", sink_, messages_));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(labels_, std::vector<std::string>{"Files Generated..."});
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(WriteGeneratedFileTest, UnwritablePathIsReportedAndNothingIsDone) {
  const std::string path = (folder_ / "no such folder" / "x.sql").string();
  EXPECT_FALSE(WriteGeneratedFile(path, "UPDATE x", sink_, messages_));
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_NE(messages_.messages[0].text.find(path), std::string::npos);
  EXPECT_EQ(labels_, std::vector<std::string>{"Files Generated..."});
}

TEST_F(WriteGeneratedFileTest, TheModelFileIsNeverTheOutput) {
  const std::string model = (folder_ / "rules.txt").string();
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(model, "BF1 = max(0, X - 1);\r\n", error));
  std::filesystem::create_symlink(model, folder_ / "alias.txt");
  for (const std::string& output :
       {model, (folder_ / "." / "rules.txt").string(), (folder_ / "alias.txt").string()}) {
    messages_.messages.clear();
    EXPECT_FALSE(WriteGeneratedFile(output, "UPDATE x", sink_, messages_, model)) << output;
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].text, SameAsModelMessage(output));
    EXPECT_EQ(messages_.messages[0].icon, MessageIcon::Critical);
  }
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(model, bytes, error));
  EXPECT_EQ(bytes, "BF1 = max(0, X - 1);\r\n");
  EXPECT_TRUE(
      WriteGeneratedFile((folder_ / "q.sql").string(), "UPDATE x", sink_, messages_, model));
}

}  // namespace
}  // namespace kdk
