#include <gtest/gtest.h>

#include "host/Ref.h"
#include "host/Vault.h"

namespace vendrel::host {
namespace {

class Probe : public Counted {
 public:
  std::uint32_t AddRef() override { return ++count; }
  std::uint32_t Release() override { return --count; }
  int count = 0;
};

TEST(Ref, CountsCopiesAndReleasesOnDestruction) {
  Probe p;
  {
    Ref<Probe> a(&p);
    Ref<Probe> b = a;
    EXPECT_EQ(p.count, 2);
    Ref<Probe> c = std::move(b);
    EXPECT_EQ(p.count, 2);
    EXPECT_FALSE(b);
  }
  EXPECT_EQ(p.count, 0);
}

TEST(Ref, AssigningTheHeldObjectTwiceHoldsOneReference) {
  Probe p;
  Ref<Probe> r;
  r.Assign(&p);
  r.Assign(&p);
  EXPECT_EQ(p.count, 1);
  Ref<Probe> same(&p);
  r = same;
  EXPECT_EQ(p.count, 2);  // r and same
  same.Reset();
  EXPECT_EQ(p.count, 1);
}

TEST(Ref, AssigningAnotherObjectTakesItBeforeReleasingTheOld) {
  Probe a, b;
  Ref<Probe> r(&a);
  r.Assign(&b);
  EXPECT_EQ(a.count, 0);
  EXPECT_EQ(b.count, 1);
  r = nullptr;
  EXPECT_EQ(b.count, 0);
}

class FakeFolder : public CountedImpl<VaultFolder> {
 public:
  HResult Id(std::int32_t& id) override { return id = 7, kOk; }
  HResult Name(std::wstring& name) override { return name = L"f", kOk; }
  HResult LocalPath(std::wstring&) override { return kFail; }
  HResult Files(std::vector<Ref<VaultFile>>&) override { return kFail; }
  HResult SubFolders(std::vector<Ref<VaultFolder>>&) override { return kFail; }
  HResult SubFolder(const std::wstring&, Ref<VaultFolder>&) override { return kFolderNotFound; }
  HResult AddFolder(HostWindow, const std::wstring&, std::int32_t, Ref<VaultFolder>&) override {
    return kFail;
  }
  HResult AddFile(HostWindow, const std::wstring&, const std::wstring&, std::int32_t,
                  Ref<VaultFile>&) override {
    return kFail;
  }
  HResult DeleteFile(HostWindow, std::int32_t, std::int32_t) override { return kFail; }
};

TEST(VaultObject, AFolderAnswersTheFolderQueryAndRefusesTheFileQuery) {
  Ref<VaultObject> object = MakeRef<FakeFolder>();
  Ref<VaultFolder> folder;
  Ref<VaultFile> file;
  EXPECT_EQ(object->QueryFolder(folder), kOk);
  EXPECT_EQ(folder.Get(), object.Get());
  EXPECT_EQ(object->QueryFile(file), kNoInterface);
  EXPECT_FALSE(file);
}

}  // namespace
}  // namespace vendrel::host
