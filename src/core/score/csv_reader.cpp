#include "core/score/csv_reader.h"

#include <algorithm>
#include <cstring>

namespace kdk {
namespace {

constexpr std::size_t kChunkBytes = 1u << 20;

}  // namespace

CsvReader::CsvReader(Source source) : source_(std::move(source)), buffer_(kChunkBytes) {}

bool CsvReader::Fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) {
    if (buffer_.size() >= kMaxRecordBytes) {
      error_ = "line " + std::to_string(line_) + ": a record longer than " +
               std::to_string(kMaxRecordBytes >> 20) + " MB (is this a text file?)";
      return false;
    }
    buffer_.resize(std::min(buffer_.size() * 2, kMaxRecordBytes));
  }
  const long got = source_(buffer_.data() + end_, buffer_.size() - end_);
  if (got < 0) {
    error_ = "the data could not be read";
    return false;
  }
  if (got == 0) exhausted_ = true;
  end_ += static_cast<std::size_t>(got);
  return true;
}

char CsvReader::DetectSeparator() const {
  std::size_t commas = 0, semicolons = 0, tabs = 0;
  bool in_quotes = false;
  for (std::size_t i = begin_; i < end_; ++i) {
    const char c = buffer_[i];
    if (c == '"') {
      in_quotes = !in_quotes;
    } else if (!in_quotes) {
      if (c == '\n' || c == '\r') break;
      commas += c == ',';
      semicolons += c == ';';
      tabs += c == '\t';
    }
  }
  if (tabs > commas && tabs >= semicolons) return '\t';
  if (semicolons > commas) return ';';
  return ',';
}

bool CsvReader::ParseRecord(std::vector<std::string_view>& fields, bool at_end) {
  spans_.clear();
  span_in_unquoted_.clear();
  quoted_.clear();
  unquoted_.clear();
  std::size_t lines = 0;
  std::size_t i = begin_;
  const char* data = buffer_.data();
  for (;;) {
    // One field from i.
    if (i < end_ && data[i] == '"') {
      const std::size_t start = unquoted_.size();
      ++i;
      for (;;) {
        if (i >= end_) {
          if (!at_end) return false;
          error_ = "line " + std::to_string(line_) + ": a quoted field is not closed";
          return false;
        }
        const char c = data[i];
        if (c == '"') {
          if (i + 1 >= end_ && !at_end) return false;
          if (i + 1 < end_ && data[i + 1] == '"') {
            unquoted_.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        if (c == '\n' || (c == '\r' && !(i + 1 < end_ && data[i + 1] == '\n'))) ++lines;
        unquoted_.push_back(c);
        ++i;
      }
      // Text after the closing quote stays part of the field, as spreadsheets read it.
      while (i < end_ && data[i] != separator_ && data[i] != '\n' && data[i] != '\r') {
        unquoted_.push_back(data[i++]);
      }
      spans_.emplace_back(start, unquoted_.size() - start);
      span_in_unquoted_.push_back(1);
      quoted_.push_back(1);
    } else {
      const std::size_t start = i;
      while (i < end_ && data[i] != separator_ && data[i] != '\n' && data[i] != '\r') ++i;
      spans_.emplace_back(start, i - start);
      span_in_unquoted_.push_back(0);
      quoted_.push_back(0);
    }
    if (i >= end_) {
      if (!at_end) return false;
      break;
    }
    if (data[i] == separator_) {
      ++i;
      continue;
    }
    // A line end closes the record.
    if (data[i] == '\r') {
      if (i + 1 >= end_ && !at_end) return false;
      if (i + 1 < end_ && data[i + 1] == '\n') ++i;
    }
    ++i;
    ++lines;
    break;
  }
  fields.clear();
  for (std::size_t f = 0; f < spans_.size(); ++f) {
    const auto [offset, size] = spans_[f];
    fields.emplace_back(span_in_unquoted_[f] ? unquoted_.data() + offset : data + offset, size);
  }
  record_line_ = line_;
  line_ += lines;
  begin_ = i;
  return true;
}

char CsvReader::ResolveSeparator() {
  // The header line decides; it must be whole in the buffer first.
  while (separator_ == 0 && error_.empty()) {
    const auto first = buffer_.begin() + static_cast<long>(begin_);
    const auto last = buffer_.begin() + static_cast<long>(end_);
    const bool whole =
        std::find_if(first, last, [](char c) { return c == '\n' || c == '\r'; }) != last;
    if (whole || exhausted_) {
      separator_ = DetectSeparator();
    } else if (!Fill()) {
      break;
    }
  }
  return separator_ == 0 ? ',' : separator_;
}

bool CsvReader::Next(std::vector<std::string_view>& fields) {
  if (!error_.empty()) return false;
  if (separator_ == 0) ResolveSeparator();
  if (!error_.empty()) return false;
  for (;;) {
    if (begin_ == end_ && !exhausted_ && !Fill()) return false;
    if (begin_ == end_ && exhausted_) return false;
    if (ParseRecord(fields, exhausted_)) return true;
    if (!error_.empty() || exhausted_) return false;
    if (!Fill()) return false;
  }
}

void AppendCsvField(std::string& out, std::string_view field, char separator, bool was_quoted) {
  bool quote = was_quoted;
  for (std::size_t i = 0; i < field.size() && !quote; ++i) {
    const char c = field[i];
    quote = c == separator || c == '"' || c == '\r' || c == '\n';
  }
  if (!quote) {
    out.append(field);
    return;
  }
  out.push_back('"');
  for (char c : field) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace kdk
