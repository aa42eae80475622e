#pragma once

#include <string>

namespace kdk {

struct FileDialogRequest {
  std::string title;  // empty: the toolkit's own title
  std::string initial_folder;
  std::string preset_name;
  // Pairs of description and pattern separated by "|",
  // e.g. "query file (*.sql)|*.sql|text file (*.txt)|*.txt".
  std::string filter;
  int selected_filter = 0;  // 0-based index of the pair preselected
  bool must_exist = false;  // open dialogs
  bool confirm_overwrite = false;
  bool confirm_create = false;  // save dialogs ask before creating a new file
};

// Open and save dialogs. An empty answer means the user cancelled.
class FileDialogPort {
 public:
  virtual ~FileDialogPort() = default;
  virtual std::string OpenFile(const FileDialogRequest& request) = 0;
  virtual std::string SaveFile(const FileDialogRequest& request) = 0;
};

}  // namespace kdk
