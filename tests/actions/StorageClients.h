// Clients of a simulated vault for storage tests: a real clock that counts what it slept, and
// one administrator's store logged in to the vault.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "actions/ActionStore.h"
#include "sim/SimVault.h"
#include "tests/actions/StorageFakes.h"
#include "tests/actions/TestActions.h"
#include "tests/support/FakeServices.h"

namespace vendrel::test {

class CountingClock : public platform::Clock {
 public:
  platform::LocalTime Now() override { return {}; }
  void Sleep(std::uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    slept += milliseconds;
  }
  std::uint64_t slept = 0;
};

// Answers every dictionary read late, as a busy vault server would: two writers that did not
// serialise their read-modify-write would then interleave almost every time.
class SlowDictionary : public host::CountedImpl<host::AddInDictionary> {
 public:
  explicit SlowDictionary(host::Ref<host::AddInDictionary> inner) : inner_(std::move(inner)) {}
  host::HResult Read(std::int32_t key, std::wstring& text, bool& exists) override {
    const host::HResult hr = inner_->Read(key, text, exists);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return hr;
  }
  host::HResult Write(std::int32_t key, const std::wstring& text) override {
    return inner_->Write(key, text);
  }
  host::HResult SetIfAbsent(std::int32_t key, const std::wstring& text, bool& wasSet) override {
    return inner_->SetIfAbsent(key, text, wasSet);
  }
  host::HResult Remove(std::int32_t key) override { return inner_->Remove(key); }

 private:
  host::Ref<host::AddInDictionary> inner_;
};

class SlowVault : public testing::FakeVault {
 public:
  explicit SlowVault(host::Ref<host::VaultSession> inner) : inner_(std::move(inner)) {}
  host::HResult GetDictionary(const std::wstring& name, bool create,
                              host::Ref<host::AddInDictionary>& out) override {
    host::Ref<host::AddInDictionary> dictionary;
    const host::HResult hr = inner_->GetDictionary(name, create, dictionary);
    if (dictionary) out = host::MakeRef<SlowDictionary>(dictionary);
    return hr;
  }

 private:
  host::Ref<host::VaultSession> inner_;
};

struct SimClient {
  enum class Speed { kNormal, kSlowReads };

  SimClient(sim::SimVault& vault, const std::wstring& user, Speed speed = Speed::kNormal) {
    EXPECT_EQ(vault.Login(user, L"PC-" + user, session), host::kOk);
    server = speed == Speed::kSlowReads
                 ? host::Ref<host::VaultSession>(host::MakeRef<SlowVault>(session))
                 : session;
  }

  actions::Action& Add(const std::wstring& name) {
    auto action = NewAction(++store.Set().highestId, name);
    action->changedMark = true;
    store.Set().actions.push_back(std::move(action));
    return *store.Set().actions.back();
  }
  bool Load() { return store.Load(*server); }
  bool Save() { return store.Save(*server); }
  host::Ref<host::AddInDictionary> Dictionary() {
    host::Ref<host::AddInDictionary> dictionary;
    EXPECT_EQ(session->GetDictionary(actions::kDictionaryName, true, dictionary), host::kOk);
    return dictionary;
  }
  std::wstring Value(std::int32_t key) {
    std::wstring text;
    bool exists = false;
    EXPECT_EQ(Dictionary()->Read(key, text, exists), host::kOk);
    return exists ? text : L"(absent)";
  }
  // What a fresh load finds: (id, name) in stored order.
  std::vector<std::pair<std::int32_t, std::wstring>> Stored() {
    CountingWaitCursor readerCursor;
    CountingClock readerClock;
    testing::RecordingMessageBoxes readerBoxes;
    actions::ActionStore reader(readerCursor, readerClock, readerBoxes, MakeProbe);
    EXPECT_TRUE(reader.Load(*session));
    std::vector<std::pair<std::int32_t, std::wstring>> out;
    for (const auto& a : reader.Set().actions) out.emplace_back(a->actionId, a->name);
    return out;
  }

  host::Ref<host::VaultSession> session;
  host::Ref<host::VaultSession> server;  // what the store talks to
  CountingWaitCursor cursor;
  CountingClock clock;
  testing::RecordingMessageBoxes boxes;
  actions::ActionStore store{cursor, clock, boxes, MakeProbe};
};

using IdName = std::pair<std::int32_t, std::wstring>;

}  // namespace vendrel::test
