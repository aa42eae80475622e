#include "core/common/text_utils.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/text_file.h"

namespace kdk {
namespace {

TEST(StripChars, RemovesQuotesAndTheGivenCharacter) {
  EXPECT_EQ(StripChars("\"\"\"\""), "");
  EXPECT_EQ(StripChars("\"abc\""), "abc");
  EXPECT_EQ(StripChars("#TRUE#", '#'), "TRUE");
  EXPECT_EQ(StripChars("\"#a#b\"", '#'), "ab");
  EXPECT_EQ(StripChars("a b"), "a b");
}

TEST(OutputBaseName, DropsExtensionAndFolderAndWritesBlanksAsUnderscores) {
  EXPECT_EQ(OutputBaseName("/home/ann/my model out.xls"), "my_model_out");
  EXPECT_EQ(OutputBaseName("C:\\models\\my net.frm"), "my_net");
  EXPECT_EQ(OutputBaseName("/tmp/ x .sql"), "x");
  // A three-letter extension with its dot is exactly four characters.
  EXPECT_EQ(OutputBaseName("/tmp/page.htm"), "page");
  // A four-letter extension leaves its dot behind.
  EXPECT_EQ(OutputBaseName("/tmp/page.html"), "page.");
  EXPECT_EQ(OutputBaseName("abc"), "");
}

TEST(ParentFolder, MakesThePathAbsoluteAndDropsTheLastComponent) {
  EXPECT_EQ(ParentFolder("/data/models/a.kwf"), "/data/models");
  EXPECT_EQ(ParentFolder("/a.kwf"), "/");
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(ParentFolder("rel/b.kwf"), cwd + "/rel");
  EXPECT_EQ(ParentFolder("/data/x/../y/c.kwf"), "/data/y");
}

TEST(FileNameOfPath, TakesLastSlashFirstThenLastBackslash) {
  EXPECT_EQ(FileNameOfPath("C:\\a/b\\c d.kwf"), "c d.kwf");
  EXPECT_EQ(FileNameOfPath("/a\\b/c.kwf"), "c.kwf");
  EXPECT_EQ(FileNameOfPath("plain.kwf"), "plain.kwf");
  EXPECT_EQ(ModelNameFromFileTitle("my house prices.kwf"), "my_house_prices");
}

TEST(TrimBlanks, RemovesOnlyBlanks) {
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(SplitIntoLines, AcceptsEveryLineEndAndIgnoresAFinalOne) {
  EXPECT_EQ(SplitIntoLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitIntoLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitIntoLines("").empty());
}

class AtomicWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("kdk_write_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
};

TEST_F(AtomicWriteTest, ReplacesTheFileWholeAndLeavesNothingBeside) {
  const std::string path = (folder_ / "out.txt").string();
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "old\r\n", error)) << error;
  ASSERT_TRUE(WriteFileAtomically(path, "new line\r\n", error)) << error;
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes, error));
  EXPECT_EQ(bytes, "new line\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(AtomicWriteTest, AFailedWriteReportsAndLeavesTheOldFile) {
  const std::string path = (folder_ / "missing-folder" / "out.txt").string();
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(path, "x", error));
  EXPECT_NE(error.find(path), std::string::npos);
  // Renaming over a folder fails after the temporary file was written: it must go.
  std::filesystem::create_directories(folder_ / "taken");
  EXPECT_FALSE(WriteFileAtomically((folder_ / "taken").string(), "x", error));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(AtomicWriteTest, WritesThroughALinkAndKeepsPermissions) {
  namespace fs = std::filesystem;
  const fs::path target = folder_ / "real.sql";
  const fs::path link = folder_ / "link.sql";
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(target.string(), "old", error)) << error;
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("real.sql", link);
  ASSERT_TRUE(WriteFileAtomically(link.string(), "new", error)) << error;
  EXPECT_TRUE(fs::is_symlink(link));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(target.string(), bytes, error));
  EXPECT_EQ(bytes, "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(IsSameFile(link.string(), (folder_ / "." / "real.sql").string()));
  EXPECT_FALSE(IsSameFile(link.string(), (folder_ / "other.sql").string()));

  // A link to a file not made yet makes it; a read-only file is left alone.
  fs::create_symlink("later.sql", folder_ / "dangling.sql");
  ASSERT_TRUE(WriteFileAtomically((folder_ / "dangling.sql").string(), "made", error)) << error;
  EXPECT_TRUE(fs::is_regular_file(folder_ / "later.sql"));
  fs::permissions(target, fs::perms::owner_read);
  EXPECT_FALSE(WriteFileAtomically(target.string(), "x", error));
  EXPECT_NE(error.find("read-only"), std::string::npos) << error;
}

}  // namespace
}  // namespace kdk
