#include "core/score/table_rows.h"

#include "core/common/number_text.h"
#include "core/common/text_utils.h"
#include "core/score/csv_reader.h"

namespace kdk {
namespace {

constexpr std::size_t kFlushBytes = 1u << 20;

}  // namespace

bool IsBlankRecord(std::size_t header_size, std::span<const std::string_view> fields,
                   std::span<const unsigned char> quoted) {
  return header_size > 1 && fields.size() == 1 && fields[0].empty() &&
         !(!quoted.empty() && quoted[0] != 0);
}

CsvTableWriter::CsvTableWriter(char separator, Sink sink)
    : separator_(separator), sink_(std::move(sink)) {
  out_.reserve(kFlushBytes + (64u << 10));
}

void CsvTableWriter::AppendFields(std::span<const std::string_view> fields,
                                  std::span<const unsigned char> quoted) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out_.push_back(separator_);
    AppendCsvField(out_, fields[i], separator_, i < quoted.size() && quoted[i] != 0);
  }
}

bool CsvTableWriter::Header(std::span<const std::string_view> names,
                            std::span<const unsigned char> quoted,
                            std::span<const std::string> added) {
  classifier_ = added.size() > 1;
  AppendFields(names, quoted);
  for (const std::string& name : added) {
    out_.push_back(separator_);
    AppendCsvField(out_, name, separator_);
  }
  out_.append(kCrLf);
  return true;
}

bool CsvTableWriter::Row(std::span<const std::string_view> fields,
                         std::span<const unsigned char> quoted, const RowPrediction* prediction) {
  AppendFields(fields, quoted);
  out_.push_back(separator_);
  if (prediction != nullptr) AppendNumberText(out_, prediction->prediction);
  if (classifier_) {
    out_.push_back(separator_);
    if (prediction != nullptr) out_.append(prediction->is_true ? "TRUE" : "FALSE");
    out_.push_back(separator_);
    if (prediction != nullptr) AppendNumberText(out_, prediction->strength);
  }
  out_.append(kCrLf);
  if (out_.size() < kFlushBytes) return true;
  return Finish();
}

bool CsvTableWriter::Finish() {
  if (!out_.empty() && !sink_(out_)) return false;
  out_.clear();
  return true;
}

}  // namespace kdk
