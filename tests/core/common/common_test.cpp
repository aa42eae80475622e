#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "core/common/date_text.h"
#include "core/common/model_text.h"
#include "core/common/number_text.h"
#include "core/common/output_file.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using conformance::ReadBack;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

// An output's base name loses its last four characters: a four-letter extension leaves
// its dot behind.
TEST(TextUtils, NamesPathsBlanksLinesAndTheInputBound) {
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
      {ParentFolder("rel/b.kwf"), fs::current_path().string() + "/rel"},
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
  // Reading stops at the input bound.
  for (std::size_t size : {std::size_t{8}, kLargestInputBytes, kLargestInputBytes + 1}) {
    std::istringstream in(std::string(size, '0'));
    std::string bytes, error;
    EXPECT_EQ(ReadWholeStream(in, bytes, error), size <= kLargestInputBytes) << size;
    EXPECT_EQ(bytes.size(), size <= kLargestInputBytes ? size : 0);
    EXPECT_EQ(error, size <= kLargestInputBytes
                         ? ""
                         : "The input is larger than 64 MB; no model is that large.");
  }
}

struct AtomicWriteTest : ::testing::Test {
  bool Write(const std::string& name, std::string_view bytes) {
    return WriteFileAtomically(scratch_.File(name), bytes, error);
  }
  long Entries() const {
    return std::distance(fs::directory_iterator(folder_), fs::directory_iterator());
  }
  conformance::ScratchFolder scratch_;
  const fs::path& folder_ = scratch_.path();
  std::string error;
};

TEST_F(AtomicWriteTest, ReplacesTheFileWholeOrFailsLeavingNothingAndNeverAnInput) {
  ASSERT_TRUE(Write("out.txt", "old\r\n") && Write("out.txt", "new line\r\n")) << error;
  EXPECT_EQ(ReadBack(folder_ / "out.txt"), "new line\r\n");
  EXPECT_FALSE(Write("missing-folder/out.txt", "x"));
  EXPECT_THAT(error, HasSubstr(scratch_.File("missing-folder/out.txt")));
  // Renaming over a folder fails after the temporary file was written: it must go.
  fs::create_directories(folder_ / "taken");
  EXPECT_FALSE(Write("taken", "x"));
  EXPECT_EQ(Entries(), 2);
  EXPECT_FALSE(WriteFileAtomically(folder_.string(), "x", error));
  EXPECT_THAT(error, HasSubstr("it is a folder"));
  // The model and the data are never outputs.
  ASSERT_TRUE(Write("m.kwf", "model") && Write("d.sav", "data"));
  fs::create_hard_link(folder_ / "m.kwf", folder_ / "hard.kwf");
  const KeptInputs kept{scratch_.File("m.kwf"), scratch_.File("d.sav")};
  EXPECT_FALSE(WriteOutputFile(scratch_.File("hard.kwf"), "x", error, kept));
  EXPECT_EQ(error, SameAsModelMessage(scratch_.File("hard.kwf")));
  EXPECT_FALSE(WriteOutputFile(scratch_.File("./d.sav"), "x", error, kept));
  EXPECT_THAT(error, HasSubstr("would replace the data file"));
  EXPECT_EQ(ReadBack(folder_ / "m.kwf") + ReadBack(folder_ / "d.sav"), "modeldata");
}

// Through a link (one to a file not made yet makes it), never round a loop; a read-only
// file is left alone, a replaced file keeps its permissions and a new one has the umask's.
TEST_F(AtomicWriteTest, LinksLoopsAndPermissions) {
  const fs::path target = folder_ / "real.sql";
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  ASSERT_TRUE(Write("real.sql", "old")) << error;
  fs::permissions(target, mode);
  fs::create_symlink("real.sql", folder_ / "link.sql");
  ASSERT_TRUE(Write("link.sql", "new")) << error;
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.sql"));
  EXPECT_EQ(ReadBack(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, mode);
  fs::create_symlink("later.sql", folder_ / "dangling.sql");
  ASSERT_TRUE(Write("dangling.sql", "made")) << error;
  EXPECT_TRUE(fs::is_regular_file(folder_ / "later.sql"));
  fs::permissions(target, fs::perms::owner_read);
  EXPECT_FALSE(Write("real.sql", "x"));
  EXPECT_THAT(error, HasSubstr("read-only"));
  fs::create_symlink("b", folder_ / "a");
  fs::create_symlink("a", folder_ / "b");
  EXPECT_FALSE(Write("a", "x"));
  EXPECT_THAT(error, HasSubstr("loop"));
  EXPECT_TRUE(fs::is_symlink(folder_ / "a") && fs::is_symlink(folder_ / "b"));
  // The temporary name does not grow with the output's: a 250-byte name is written.
  const mode_t old_mask = umask(022);
  const std::string long_name = std::string(246, 'n') + ".sql";
  EXPECT_TRUE(Write(long_name, "long")) << error;
  umask(old_mask);
  EXPECT_EQ(ReadBack(folder_ / long_name), "long");
  EXPECT_EQ(fs::status(folder_ / long_name).permissions(), fs::perms(0644));
  EXPECT_EQ(Entries(), 7);
}

// `-o /dev/null` and a FIFO are written to, never replaced (`-o /dev/stdout >> log` is the
// command line's test).
TEST_F(AtomicWriteTest, DevicesAndFifosAreWrittenToNeverReplaced) {
  ASSERT_TRUE(WriteFileAtomically("/dev/null", "gone", error)) << error;
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  const fs::path pipe = folder_ / "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::string heard;
  std::thread reader([&] {
    std::ifstream in(pipe);
    heard.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  });
  const bool piped = Write("pipe", "through the pipe");
  reader.join();
  EXPECT_TRUE(piped) << error;
  EXPECT_EQ(heard, "through the pipe");
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(Entries(), 1);
}

// Files written together: a failure in any leaves every file as it was and nothing
// beside them, before the renames (a write that fails) and during them.
TEST_F(AtomicWriteTest, SeveralFilesGoInTogetherOrNotAtAll) {
  const fs::path first = folder_ / "p.vbp";
  ASSERT_TRUE(Write("p.vbp", "old"));
  fs::permissions(first, fs::perms(0600));
  {
    OutputFiles files;
    EXPECT_TRUE(files.Add(first.string(), "new"));
    EXPECT_FALSE(files.Add(scratch_.File("none/p.frm"), "form"));
  }
  EXPECT_EQ(ReadBack(first), "old");
  EXPECT_EQ(Entries(), 1);
  fs::create_directory(folder_ / "sub");
  for (const char* second : {"sub/p.frm", "p.frm"}) {
    OutputFiles files;
    ASSERT_TRUE(files.Add(first.string(), "new") && files.Add(scratch_.File(second), "form"));
    fs::remove_all(folder_ / "sub");  // the second rename fails after the first
    EXPECT_EQ(files.Commit(), second == std::string("p.frm")) << files.Error();
    EXPECT_EQ(ReadBack(first), second == std::string("p.frm") ? "new" : "old");
    EXPECT_EQ(fs::status(first).permissions(), fs::perms(0600));
    EXPECT_EQ(Entries(), second == std::string("p.frm") ? 2 : 1);
  }
}

// Every code-page byte goes to UTF-8 and back. ASCII, text that is not UTF-8 (overlong forms
// and surrogates are not) stay as they are; UTF-8 with non-ASCII is converted, its byte-order
// mark dropped; a character the code page cannot hold is refused, naming its line.
TEST(ModelText, EncodingsPathsNameCharactersAndNumbers) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    std::string back, error;
    ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(byte), back, error)) << b;
    EXPECT_EQ(back, byte) << b;
  }
  EXPECT_EQ(Cp1252ToUtf8("\x80\x81\x9F\xE9"), "\u20AC\xC2\x81\u0178\u00E9");
  const std::pair<const char*, const char*> cases[] = {
      {"BF1 = max(0, x - 1);", "BF1 = max(0, x - 1);"},
      {"Gr\xF6\337e \xC3", "Gr\xF6\337e \xC3"},
      {"\xC0\xAF \xED\xA0\x80", "\xC0\xAF \xED\xA0\x80"},
      {"\357\273\277caf\u00E9 \u20AC", "caf\xE9 \x80"}};
  for (const auto& [given, expected] : cases) {
    std::string text, error;
    ASSERT_TRUE(DecodeModelText(given, text, error)) << error;
    EXPECT_EQ(text, expected);
  }
  std::string text = "kept", error;
  EXPECT_FALSE(DecodeModelText("BF1 = x\r\nBF2 = \u00E9\nBF3 = y\u4E2D", text, error));
  EXPECT_EQ(error,
            "Line 3 holds the character U+4E2D after \"BF3 = y\": model text is Windows-1252, "
            "which cannot represent it.");
  EXPECT_EQ(text, "kept");
  EXPECT_EQ(MessageTextAsUtf8("Gr\xF6\337e \x80"), "Gr\u00F6\u00DFe \u20AC");
  EXPECT_EQ(MessageTextAsUtf8("/m/caf\u00E9.txt"), "/m/caf\u00E9.txt");
  EXPECT_EQ(PathAsModelText("/m/caf\u00E9 \u4E2D.txt"), "/m/caf\xE9 ?.txt");
  EXPECT_EQ(PathAsModelText("/m/caf\xE9.txt"), "/m/caf\xE9.txt");  // not UTF-8: as it is
  EXPECT_TRUE(IsModelNameStart('\xE9') && IsModelNameStart('_') && IsModelNameStart('Z'));
  EXPECT_FALSE(IsModelNameStart('1') || IsModelNameStart('$'));
  EXPECT_TRUE(IsModelNameChar('$') && IsModelNameChar('#') && IsModelNameChar('@') &&
              IsModelNameChar('9') && IsModelNameChar('\x8A'));
  EXPECT_FALSE(IsModelNameChar(' ') || IsModelNameChar('-') || IsModelNameChar('.'));
  // Where a digit rounds into a new one the form changes, and over a random sample of bit
  // patterns and scaled decimals; zero has no sign.
  std::setlocale(LC_NUMERIC, "C");
  std::vector<double> values;
  for (double edge :
       {0.5, -0.5, 1.2E-05, 1E-05, 0.0001, 1E15, 999999999999999.0, 123456789012345678.0, 1E100,
        2.5E-300, -42.0, 0.1 + 0.2, 2.0 / 3, DBL_MIN, DBL_MAX, 5E-324, 999999999999999.9,
        0.000099999999999999999, 9.99999999999999999})
    values.push_back(edge);
  std::mt19937_64 random(12345);
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> scale(-30, 30);
  for (int i = 0; i < 100000; ++i) {
    values.push_back(std::bit_cast<double>(random()));
    values.push_back(unit(random) * std::pow(10.0, scale(random)));
    if (i % 7 == 0) values.back() = std::round(values.back() * 1000) / 1000;
  }
  for (double value : values) {
    if (!std::isfinite(value) || value == 0) continue;
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.15G", value);
    ASSERT_EQ(NumberText(value), printed) << std::hexfloat << value;
  }
  EXPECT_EQ(NumberText(0), "0");
  EXPECT_EQ(NumberText(-0.0), "0");
  std::string out = "x = ";
  AppendNumberText(out, -1.25);
  EXPECT_EQ(out, "x = -1.25");
  // Twelve-hour clock, fixed names; midnight and noon are twelve.
  EXPECT_EQ(DateText({2026, 12, 5, 6, 17, 30}), "Sat, Dec 5 2026, 5:30 PM");
  EXPECT_EQ(DateText({2004, 5, 3, 1, 9, 5}), "Mon, May 3 2004, 9:05 AM");
  EXPECT_EQ(DateText({2004, 1, 1, 4, 0, 0}), "Thu, Jan 1 2004, 12:00 AM");
  EXPECT_EQ(DateText({2004, 1, 31, 6, 12, 59}), "Sat, Jan 31 2004, 12:59 PM");
  EXPECT_EQ(DateText({1999, 10, 10, 0, 23, 1}), "Sun, Oct 10 1999, 11:01 PM");
  // The largest writable number's text reads back finite; the next double's does not.
  const double largest = 1.7976931348623149e308;
  const double next = std::nextafter(largest, INFINITY);
  EXPECT_TRUE(IsWritableNumber(-largest));
  EXPECT_TRUE(std::isfinite(std::strtod(NumberText(largest).c_str(), nullptr)));
  EXPECT_FALSE(IsWritableNumber(next));
  EXPECT_TRUE(std::isinf(std::strtod(NumberText(next).c_str(), nullptr)));
  EXPECT_EQ(NumberText(largest), LargestWritableText());
  EXPECT_TRUE(IsWritableNumber(FLT_MAX, RealKind::Single));
  EXPECT_TRUE(std::isfinite(std::strtof(NumberText(FLT_MAX).c_str(), nullptr)));
  EXPECT_EQ(NumberText(FLT_MAX), LargestWritableText(RealKind::Single));
  EXPECT_FALSE(IsWritableNumber(std::nextafter(double{FLT_MAX}, INFINITY), RealKind::Single));
  EXPECT_TRUE(IsWritableNumber(5E-324));
  EXPECT_FALSE(IsWritableNumber(INFINITY));
  EXPECT_FALSE(IsWritableNumber(NAN));
}

}  // namespace
}  // namespace kdk
