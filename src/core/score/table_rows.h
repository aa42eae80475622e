#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/score/row_scorer.h"

namespace kdk {

// A table handed over record by record, as a delimited text or an SPSS data file is
// read: the header, then each row with the line (or case number) it starts on. Each
// call returns false, with Error() set, to stop the reading.
class TableRows {
 public:
  virtual ~TableRows() = default;
  // `quoted` marks the fields that came in quotes (it may be empty).
  virtual bool Header(std::span<const std::string_view> names,
                      std::span<const unsigned char> quoted) = 0;
  virtual bool Row(std::span<const std::string_view> fields, std::span<const unsigned char> quoted,
                   std::size_t line) = 0;
  virtual bool Finish() = 0;
  virtual const std::string& Error() const = 0;
};

// A blank line between the rows of a table of several columns holds no row.
bool IsBlankRecord(std::size_t header_size, std::span<const std::string_view> fields,
                   std::span<const unsigned char> quoted);

// Where scored rows go: the data's own fields, then the added cells.
class ScoredTableWriter {
 public:
  virtual ~ScoredTableWriter() = default;
  // `added`: the prediction's column, then class and strength for a classifier.
  virtual bool Header(std::span<const std::string_view> names,
                      std::span<const unsigned char> quoted,
                      std::span<const std::string> added) = 0;
  // `prediction` is null for a row that has none.
  virtual bool Row(std::span<const std::string_view> fields, std::span<const unsigned char> quoted,
                   const RowPrediction* prediction) = 0;
  virtual bool Finish() = 0;
};

// Scored rows as delimited text: every field as it came (quoted where it must be, or
// where it was), the added cells written as `kdk predict` writes them, lines ending
// in CR LF, handed to `sink` in pieces.
class CsvTableWriter : public ScoredTableWriter {
 public:
  using Sink = std::function<bool(std::string_view)>;
  CsvTableWriter(char separator, Sink sink);

  bool Header(std::span<const std::string_view> names, std::span<const unsigned char> quoted,
              std::span<const std::string> added) override;
  bool Row(std::span<const std::string_view> fields, std::span<const unsigned char> quoted,
           const RowPrediction* prediction) override;
  bool Finish() override;

 private:
  void AppendFields(std::span<const std::string_view> fields,
                    std::span<const unsigned char> quoted);

  char separator_;
  Sink sink_;
  bool classifier_ = false;
  std::string out_;
};

}  // namespace kdk
