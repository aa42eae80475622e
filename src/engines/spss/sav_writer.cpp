#include "engines/spss/sav_writer.h"

#include <readstat.h>

#include <algorithm>
#include <vector>

#include "core/common/model_text.h"
#include "core/lang/language_rules.h"
#include "core/lang/name_table.h"
#include "core/network/field_reader.h"
#include "engines/spss/sav_rows.h"

namespace kdk::spss {
namespace {

constexpr std::size_t kLongestString = 32767;

class SavTableWriter : public ScoredTableWriter {
 public:
  SavTableWriter(const TableSurvey& survey, std::function<bool(std::string_view)> sink)
      : survey_(survey), sink_(std::move(sink)), writer_(readstat_writer_init()) {
    if (writer_ != nullptr) readstat_set_data_writer(writer_, &SavTableWriter::WriteBytes);
  }
  ~SavTableWriter() override {
    if (writer_ != nullptr) readstat_writer_free(writer_);
  }

  bool Header(std::span<const std::string_view> names, std::span<const unsigned char>,
              std::span<const std::string> added) override {
    if (writer_ == nullptr || names.size() != survey_.numeric.size()) return false;
    lang::NameTable table(lang::RulesOf(lang::Language::Spss));
    auto name_of = [&table](std::string_view wanted) {
      return Cp1252ToUtf8(table.Claim(PathAsModelText(wanted)));
    };
    for (std::size_t i = 0; i < names.size(); ++i) {
      const bool numeric = survey_.numeric[i] != 0;
      columns_.push_back(readstat_add_variable(
          writer_, name_of(names[i]).c_str(), numeric ? READSTAT_TYPE_DOUBLE : READSTAT_TYPE_STRING,
          numeric ? 0 : std::min(survey_.widths[i], kLongestString)));
    }
    for (std::size_t k = 0; k < added.size(); ++k) {
      const bool is_class = k == 1;
      added_.push_back(readstat_add_variable(writer_, name_of(added[k]).c_str(),
                                             is_class ? READSTAT_TYPE_STRING : READSTAT_TYPE_DOUBLE,
                                             is_class ? 5 : 0));
    }
    return readstat_begin_writing_sav(writer_, this, static_cast<long>(survey_.rows)) ==
           READSTAT_OK;
  }

  bool Row(std::span<const std::string_view> fields, std::span<const unsigned char>,
           const RowPrediction* prediction) override {
    bool ok = readstat_begin_row(writer_) == READSTAT_OK;
    for (std::size_t i = 0; ok && i < columns_.size(); ++i) {
      const std::string_view value = i < fields.size() ? fields[i] : std::string_view();
      double number = 0;
      if (survey_.numeric[i] == 0) {
        text_ = DataTextAsUtf8(value);
        if (text_.size() > kLongestString) text_.resize(kLongestString);
        ok = readstat_insert_string_value(writer_, columns_[i], text_.c_str()) == READSTAT_OK;
      } else if (!IsMissingDataValue(value) && ParseFiniteNumber(value, number)) {
        ok = readstat_insert_double_value(writer_, columns_[i], number) == READSTAT_OK;
      } else {
        ok = readstat_insert_missing_value(writer_, columns_[i]) == READSTAT_OK;
      }
    }
    for (std::size_t k = 0; ok && k < added_.size(); ++k) {
      if (prediction == nullptr) {
        ok = readstat_insert_missing_value(writer_, added_[k]) == READSTAT_OK;
      } else if (k == 1) {
        ok = readstat_insert_string_value(writer_, added_[k],
                                          prediction->is_true ? "TRUE" : "FALSE") == READSTAT_OK;
      } else {
        const double value = k == 0 ? prediction->prediction : prediction->strength;
        ok = readstat_insert_double_value(writer_, added_[k], value) == READSTAT_OK;
      }
    }
    return ok && readstat_end_row(writer_) == READSTAT_OK && !failed_;
  }

  bool Finish() override { return readstat_end_writing(writer_) == READSTAT_OK && !failed_; }

 private:
  static ssize_t WriteBytes(const void* bytes, size_t size, void* context) {
    auto* self = static_cast<SavTableWriter*>(context);
    if (!self->sink_(std::string_view(static_cast<const char*>(bytes), size))) {
      self->failed_ = true;
      return -1;
    }
    return static_cast<ssize_t>(size);
  }

  TableSurvey survey_;
  std::function<bool(std::string_view)> sink_;
  readstat_writer_t* writer_;
  std::vector<readstat_variable_t*> columns_;
  std::vector<readstat_variable_t*> added_;
  std::string text_;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<ScoredTableWriter> MakeSavTableWriter(const TableSurvey& survey,
                                                      std::function<bool(std::string_view)> sink) {
  return std::make_unique<SavTableWriter>(survey, std::move(sink));
}

SpssDataFiles ReadStatDataFiles() {
  return {ReadSavTable, MakeSavTableWriter};
}

}  // namespace kdk::spss
