#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk {

// The inputs of a run that no output may replace, however a path names them
// (another spelling, a link, a hard link).
struct KeptInputs {
  std::string model_path;  // the model file; empty when the model was pasted
  std::string data_path;   // a data file the run reads; empty when none
};

// The messages for an output that is the model file / the data file.
std::string SameAsModelMessage(const std::string& output_path);
std::string SameAsDataMessage(const std::string& output_path);

// The message refusing `output_path` when it names one of `kept`; empty otherwise.
std::string KeptInputRefusal(const KeptInputs& kept, const std::string& output_path);

// The one writer of every artifact: files added to it are written aside (a short,
// exclusively created `kdk-XXXXXX.tmp` in the target's folder) and renamed in at
// Commit, all of them or none. A path that is a link is written through to the file
// it names; a replaced file keeps its permissions, a new one gets the umask's. "-",
// /dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N write to that descriptor,
// and a character device or a FIFO is written to directly, never replaced. A folder,
// a socket, a link loop, a read-only file and a kept input are refused. On any
// failure every file it wrote is removed and Error() is the message for the user.
class OutputFiles {
 public:
  explicit OutputFiles(KeptInputs kept = {});
  ~OutputFiles();
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // Stages the bytes for `path`. False (and nothing left staged) on failure.
  bool Add(const std::string& path, std::string_view bytes);
  // Stages a copy of the file `source` (read in pieces, never whole) for `path`.
  bool AddCopyOf(const std::string& path, const std::string& source);
  // Puts every staged file in place. False (and nothing changed) on failure, also
  // after a failed Add.
  bool Commit();
  const std::string& Error() const { return error_; }

 private:
  struct Entry;
  bool Stage(const std::string& path, std::string_view bytes, const std::string& source);
  bool Fail(const std::string& path, const std::string& reason);
  void Abandon();

  KeptInputs kept_;
  std::vector<Entry> entries_;
  std::string error_;
};

// One file written in pieces as it is produced (a scored data file may be far larger
// than memory), under the same rules as OutputFiles: aside and renamed in at Commit;
// to a descriptor or a device as the pieces come. The destructor abandons an
// uncommitted file.
class OutputStream {
 public:
  OutputStream() = default;
  ~OutputStream();
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  bool Open(const std::string& path, const KeptInputs& kept = {});
  bool Write(std::string_view bytes);
  bool Commit();
  void Abandon();
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const std::string& reason);

  std::string requested_;
  std::string target_;  // the file a rename puts in place; empty when written directly
  std::string aside_;
  int descriptor_ = -1;
  bool owned_ = false;  // the descriptor is ours to close
  std::string error_;
};

// One file through OutputFiles. False with `error` the message for the user.
bool WriteOutputFile(const std::string& path, std::string_view bytes, std::string& error,
                     const KeptInputs& kept = {});
// One file's copy through OutputFiles (a run's result, a converted workbook).
bool CopyToOutputFile(const std::string& path, const std::string& source, std::string& error,
                      const KeptInputs& kept = {});

}  // namespace kdk
