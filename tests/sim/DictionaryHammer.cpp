// Helper program for the cross-process tests: races another copy of itself on one vault's
// add-in dictionary. Prints the rounds it won, one per line.
//   sim_dictionary_hammer <database> <local folder> <user> <rounds>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Utf8.h"
#include "sim/SimVault.h"

using namespace vendrel;

namespace {

constexpr std::int32_t kLockKey = 1;
constexpr std::int32_t kCounterKey = 2;
constexpr std::int32_t kFirstRaceKey = 1000;

bool Fail(const char* what, host::HResult hr) {
  std::fprintf(stderr, "%s failed: 0x%08X\n", what, static_cast<unsigned>(hr));
  return false;
}

// Each round both copies try to claim the same key; exactly one may succeed.
bool Race(host::AddInDictionary& dictionary, const std::wstring& user, int rounds) {
  for (int round = 0; round < rounds; ++round) {
    bool won = false;
    const host::HResult hr = dictionary.SetIfAbsent(kFirstRaceKey + round, user, won);
    if (host::Failed(hr)) return Fail("SetIfAbsent", hr);
    if (won) std::printf("%d\n", round);
  }
  return true;
}

// The dictionary lock guards a read-modify-write of a counter: no increment may be lost.
bool Count(host::AddInDictionary& dictionary, int rounds) {
  for (int round = 0; round < rounds; ++round) {
    for (bool taken = false; !taken;) {
      const host::HResult hr = dictionary.SetIfAbsent(kLockKey, L"Busy", taken);
      if (host::Failed(hr)) return Fail("SetIfAbsent", hr);
    }
    std::wstring text;
    bool exists = false;
    host::HResult hr = dictionary.Read(kCounterKey, text, exists);
    if (host::Failed(hr)) return Fail("Read", hr);
    const int counter = exists ? std::stoi(text) : 0;
    hr = dictionary.Write(kCounterKey, std::to_wstring(counter + 1));
    if (host::Failed(hr)) return Fail("Write", hr);
    hr = dictionary.Remove(kLockKey);
    if (host::Failed(hr)) return Fail("Remove", hr);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s database local-folder user rounds\n", argv[0]);
    return 2;
  }
  try {
    auto vault = sim::SimVault::Open(argv[1], argv[2]);
    const std::wstring user = platform::FromUtf8(argv[3]);
    host::Ref<host::VaultSession> session;
    if (host::Failed(vault->Login(user, L"HAMMER", session))) return 3;
    host::Ref<host::AddInDictionary> dictionary;
    if (session->GetDictionary(L"Hammer", true, dictionary) != host::kOk) return 4;
    const int rounds = std::atoi(argv[4]);
    return Race(*dictionary, user, rounds) && Count(*dictionary, rounds) ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 5;
  }
}
