#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace kdk::conformance {

// Model text (code page 1252) as a JSON string, for the manifests the browser and
// LibreOffice suites read: every byte outside printable ASCII as \uXXXX.
std::string Json(std::string_view text);

// A JSON array of `items`, quoted with Json or written as they are.
std::string JsonList(const std::vector<std::string>& items, bool quote);

// The manifest a generator writes for the checker that runs in the target program: a
// JSON array of entries.
class Manifest {
 public:
  // The stream to write the next entry on.
  std::ostream& Next();
  // Writes folder/name or ends the program with the reason.
  void Write(const std::string& folder, const std::string& name = "manifest.json") const;

 private:
  std::ostringstream text_;
  int count_ = 0;
};

}  // namespace kdk::conformance
