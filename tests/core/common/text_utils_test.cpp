#include "core/common/text_utils.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "core/common/model_text.h"
#include "core/common/output_file.h"
#include "core/common/text_file.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using ::testing::HasSubstr;

// An output's base name loses its last four characters: a four-letter extension leaves
// its dot behind.
TEST(TextUtils, NamesPathsBlanksAndLines) {
  const std::pair<std::string, std::string> cases[] = {
      {StripChars("\"\"\"\""), ""},
      {StripChars("\"abc\""), "abc"},
      {StripChars("#TRUE#", '#'), "TRUE"},
      {StripChars("\"#a#b\"", '#'), "ab"},
      {StripChars("a b"), "a b"},
      {OutputBaseName("/home/ann/my model out.xls"), "my_model_out"},
      {OutputBaseName("C:\\models\\my net.frm"), "my_net"},
      {OutputBaseName("/tmp/ x .sql"), "x"},
      {OutputBaseName("/tmp/page.htm"), "page"},
      {OutputBaseName("/tmp/page.html"), "page."},
      {OutputBaseName("abc"), ""},
      {ParentFolder("/data/models/a.kwf"), "/data/models"},
      {ParentFolder("/a.kwf"), "/"},
      {ParentFolder("rel/b.kwf"), std::filesystem::current_path().string() + "/rel"},
      {ParentFolder("/data/x/../y/c.kwf"), "/data/y"},
      {FileNameOfPath("C:\\a/b\\c d.kwf"), "c d.kwf"},
      {FileNameOfPath("/a\\b/c.kwf"), "c.kwf"},
      {FileNameOfPath("plain.kwf"), "plain.kwf"},
      {ModelNameFromFileTitle("my house prices.kwf"), "my_house_prices"},
      {TrimBlanks("  a b  "), "a b"},
      {TrimBlanks("\ta\t"), "\ta\t"},
      {TrimBlanks("   "), ""}};
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
  EXPECT_EQ(SplitIntoLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitIntoLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitIntoLines("").empty());
}

struct AtomicWriteTest : ::testing::Test {
  std::string Read(const std::filesystem::path& path) const {
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(path.string(), bytes, error)) << error;
    return bytes;
  }
  long Entries() const {
    return std::distance(std::filesystem::directory_iterator(folder_),
                         std::filesystem::directory_iterator());
  }
  conformance::ScratchFolder scratch_;
  const std::filesystem::path& folder_ = scratch_.path();
};

TEST_F(AtomicWriteTest, ReplacesTheFileWholeOrFailsLeavingNothingBeside) {
  const std::string path = (folder_ / "out.txt").string();
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "old\r\n", error)) << error;
  ASSERT_TRUE(WriteFileAtomically(path, "new line\r\n", error)) << error;
  EXPECT_EQ(Read(path), "new line\r\n");
  const std::string missing = (folder_ / "missing-folder" / "out.txt").string();
  EXPECT_FALSE(WriteFileAtomically(missing, "x", error));
  EXPECT_THAT(error, HasSubstr(missing));
  // Renaming over a folder fails after the temporary file was written: it must go.
  std::filesystem::create_directories(folder_ / "taken");
  EXPECT_FALSE(WriteFileAtomically((folder_ / "taken").string(), "x", error));
  EXPECT_EQ(Entries(), 2);
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
  EXPECT_EQ(Read(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  // A link to a file not made yet makes it; a read-only file is left alone.
  fs::create_symlink("later.sql", folder_ / "dangling.sql");
  ASSERT_TRUE(WriteFileAtomically((folder_ / "dangling.sql").string(), "made", error)) << error;
  EXPECT_TRUE(fs::is_regular_file(folder_ / "later.sql"));
  fs::permissions(target, fs::perms::owner_read);
  EXPECT_FALSE(WriteFileAtomically(target.string(), "x", error));
  EXPECT_THAT(error, HasSubstr("read-only")) << error;
}

// `-o /dev/null` and a FIFO are written to, never replaced (`-o /dev/stdout >> log` is the
// command line's test).
TEST_F(AtomicWriteTest, DevicesFifosAndDescriptorsAreWrittenToNeverReplaced) {
  namespace fs = std::filesystem;
  std::string error;
  ASSERT_TRUE(WriteFileAtomically("/dev/null", "gone", error)) << error;
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  const fs::path pipe = folder_ / "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::string heard;
  std::thread reader([&] {
    std::ifstream in(pipe);
    heard.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  });
  const bool piped = WriteFileAtomically(pipe.string(), "through the pipe", error);
  reader.join();
  EXPECT_TRUE(piped) << error;
  EXPECT_EQ(heard, "through the pipe");
  EXPECT_TRUE(fs::is_fifo(pipe));

  EXPECT_EQ(Entries(), 1);
}

TEST_F(AtomicWriteTest, FoldersAndLinkLoopsAreRefusedAndLongNamesFit) {
  namespace fs = std::filesystem;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder_.string(), "x", error));
  EXPECT_THAT(error, HasSubstr("it is a folder")) << error;
  fs::create_symlink("b", folder_ / "a");
  fs::create_symlink("a", folder_ / "b");
  EXPECT_FALSE(WriteFileAtomically((folder_ / "a").string(), "x", error));
  EXPECT_THAT(error, HasSubstr("loop")) << error;
  EXPECT_TRUE(fs::is_symlink(folder_ / "a"));
  EXPECT_TRUE(fs::is_symlink(folder_ / "b"));

  // The temporary name does not grow with the output's: a 250-byte name is written.
  const mode_t old_mask = umask(022);
  const fs::path long_name = folder_ / (std::string(246, 'n') + ".sql");
  EXPECT_TRUE(WriteFileAtomically(long_name.string(), "long", error)) << error;
  umask(old_mask);
  EXPECT_EQ(Read(long_name), "long");
  // A new file has the umask's permissions, not a temporary file's 0600.
  EXPECT_EQ(fs::status(long_name).permissions(), fs::perms(0644));
  EXPECT_EQ(Entries(), 3);
}

// Files written together: a failure in any leaves every file as it was and nothing
// beside them, before the renames (a write that fails) and during them.
TEST_F(AtomicWriteTest, SeveralFilesGoInTogetherOrNotAtAll) {
  namespace fs = std::filesystem;
  const fs::path first = folder_ / "p.vbp";
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(first.string(), "old", error));
  fs::permissions(first, fs::perms(0600));
  {
    OutputFiles files;
    EXPECT_TRUE(files.Add(first.string(), "new"));
    EXPECT_FALSE(files.Add((folder_ / "none" / "p.frm").string(), "form"));
  }
  EXPECT_EQ(Read(first), "old");
  EXPECT_EQ(Entries(), 1);

  fs::create_directory(folder_ / "sub");
  OutputFiles files;
  ASSERT_TRUE(files.Add(first.string(), "new"));
  ASSERT_TRUE(files.Add((folder_ / "sub" / "p.frm").string(), "form"));
  fs::remove_all(folder_ / "sub");  // the second rename fails after the first
  EXPECT_FALSE(files.Commit());
  EXPECT_EQ(Read(first), "old");
  EXPECT_EQ(fs::status(first).permissions(), fs::perms(0600));
  EXPECT_EQ(Entries(), 1);

  OutputFiles both;
  ASSERT_TRUE(both.Add(first.string(), "new"));
  ASSERT_TRUE(both.Add((folder_ / "p.frm").string(), "form"));
  ASSERT_TRUE(both.Commit()) << both.Error();
  EXPECT_EQ(Read(first), "new");
  EXPECT_EQ(fs::status(first).permissions(), fs::perms(0600));
  EXPECT_EQ(Entries(), 2);
}

TEST_F(AtomicWriteTest, TheModelAndTheDataAreNeverOutputs) {
  namespace fs = std::filesystem;
  const fs::path model = folder_ / "m.kwf", data = folder_ / "d.sav";
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(model.string(), "model", error));
  ASSERT_TRUE(WriteFileAtomically(data.string(), "data", error));
  fs::create_hard_link(model, folder_ / "hard.kwf");
  const KeptInputs kept{model.string(), data.string()};
  EXPECT_FALSE(WriteOutputFile((folder_ / "hard.kwf").string(), "x", error, kept));
  EXPECT_EQ(error, SameAsModelMessage((folder_ / "hard.kwf").string()));
  EXPECT_FALSE(WriteOutputFile((folder_ / "." / "d.sav").string(), "x", error, kept));
  EXPECT_THAT(error, HasSubstr("would replace the data file")) << error;
  EXPECT_EQ(Read(model), "model");
  EXPECT_EQ(Read(data), "data");
}

TEST(ReadWholeStream, StopsAtTheInputBound) {
  std::istringstream small("BF1 = 1;");
  std::string bytes, error;
  EXPECT_TRUE(ReadWholeStream(small, bytes, error));
  EXPECT_EQ(bytes, "BF1 = 1;");
  std::istringstream huge(std::string(kLargestInputBytes + 1, '0'));
  EXPECT_FALSE(ReadWholeStream(huge, bytes, error));
  EXPECT_THAT(error, HasSubstr("larger than 64 MB")) << error;
  EXPECT_TRUE(bytes.empty());
}

TEST(ModelText, EveryCodePageByteGoesToUtf8AndBack) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    std::string back, error;
    ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(byte), back, error)) << b;
    EXPECT_EQ(back, byte) << b;
  }
  EXPECT_EQ(Cp1252ToUtf8("\x80\x81\x9F\xE9"), "\u20AC\xC2\x81\u0178\u00E9");
}

TEST(ModelText, DecidesTheEncodingOnce) {
  std::string text, error;
  // ASCII and text that is not UTF-8 stay as they are.
  ASSERT_TRUE(DecodeModelText("BF1 = max(0, x - 1);", text, error));
  EXPECT_EQ(text, "BF1 = max(0, x - 1);");
  ASSERT_TRUE(
      DecodeModelText("Gr\xF6\xDF"
                      "e \xC3",
                      text, error));
  EXPECT_EQ(text,
            "Gr\xF6\xDF"
            "e \xC3");
  // Overlong forms and surrogates are not UTF-8.
  ASSERT_TRUE(DecodeModelText("\xC0\xAF \xED\xA0\x80", text, error));
  EXPECT_EQ(text, "\xC0\xAF \xED\xA0\x80");
  // UTF-8 with non-ASCII is converted, its byte-order mark dropped.
  ASSERT_TRUE(
      DecodeModelText("\xEF\xBB\xBF"
                      "caf\u00E9 \u20AC",
                      text, error));
  EXPECT_EQ(text, "caf\xE9 \x80");
}

TEST(ModelText, RefusesACharacterTheCodePageCannotHoldNamingTheLine) {
  std::string text = "kept", error;
  EXPECT_FALSE(DecodeModelText("BF1 = x\r\nBF2 = \u00E9\nBF3 = y\u4E2D", text, error));
  EXPECT_EQ(error,
            "Line 3 holds the character U+4E2D after \"BF3 = y\": model text is Windows-1252, "
            "which cannot represent it.");
  EXPECT_EQ(text, "kept");
}

TEST(ModelText, PathsAndMessagesCrossBetweenTheFileSystemAndModelText) {
  EXPECT_EQ(MessageTextAsUtf8("Gr\xF6\xDF"
                              "e \x80"),
            "Gr\u00F6\u00DFe \u20AC");
  EXPECT_EQ(MessageTextAsUtf8("/m/caf\u00E9.txt"), "/m/caf\u00E9.txt");
  EXPECT_EQ(PathAsModelText("/m/caf\u00E9 \u4E2D.txt"), "/m/caf\xE9 ?.txt");
  EXPECT_EQ(PathAsModelText("/m/caf\xE9.txt"), "/m/caf\xE9.txt");  // not UTF-8: as it is
}

TEST(ModelText, OneNameCharacterDefinition) {
  EXPECT_TRUE(IsModelNameStart('\xE9') && IsModelNameStart('_') && IsModelNameStart('Z'));
  EXPECT_FALSE(IsModelNameStart('1') || IsModelNameStart('$'));
  EXPECT_TRUE(IsModelNameChar('$') && IsModelNameChar('#') && IsModelNameChar('@') &&
              IsModelNameChar('9') && IsModelNameChar('\x8A'));
  EXPECT_FALSE(IsModelNameChar(' ') || IsModelNameChar('-') || IsModelNameChar('.'));
}

}  // namespace
}  // namespace kdk
