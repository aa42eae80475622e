// The embedded workbook writer: the compound file and its VBA project read back by a
// reader written from the file format alone, the VBA compression, and R1C1 formulas.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>

#include "engines/workbook/compound_file.h"
#include "engines/workbook/r1c1_formula.h"
#include "engines/workbook/vba_compression.h"
#include "engines/workbook/vba_project.h"

namespace kdk::workbook {
namespace {

std::uint32_t U32(const std::string& b, std::size_t at, int bytes = 4) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(b[at + i]);
  return value;
}

// A reader written from the file format alone: follows the FAT, the mini FAT and the
// directory tree, and returns every stream by its path ("VBA/dir").
class Reader {
 public:
  explicit Reader(std::string bytes) : b_(std::move(bytes)) {}

  std::map<std::string, std::string> Streams() {
    EXPECT_EQ(b_.substr(0, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    EXPECT_EQ(U32(b_, 30, 2), 9u);
    EXPECT_EQ(b_.size() % 512, 0u);
    for (std::uint32_t i = 0; i < U32(b_, 44); ++i) {
      const std::string sector = Sector(U32(b_, 76 + 4 * i));
      for (std::size_t k = 0; k < 512; k += 4) fat_.push_back(U32(sector, k));
    }
    const std::string directory = Chain(U32(b_, 48), false);
    const std::string mini_fat = Chain(U32(b_, 60), false);
    for (std::size_t k = 0; k < mini_fat.size(); k += 4) mini_fat_.push_back(U32(mini_fat, k));
    mini_stream_ = Chain(U32(directory, 116), false);
    std::map<std::string, std::string> streams;
    Walk(directory, U32(directory, 76), "", streams);
    return streams;
  }

 private:
  std::string Sector(std::uint32_t index) {
    EXPECT_LE((index + 2) * 512ull, b_.size());
    return b_.substr((index + 1) * 512, 512);
  }
  // The sectors, or mini sectors, of the chain from `start` (a loop ends at 64 MB).
  std::string Chain(std::uint32_t start, bool mini) {
    std::string out;
    for (std::uint32_t s = start; s != 0xFFFFFFFE && out.size() < (1u << 26);
         s = (mini ? mini_fat_ : fat_).at(s)) {
      out += mini ? mini_stream_.substr(s * 64, 64) : Sector(s);
    }
    return out;
  }
  void Walk(const std::string& dir, std::uint32_t node, const std::string& prefix,
            std::map<std::string, std::string>& streams) {
    if (node == 0xFFFFFFFF) return;
    const std::size_t at = node * 128;
    std::string name;
    for (std::size_t i = 0; i + 2 < U32(dir, at + 64, 2); i += 2) name.push_back(dir[at + i]);
    Walk(dir, U32(dir, at + 68), prefix, streams);
    Walk(dir, U32(dir, at + 72), prefix, streams);
    if (dir[at + 66] == 1) Walk(dir, U32(dir, at + 76), prefix + name + "/", streams);
    const std::uint32_t size = U32(dir, at + 120);
    if (dir[at + 66] == 2) {
      streams[prefix + name] =
          size == 0 ? "" : Chain(U32(dir, at + 116), size < 4096).substr(0, size);
    }
  }

  std::string b_;
  std::vector<std::uint32_t> fat_, mini_fat_;
  std::string mini_stream_;
};

TEST(CompoundFile, StreamsOfEverySizeReadBack) {
  std::mt19937 random(3);
  std::vector<CompoundEntry> root;
  CompoundEntry storage{"Storage", true, "", {}};
  std::map<std::string, std::string> expected;
  // Empty, mini-stream, exactly the cutoff, several FAT sectors' worth (> 64 KB).
  const std::size_t sizes[] = {0, 1, 63, 64, 65, 4095, 4096, 4097, 70000, 200000};
  int n = 0;
  for (std::size_t size : sizes) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    const std::string name = "s" + std::to_string(n++);
    if (n % 2) {
      root.push_back({name, false, bytes, {}});
      expected[name] = bytes;
    } else {
      storage.children.push_back({name, false, bytes, {}});
      expected["Storage/" + name] = bytes;
    }
  }
  root.push_back(storage);
  Reader reader(CompoundFileBytes(root));
  EXPECT_EQ(reader.Streams(), expected);
}

TEST(CompoundFile, NamesLongerThan31AreRefused) {
  EXPECT_THROW(CompoundFileBytes({{std::string(32, 'a'), false, "x", {}}}), std::length_error);
}

TEST(VbaProject, ModulesReadBackFromTheirStreams) {
  std::vector<VbaModule> modules = DocumentModules(3);
  std::string big;
  for (int i = 0; i < 3000; ++i) big += "\tWIH(" + std::to_string(i) + ",1)=0.5\r\n";
  modules.push_back({"book_Code", VbaModuleKind::Standard, "Option Explicit\r\n" + big});
  Reader reader(VbaProjectBytes(modules));
  const auto streams = reader.Streams();
  for (const char* name : {"PROJECT", "PROJECTwm", "VBA/_VBA_PROJECT", "VBA/dir",
                           "VBA/ThisWorkbook", "VBA/Sheet1", "VBA/Sheet3", "VBA/book_Code"}) {
    EXPECT_EQ(streams.count(name), 1u) << name;
  }
  std::string source;
  ASSERT_TRUE(DecompressVba(streams.at("VBA/book_Code"), source));
  EXPECT_EQ(source, "Attribute VB_Name = \"book_Code\"\r\nOption Explicit\r\n" + big);
  std::string dir;
  ASSERT_TRUE(DecompressVba(streams.at("VBA/dir"), dir));
  EXPECT_NE(dir.find("book_Code"), std::string::npos);
  EXPECT_EQ(dir.substr(dir.size() - 6), std::string("\x10\x00\x00\x00\x00\x00", 6));
  // The stdole reference, name and library record byte for byte, ahead of the module list.
  const std::string libid =
      "*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#C:\\Windows\\System32\\stdole2.tlb#OLE "
      "Automation";
  const std::string stdole =
      std::string("\x16\0\x06\0\0\0stdole\x3E\0\x0C\0\0\0s\0t\0d\0o\0l\0e\0\x0D\0", 32) +
      static_cast<char>(libid.size() + 10) + std::string(3, '\0') +
      static_cast<char>(libid.size()) + std::string(3, '\0') + libid + std::string(6, '\0');
  EXPECT_LT(dir.find(stdole), dir.find(std::string("\x0F\0\x02\0\0\0\x05\0", 8)));
  EXPECT_NE(dir.find("Office\x3E"), std::string::npos);
  EXPECT_NE(streams.at("PROJECT").find("Module=book_Code\r\n"), std::string::npos);
  EXPECT_NE(streams.at("PROJECT").find("Document=Sheet2/&H00000000\r\n"), std::string::npos);
  EXPECT_EQ(streams.at("VBA/_VBA_PROJECT"), std::string("\xCC\x61\xFF\xFF\x00\x00\x00", 7));
}

// The decryption, written from the format: each byte is the encrypted byte XOR the sum
// of the encrypted byte two back and the plain byte one back.
std::string DecryptProjectValue(const std::string& hex, const std::string& project_id) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  const auto seed = static_cast<unsigned char>(bytes[0]);
  EXPECT_EQ(seed ^ static_cast<unsigned char>(bytes[1]), 2);
  unsigned key = 0;
  for (char c : project_id) key += static_cast<unsigned char>(c);
  EXPECT_EQ(seed ^ static_cast<unsigned char>(bytes[2]), key & 0xFF);
  unsigned char plain_1 = static_cast<unsigned char>(key), enc_1 = bytes[2], enc_2 = bytes[1];
  std::string plain;
  for (std::size_t i = 3; i < bytes.size(); ++i) {
    const auto e = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(e ^ ((enc_2 + plain_1) & 0xFF));
    plain.push_back(static_cast<char>(b));
    enc_2 = enc_1;
    enc_1 = e;
    plain_1 = b;
  }
  plain = plain.substr((seed & 6) / 2);
  const std::size_t length = static_cast<unsigned char>(plain[0]);
  EXPECT_EQ(plain.substr(1, 3), std::string(3, '\0'));
  EXPECT_EQ(plain.size() - 4, length);
  return plain.substr(4);
}

TEST(VbaProject, ProtectionValuesDecryptToUnprotectedVisible) {
  const std::string id = "{5A3A5E0B-3C1D-4D2B-9E62-6B1B7C0D2E41}";
  for (unsigned char seed : {0x00, 0x35, 0x36, 0x37, 0xFE}) {
    EXPECT_EQ(DecryptProjectValue(EncryptProjectValue(id, seed, std::string(4, '\0')), id),
              std::string(4, '\0'));
    EXPECT_EQ(DecryptProjectValue(EncryptProjectValue(id, seed, "\xFF"), id), "\xFF");
  }
  Reader reader(VbaProjectBytes(DocumentModules(1)));
  const std::string project = reader.Streams().at("PROJECT");
  for (const char* key : {"\r\nCMG=\"", "\r\nDPB=\"", "\r\nGC=\""})
    EXPECT_NE(project.find(key), std::string::npos) << key;
}

TEST(VbaCompression, RoundTripsTextAndNoiseAndRefusesMalformedContainers) {
  // "a" as a literal, then a copy token of offset 1 and length 8: at one byte into the
  // chunk the token has 4 offset bits, so it is (0 << 12) | (8 - 3).
  EXPECT_EQ(CompressVba("aaaaaaaaa"), std::string("\x01\x03\xB0\x02\x61\x05\x00", 7));
  std::mt19937 random(7);
  for (std::size_t size : {0u, 1u, 3u, 9u, 17u, 4095u, 4096u, 4097u, 12288u, 70000u}) {
    std::string text, noise;
    for (std::size_t i = 0; i < size; ++i) {
      text.push_back(size == 9 ? 'a' : "Dim x as Double\r\n\tWIH(1,2)=0.5"[random() % 30]);
      noise.push_back(static_cast<char>(random() & 0xFF));
    }
    for (const std::string& original : {text, noise}) {
      std::string unpacked;
      ASSERT_TRUE(DecompressVba(CompressVba(original), unpacked)) << size;
      // Raw chunks are padded to whole chunks with zeros.
      ASSERT_GE(unpacked.size(), original.size());
      EXPECT_EQ(unpacked.substr(0, original.size()), original) << size;
    }
  }
  std::string source;  // repetitive source shrinks
  for (int i = 0; i < 500; ++i) source += "\tWIH(" + std::to_string(i) + ",1)=0.25\r\n";
  EXPECT_LT(CompressVba(source).size(), source.size() / 2);
  std::string data;
  for (const std::string& bad :
       {std::string(), std::string("\x02\x00\xB0", 3), std::string("\x01\xFF\xBF\x00", 4),
        std::string("\x01\x02\xB0\x01\x00\x00", 6)})  // bad signature, too short, before the chunk
    EXPECT_FALSE(DecompressVba(bad, data)) << bad.size();
}

TEST(R1C1Formula, ReferencesBecomeA1NamesAndTextStayAndOffTheSheetFails) {
  const std::tuple<const char*, int, int, const char*> formulas[] = {
      {"=book_CalculateIt(RC[-1]:RC[-3])", 2, 4, "=book_CalculateIt(A2:C2)"},
      {"=b_CalculateIt(RC[-2]:RC[-4],2)", 2, 5, "=b_CalculateIt(A2:C2,2)"},
      {"=b_CalculateIt(R[-3]C:R[-5]C)", 7, 2, "=b_CalculateIt(B2:B4)"},
      {"=b_CalculateIt(R[-3]C[-2]:R[-5]C[-2],2)", 7, 4, "=b_CalculateIt(B2:B4,2)"},
      {"=f(RC[-1]:RC[-60])", 2, 61, "=f(A2:BH2)"},
      {"=R1C1+R[1]C[1]", 5, 5, "=A1+F6"},
      {"=RC_CalculateIt(RC[-1]:RC[-1])", 2, 2, "=RC_CalculateIt(A2:A2)"},
      {"=XRC(1)&\"RC[-1]\"", 3, 3, "=XRC(1)&\"RC[-1]\""},
      {"=ROUND(R2C3,1)", 1, 1, "=ROUND(C2,1)"},
      {"=f(RC[-5])", 2, 3, nullptr},
      {"=f(R[-3]C)", 2, 3, nullptr}};
  for (const auto& [formula, row, column, a1] : formulas) {
    std::string out;
    EXPECT_EQ(R1C1ToA1(formula, row, column, out), a1 != nullptr) << formula;
    EXPECT_EQ(out, a1 ? a1 : out) << formula;
  }
  const std::pair<int, const char*> letters[] = {{1, "A"},    {26, "Z"},    {27, "AA"},
                                                 {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
  for (const auto& [column, text] : letters) EXPECT_EQ(ColumnLetters(column), text);
}

}  // namespace
}  // namespace kdk::workbook
