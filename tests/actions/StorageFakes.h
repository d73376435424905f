// An in-memory add-in dictionary with failure switches and a vault that hands it out.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "actions/ActionStore.h"
#include "host/Ref.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FakeVault.h"

namespace vendrel::test {

class MemoryDictionary : public host::CountedImpl<host::AddInDictionary> {
 public:
  host::HResult Read(std::int32_t key, std::wstring& text, bool& exists) override {
    if (failRead.contains(key)) return host::kFail;
    const auto it = values.find(key);
    exists = it != values.end();
    text = exists ? it->second : std::wstring();
    return host::kOk;
  }
  host::HResult Write(std::int32_t key, const std::wstring& text) override {
    if (failWrite.contains(key)) return host::kFail;
    values[key] = text;
    return host::kOk;
  }
  host::HResult SetIfAbsent(std::int32_t key, const std::wstring& text, bool& wasSet) override {
    if (failSetIfAbsent) return host::kFail;
    wasSet = values.emplace(key, text).second;
    return host::kOk;
  }
  host::HResult Remove(std::int32_t key) override {
    values.erase(key);
    // Another client that takes the lock again at once.
    if (key == actions::kLockKey && lockComesBack) values[key] = actions::kLockText;
    return host::kOk;
  }

  std::map<std::int32_t, std::wstring> values;
  std::set<std::int32_t> failRead;
  std::set<std::int32_t> failWrite;
  bool failSetIfAbsent = false;
  bool lockComesBack = false;
};

// A vault whose dictionary exists once it was asked for with `create`.
class DictionaryVault : public testing::FakeVault {
 public:
  host::HResult GetDictionary(const std::wstring& name, bool create,
                              host::Ref<host::AddInDictionary>& out) override {
    if (name != actions::kDictionaryName) return host::kFail;
    if (!dictionary) {
      if (!create) return host::kFalse;
      dictionary = host::MakeRef<MemoryDictionary>();
    }
    out = dictionary;
    return host::kOk;
  }

  host::Ref<MemoryDictionary> dictionary;
};

using testing::CountingWaitCursor;

}  // namespace vendrel::test
