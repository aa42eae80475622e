#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kdk {

// Reads a delimited text file record by record (RFC 4180: fields in double quotes may
// hold the separator, line breaks and doubled quotes), with a buffer that does not grow
// with the number of records. Records end at CR LF, LF or a lone CR.
class CsvReader {
 public:
  // Fills `buffer` with up to `capacity` bytes and returns how many; 0 at the end.
  // Returns -1 when the source cannot be read.
  using Source = std::function<long(char* buffer, std::size_t capacity)>;

  // A record longer than this is refused rather than read into memory.
  static constexpr std::size_t kMaxRecordBytes = 64u << 20;

  explicit CsvReader(Source source);

  // The separator to split on; 0 lets the header line decide (the most frequent of
  // comma, semicolon and tab outside quotes; comma when none occurs).
  void SetSeparator(char separator) { separator_ = separator; }
  char Separator() const { return separator_; }
  // The separator, read from the header line when it was not set; ',' for no data.
  char ResolveSeparator();

  // The next record's fields, valid until the next call; an empty line is a record
  // of one empty field. False at the end of the
  // input or on an error (Error() then says which).
  bool Next(std::vector<std::string_view>& fields);

  // The line on which the last record returned starts (1 for the first).
  std::size_t RecordLine() const { return record_line_; }
  // Whether each field of the last record was quoted (1) or not (0).
  std::span<const unsigned char> Quoted() const { return quoted_; }
  const std::string& Error() const { return error_; }

 private:
  bool Fill();
  char DetectSeparator() const;
  // Parses one record from the buffered bytes; false when the record is not complete.
  bool ParseRecord(std::vector<std::string_view>& fields, bool at_end);

  Source source_;
  char separator_ = 0;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;  // unread bytes
  bool exhausted_ = false;
  std::size_t line_ = 1, record_line_ = 0;
  std::string unquoted_;  // quoted fields' text without their quotes
  std::vector<std::pair<std::size_t, std::size_t>> spans_;  // field text: offset, size
  std::vector<bool> span_in_unquoted_;
  std::vector<unsigned char> quoted_;
  std::string error_;
};

// A field as it must be written back with `separator`: in quotes, with quotes doubled,
// when it holds the separator, a quote or a line break, or when it was quoted.
void AppendCsvField(std::string& out, std::string_view field, char separator,
                    bool was_quoted = false);

}  // namespace kdk
