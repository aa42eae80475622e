#include "core/network/weights_reader.h"

#include <cstdint>
#include <filesystem>

#include "core/common/model_text.h"
#include "core/common/text_file.h"
#include "core/common/text_utils.h"
#include "core/network/field_reader.h"

namespace kdk {
namespace {

// "TRUE"/"FALSE" in any case, or a number where non-zero is true.
bool ParseTruthValue(std::string_view text, bool& value) {
  std::string upper = ToUpperAscii(TrimBlanks(text));
  if (upper == "TRUE") {
    value = true;
    return true;
  }
  if (upper == "FALSE") {
    value = false;
    return true;
  }
  double number = 0;
  if (!ParseFiniteNumber(upper, number)) return false;
  value = number != 0;
  return true;
}

class WeightsParser {
 public:
  WeightsParser(std::string_view bytes, NetworkModel& model, std::string& detail)
      : fields_(bytes), model_(model), detail_(detail) {}

  bool Parse() {
    if (!Skip(3, "opening fields")) return false;
    if (!ReadHeaderLine()) return false;
    if (!Skip(2, "fields before the input count")) return false;
    int c_in = 0, c_x = 0;
    if (!Integer(c_in, "input count") || !Integer(c_x, "extra field count")) return false;
    if (c_in < 0) return Fail("input count below 0");
    // The number of inputs N = C_in + 1 is itself a 16-bit count.
    if (c_in > 32766) return Fail("input count C_in + 1 does not fit 16 bits");
    if (!Skip(6, "fields before the inputs")) return false;

    const std::int64_t n = c_in + 1;
    if (!EnoughFor(7 * n, "inputs")) return false;
    if (!ReadInputs(static_cast<int>(n))) return false;
    if (!Skip(2, "fields before the output")) return false;
    if (!ReadOutput()) return false;
    if (c_x >= 0 && !Skip(2 + static_cast<long long>(c_x) + 1, "extra fields")) return false;
    if (!Skip(2, "fields before the hidden count")) return false;

    int h = 0;
    if (!Integer(h, "hidden slot count")) return false;
    if (h < 1) return Fail("hidden slot count below 1");
    if (!Skip(4, "fields after the hidden count")) return false;
    if (!EnoughFor((h - 1) + 2 + 3 * (n + 1) * h + 2 * h + 1, "neuron types and weights")) {
      return false;
    }
    return ReadHiddenTypes(h) && Skip(2, "fields before the weights") && ReadWeights(n, h) &&
           Skip(1, "closing field");
  }

 private:
  bool Fail(std::string what) {
    detail_ = std::move(what);
    return false;
  }

  bool Skip(long long count, const char* what) {
    return fields_.Skip(count) || Fail(std::string("file ends in the ") + what);
  }

  bool Integer(int& value, const char* what) {
    return fields_.NextInteger16(value) || Fail(std::string("bad 16-bit integer: ") + what);
  }

  bool Number(double& value, const char* what) {
    return fields_.NextNumber(value) || Fail(std::string("bad number: ") + what);
  }

  bool Text(std::string& value, const char* what) {
    return fields_.Next(value) || Fail(std::string("file ends at ") + what);
  }

  // Every field takes at least one byte, so a count the rest of the file cannot hold
  // is rejected before anything is allocated for it.
  bool EnoughFor(std::int64_t field_count, const char* what) {
    if (field_count <= static_cast<std::int64_t>(fields_.Remaining())) return true;
    return Fail(std::string("the file is too short for its ") + what);
  }

  bool ReadHeaderLine() {
    std::string line;
    if (!fields_.RestOfLine(line)) return Fail("file ends before the header line");
    std::vector<std::string> elements = SplitAt(line, ',');
    if (elements.size() < 3) return Fail("header line has fewer than three elements");
    model_.data_source = StripChars(elements[0]);
    model_.data_view = StripChars(elements[1]);
    if (!ParseTruthValue(StripChars(elements[2], '#'), model_.is_classifier)) {
      return Fail("classifier flag is not a truth value");
    }
    return true;
  }

  bool ReadInputs(int n) {
    model_.input_names.assign(n, std::string());
    model_.max_norm.assign(n, 0);
    model_.min_norm.assign(n, 0);
    model_.max_seen.assign(n, 0);
    model_.min_seen.assign(n, 0);
    for (int i = 0; i < n; ++i) {
      double seen_max = 0, seen_min = 0;
      if (!Skip(1, "input fields") || !Text(model_.input_names[i], "an input name") ||
          !Skip(1, "input fields") || !Number(model_.max_norm[i], "input maximum") ||
          !Number(model_.min_norm[i], "input minimum") || !Number(seen_max, "input seen maximum") ||
          !Number(seen_min, "input seen minimum")) {
        return false;
      }
      model_.max_seen[i] = NormalisedToReal(seen_max, model_.max_norm[i], model_.min_norm[i]);
      model_.min_seen[i] = NormalisedToReal(seen_min, model_.max_norm[i], model_.min_norm[i]);
    }
    return true;
  }

  bool ReadOutput() {
    if (!Text(model_.output_name, "the output name") || !Skip(1, "output fields") ||
        !Number(model_.max_norm_out, "output maximum") ||
        !Number(model_.min_norm_out, "output minimum") ||
        !Number(model_.max_seen_out_cl, "output seen maximum") ||
        !Number(model_.min_seen_out_cl, "output seen minimum")) {
      return false;
    }
    model_.max_seen_out =
        NormalisedToReal(model_.max_seen_out_cl, model_.max_norm_out, model_.min_norm_out);
    model_.min_seen_out =
        NormalisedToReal(model_.min_seen_out_cl, model_.max_norm_out, model_.min_norm_out);
    return true;
  }

  bool ReadHiddenTypes(int h) {
    model_.hidden_type.assign(h, NeuronType::Bias);
    model_.linear_count = 0;
    std::string type;
    for (int k = 0; k < h - 1; ++k) {
      if (!Text(type, "a neuron type")) return false;
      // Only the exact upper-case word makes a tanh neuron.
      if (type == "NONLINEAR") {
        model_.hidden_type[k] = NeuronType::NonLinear;
      } else {
        model_.hidden_type[k] = NeuronType::Linear;
        ++model_.linear_count;
      }
    }
    return true;
  }

  bool ReadWeights(std::int64_t n, int h) {
    model_.wih.assign(n + 1, std::vector<double>(h, 0.0));
    model_.who.assign(h, 0.0);
    for (std::int64_t i = 0; i <= n; ++i) {
      for (int k = 0; k < h; ++k) {
        double weight = 0;
        if (!Number(weight, "input-to-hidden weight") || !Skip(2, "weight fields")) return false;
        // Nothing feeds the hidden bias.
        model_.wih[i][k] = k == h - 1 ? 0.0 : weight;
      }
    }
    for (int k = 0; k < h; ++k) {
      if (!Number(model_.who[k], "hidden-to-output weight") || !Skip(1, "weight fields")) {
        return false;
      }
    }
    return true;
  }

  FieldReader fields_;
  NetworkModel& model_;
  std::string& detail_;
};

}  // namespace

bool ParseWeightsFields(std::string_view bytes, NetworkModel& model, std::string& detail) {
  return WeightsParser(bytes, model, detail).Parse();
}

std::string ParseNetDescription(std::string_view bytes) {
  const std::vector<std::string> lines = SplitIntoLines(bytes);
  size_t next = 0;
  auto at_end = [&] { return next >= lines.size(); };

  std::string current;
  while (!ContainsText(ToUpperAscii(current), "NET DESCRIPTION") && !at_end()) {
    current = lines[next++];
  }
  std::string description;
  if (at_end()) return description;

  static constexpr std::string_view kStartMark = "beginningofdescription";
  current = kStartMark;
  while (!ContainsText(ToUpperAscii(current), "END OF NET DESCRIPTION") && !at_end()) {
    if (current != kStartMark) {
      if (!description.empty()) description.append(kCrLf);
      description.append(current);
    }
    current = lines[next++];
  }
  return description;
}

std::string CorruptWeightsFileMessage(std::string_view path) {
  std::string text = "Problems reading the Kestrium Weights file: ";
  text.append("\r\n\r\n");
  text.append(path);
  text.append("\r\n\r\n");
  text.append("This file is corrupted.");
  return text;
}

bool ReadWeightsFile(const std::string& path, NetworkModel& model, MessagePort& messages) {
  std::string bytes, text, detail;
  bool ok = false;
  try {
    if (ReadWholeFile(path, bytes, detail)) {
      if (!DecodeModelText(bytes, text, detail)) {
        // A UTF-8 file holding a character the code page has not: say which.
        messages.Inform(CorruptWeightsFileMessage(path) + "\r\n\r\n" + detail);
        return false;
      }
      ok = ParseWeightsFields(text, model, detail);
    }
  } catch (const std::exception&) {
    ok = false;  // allocation failures and the like end in the same message
  }
  if (!ok) messages.Inform(CorruptWeightsFileMessage(path));
  return ok;
}

bool ReadNetDescription(const std::string& path, std::string& description, MessagePort& messages) {
  description.clear();
  std::string bytes, error;
  std::error_code ignored;
  // A missing file has no error text of its own.
  if (!std::filesystem::is_regular_file(path, ignored) || !ReadWholeFile(path, bytes, error)) {
    messages.Inform("Error reading description from weights file:" + path + "\r\n\r\n" + error);
    return false;
  }
  std::string text;
  if (!DecodeModelText(bytes, text, error)) {
    messages.Inform("Error reading description from weights file:" + path + "\r\n\r\n" + error);
    return false;
  }
  description = ParseNetDescription(text);
  return true;
}

}  // namespace kdk
