#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "core/ports/ports.h"

namespace kdk::testing {

// The next scripted answer, or `none` once the script has run out.
template <class T>
T NextAnswer(std::deque<T>& script, T none) {
  if (script.empty()) return none;
  T next = script.front();
  script.pop_front();
  return next;
}

struct RecordedMessage {
  std::string text, title;
  MessageIcon icon;
  MessageButtons buttons;
};

class RecordingMessagePort : public MessagePort {
 public:
  MessageAnswer Show(std::string_view text, std::string_view title, MessageIcon icon,
                     MessageButtons buttons) override {
    messages.push_back({std::string(text), std::string(title), icon, buttons});
    return NextAnswer(answers,
                      buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No);
  }
  // The texts shown, joined by "|".
  std::string Texts() const {
    std::string joined;
    for (std::size_t i = 0; i < messages.size(); ++i) joined += (i ? "|" : "") + messages[i].text;
    return joined;
  }
  std::vector<RecordedMessage> messages;
  std::deque<MessageAnswer> answers;
};

// Answers dialogs from a queue ("" = cancel) and records every request.
class ScriptedFileDialogs : public FileDialogPort {
 public:
  std::string OpenFile(const FileDialogRequest& request) override {
    open_requests.push_back(request);
    return NextAnswer(answers, std::string());
  }
  std::string SaveFile(const FileDialogRequest& request) override {
    save_requests.push_back(request);
    return NextAnswer(answers, std::string());
  }
  std::deque<std::string> answers;
  std::vector<FileDialogRequest> open_requests, save_requests;
};

class ScriptedColours : public ColourDialogPort {
 public:
  std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override {
    asked_with.push_back(initial);
    return answer;
  }
  std::optional<std::uint32_t> answer;
  std::vector<std::uint32_t> asked_with;
};

class MemoryClipboard : public ClipboardPort {
 public:
  std::string GetText() override { return text; }
  void Clear() override { text.clear(); }
  void SetText(std::string_view value) override { text = std::string(value); }
  std::string text;
};

class MemorySettings : public SettingsPort {
 public:
  std::string Get(std::string_view section, std::string_view key,
                  std::string_view default_value) override {
    auto it = values.find(std::string(section) + "/" + std::string(key));
    return it == values.end() ? std::string(default_value) : it->second;
  }
  void Set(std::string_view section, std::string_view key, std::string_view value) override {
    values[std::string(section) + "/" + std::string(key)] = value;
  }
  std::map<std::string, std::string> values;  // "section/key"
};

class FakeShell : public ShellPort {
 public:
  bool OpenDocument(std::string_view target, std::string_view working_folder) override {
    opened.emplace_back(target);
    last_working_folder = std::string(working_folder);
    return document_opens;
  }
  bool StartProgram(std::string_view program, std::string_view arguments) override {
    started.push_back(std::string(program) + "|" + std::string(arguments));
    return program_exists;
  }
  std::string ProgramFolder() override { return program_folder; }
  std::string CommandLine() override { return command_line; }

  std::string program_folder = "/opt/kestriumdk", command_line, last_working_folder;
  bool program_exists = false, document_opens = true;
  std::vector<std::string> opened, started;
};

class FixedClock : public Clock {
 public:
  LocalDateTime Now() override { return now; }
  std::optional<LocalDateTime> FileCreationTime(std::string_view) override { return created; }
  LocalDateTime now{2026, 12, 5, 6, 17, 30};
  std::optional<LocalDateTime> created = LocalDateTime{2004, 5, 3, 1, 9, 5};
};

// All ports at once, each a fake the test can script and inspect.
struct FakePorts {
  RecordingMessagePort messages;
  ScriptedFileDialogs file_dialogs;
  ScriptedColours colours;
  MemoryClipboard clipboard;
  MemorySettings settings;
  FakeShell shell;
  FixedClock clock;

  Ports ports() {
    return Ports{messages, file_dialogs, colours, clipboard, settings, shell, clock};
  }
};

}  // namespace kdk::testing
