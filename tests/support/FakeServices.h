// Platform services for unit tests: recorded message boxes, in-memory environment and registry,
// a fixed clock, wired into one platform::Services.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Services.h"

namespace vendrel::testing {

// Records every request and answers from a script (kOk once the script is used up).
class RecordingMessageBoxes : public platform::MessageBoxes {
 public:
  platform::Answer Show(const platform::MessageBoxRequest& request) override {
    shown.push_back(request);
    if (answers.empty()) return platform::Answer::kOk;
    const platform::Answer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }

  std::vector<platform::MessageBoxRequest> shown;
  std::vector<platform::Answer> answers;
};

class MapEnvironment : public platform::Environment {
 public:
  std::optional<std::wstring> Get(const std::wstring& name) override {
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  // In name order.
  std::vector<std::wstring> Block() override {
    std::vector<std::wstring> block;
    for (const auto& [name, value] : values) block.push_back(name + L"=" + value);
    return block;
  }
  std::map<std::wstring, std::wstring> values;
};

// Keys compare exactly; enough for tests that write what they read.
class MapRegistry : public platform::Registry {
 public:
  using Key = std::tuple<platform::RegistryRoot, std::wstring, std::wstring>;

  bool KeyExists(platform::RegistryRoot root, const std::wstring& subkey) override {
    for (const auto& [key, data] : values) {
      if (std::get<0>(key) == root && std::get<1>(key) == subkey) return true;
    }
    return false;
  }
  bool CreateKey(platform::RegistryRoot, const std::wstring&) override { return true; }
  std::optional<platform::RegistryData> Read(platform::RegistryRoot root,
                                             const std::wstring& subkey,
                                             const std::wstring& name) override {
    const auto it = values.find({root, subkey, name});
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  bool Write(platform::RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
             const platform::RegistryData& data) override {
    values[{root, subkey, name}] = data;
    return true;
  }
  bool DeleteValue(platform::RegistryRoot root, const std::wstring& subkey,
                   const std::wstring& name) override {
    return values.erase({root, subkey, name}) > 0;
  }
  bool DeleteTree(platform::RegistryRoot root, const std::wstring& subkey) override {
    return std::erase_if(values, [&](const auto& entry) {
             return std::get<0>(entry.first) == root && std::get<1>(entry.first) == subkey;
           }) > 0;
  }

  std::map<Key, platform::RegistryData> values;
};

class FixedClock : public platform::Clock {
 public:
  platform::LocalTime Now() override { return now; }
  void Sleep(std::uint32_t milliseconds) override { slept += milliseconds; }

  platform::LocalTime now{2024, 3, 5, 14, 7, 9};
  std::uint64_t slept = 0;
};

// Counts the scopes it was asked for.
class CountingWaitCursor : public platform::WaitCursor {
 public:
  std::unique_ptr<platform::WaitCursor> Begin() override {
    ++shown;
    return std::make_unique<CountingWaitCursor>();
  }
  int shown = 0;
};

// The formats put last; `busy` plays another program holding the clipboard open.
class MapClipboard : public platform::Clipboard {
 public:
  bool Put(platform::Window, const std::wstring& format, const std::wstring& text) override {
    if (busy) return false;
    formats.clear();
    formats[format] = text;
    return true;
  }
  bool Has(const std::wstring& format) override { return formats.count(format) > 0; }
  platform::ClipboardRead Get(platform::Window, const std::wstring& format) override {
    if (busy) return {};
    const auto it = formats.find(format);
    if (it == formats.end()) return {true, std::nullopt};
    return {true, it->second};
  }

  std::map<std::wstring, std::wstring> formats;
  bool busy = false;
};

struct FakeServices {
  FakeServices() {
    services.messageBoxes = &messageBoxes;
    services.waitCursor = &waitCursor;
    services.registry = &registry;
    services.environment = &environment;
    services.clock = &clock;
    services.clipboard = &clipboard;
  }
  FakeServices(const FakeServices&) = delete;
  FakeServices& operator=(const FakeServices&) = delete;

  RecordingMessageBoxes messageBoxes;
  CountingWaitCursor waitCursor;
  MapRegistry registry;
  MapEnvironment environment;
  FixedClock clock;
  MapClipboard clipboard;
  platform::Services services;
};

}  // namespace vendrel::testing
