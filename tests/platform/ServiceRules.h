// Checks shared by the posix emulation and the real Windows services: both must answer alike.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Clipboard.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/TextFile.h"

namespace vendrel::platform::testing {

// `dir` holds Bolt.txt and the read-only ReadOnly.txt, nothing else.
inline void CheckFileRules(FileSystem& files, const std::wstring& dir) {
  const std::wstring bolt = dir + L"\\Bolt.txt";
  const std::wstring copy = dir + L"\\Copy.txt";
  const std::wstring readOnly = dir + L"\\ReadOnly.txt";

  ASSERT_TRUE(files.CopyFile(bolt, copy, true));
  EXPECT_FALSE(files.CopyFile(bolt, copy, true));
  EXPECT_EQ(files.LastError(), 80u);
  EXPECT_FALSE(files.CopyFile(bolt, dir + L"\\Nowhere\\x.txt", false));
  EXPECT_EQ(files.LastError(), 3u);
  EXPECT_FALSE(files.ErrorText(3).empty());

  EXPECT_EQ(files.Attributes(readOnly).value_or(0) & kAttributeReadOnly, kAttributeReadOnly);
  EXPECT_EQ(files.Attributes(bolt).value_or(kAttributeReadOnly) & kAttributeReadOnly, 0u);
  EXPECT_FALSE(files.DeleteFile(readOnly));
  EXPECT_EQ(files.LastError(), 5u);
  ASSERT_TRUE(files.CopyFile(readOnly, dir + L"\\Copied.txt", false));
  EXPECT_EQ(files.Attributes(dir + L"\\Copied.txt").value_or(0) & kAttributeReadOnly,
            kAttributeReadOnly)
      << "a copy keeps the read-only attribute";
  ASSERT_TRUE(files.MakeWritable(readOnly));
  EXPECT_TRUE(files.DeleteFile(readOnly));
  EXPECT_FALSE(files.Attributes(readOnly));
  EXPECT_FALSE(files.DeleteFile(readOnly));
  EXPECT_EQ(files.LastError(), 2u);

  EXPECT_FALSE(files.MoveFile(copy, bolt));
  EXPECT_EQ(files.LastError(), 183u);
  ASSERT_TRUE(files.MoveFile(copy, dir + L"\\Moved.txt"));
  EXPECT_TRUE(files.Attributes(dir + L"\\MOVED.txt")) << "names compare regardless of case";
  EXPECT_FALSE(files.MoveFile(copy, dir + L"\\Again.txt"));
  EXPECT_EQ(files.LastError(), 2u);

  ASSERT_TRUE(files.CreateDirectory(dir + L"\\New"));
  EXPECT_EQ(files.Attributes(dir + L"\\New").value_or(0) & kAttributeDirectory,
            kAttributeDirectory);
  EXPECT_FALSE(files.CreateDirectory(dir + L"\\New"));
  EXPECT_EQ(files.LastError(), 183u);
  EXPECT_FALSE(files.CreateDirectory(dir + L"\\Missing\\New"));
  EXPECT_EQ(files.LastError(), 3u);

  EXPECT_TRUE(files.AnyMatch(dir + L"\\b*.TXT")) << "wildcards match regardless of case";
  EXPECT_TRUE(files.AnyMatch(dir + L"\\M?ved.txt"));
  EXPECT_TRUE(files.AnyMatch(dir + L"\\moved.TXT"));
  EXPECT_TRUE(files.AnyMatch(dir + L"\\New"));
  EXPECT_FALSE(files.AnyMatch(dir + L"\\x*"));
  EXPECT_FALSE(files.AnyMatch(dir + L"\\Bolt"));
  EXPECT_FALSE(files.AnyMatch(dir + L"\\Nowhere\\*"));
}

inline std::string ReadAll(FileSystem& files, const std::wstring& path) {
  std::unique_ptr<FileReader> reader = files.OpenForReading(path);
  if (!reader) return "(cannot open)";
  std::string bytes;
  char buffer[7];  // small, so that reads end inside the text
  std::size_t count = 0;
  while (reader->Read(buffer, sizeof buffer, count) && count > 0) bytes.append(buffer, count);
  return bytes;
}

// `dir` holds Bolt.txt ("M8") and the read-only ReadOnly.txt.
inline void CheckOpenRules(FileSystem& files, const std::wstring& dir) {
  const std::wstring out = dir + L"\\Out.txt";
  EXPECT_EQ(ReadAll(files, dir + L"\\BOLT.TXT"), "M8");
  EXPECT_FALSE(files.OpenForReading(dir + L"\\Missing.txt"));
  EXPECT_EQ(files.LastError(), 2u);
  EXPECT_FALSE(files.OpenForReading(dir + L"\\Nowhere\\x.txt"));
  EXPECT_EQ(files.LastError(), 3u);
  EXPECT_FALSE(files.OpenForReading(dir));
  EXPECT_EQ(files.LastError(), 5u) << "a folder is no file";

  {
    std::unique_ptr<FileWriter> writer = files.OpenForWriting(out, false);
    ASSERT_TRUE(writer);
    LineWriter lines(*writer);
    EXPECT_TRUE(lines.Write(std::string_view("first")));
    EXPECT_TRUE(lines.WriteWith([](std::string& text) { text += "second"; }));
    EXPECT_TRUE(lines.Flush());
  }
  EXPECT_EQ(ReadAll(files, out), "first\r\nsecond\r\n");
  {
    std::unique_ptr<FileWriter> writer = files.OpenForWriting(out, true);
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->Write("more", 4));
  }
  EXPECT_EQ(ReadAll(files, out), "first\r\nsecond\r\nmore") << "append writes at the end";
  ASSERT_TRUE(files.OpenForWriting(out, false));
  EXPECT_EQ(ReadAll(files, out), "") << "without append the file is emptied";

  EXPECT_FALSE(files.OpenForWriting(dir + L"\\Nowhere\\x.txt", false));
  EXPECT_EQ(files.LastError(), 3u);

  {
    std::unique_ptr<FileWriter> writer = files.OpenForWriting(out, false);
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->Write("longer than the copy", 20));
  }
  ASSERT_TRUE(files.CopyFile(dir + L"\\Bolt.txt", out, false));
  EXPECT_EQ(ReadAll(files, out), "M8") << "a copy replaces what a writable file held";
  EXPECT_FALSE(files.CopyFile(dir + L"\\Missing.txt", out, false));
  EXPECT_EQ(files.LastError(), 2u);
  EXPECT_EQ(ReadAll(files, out), "M8");
}

// Works below `base` of the current user's root, which must not exist yet.
inline void CheckRegistryRules(Registry& registry, const std::wstring& base) {
  const auto user = RegistryRoot::kCurrentUser;
  const std::wstring settings = base + L"\\Vendrel\\Settings";
  ASSERT_TRUE(registry.Write(user, settings, L"Language", L"de"));
  ASSERT_TRUE(registry.Write(user, settings, L"Count", std::uint32_t{7}));
  ASSERT_TRUE(registry.Write(user, base + L"\\VendrelOther", L"", L"default"));

  EXPECT_TRUE(registry.KeyExists(user, base + L"\\VENDREL"));
  EXPECT_FALSE(registry.KeyExists(user, base + L"\\Missing"));
  EXPECT_EQ(registry.Read(user, base + L"\\vendrel\\SETTINGS", L"LANGUAGE"), RegistryData(L"de"));
  EXPECT_EQ(registry.Read(user, settings, L"Count"), RegistryData(std::uint32_t{7}));
  EXPECT_EQ(registry.Read(user, base + L"\\VendrelOther", L""), RegistryData(L"default"));
  EXPECT_FALSE(registry.Read(user, settings, L"Missing"));

  ASSERT_TRUE(registry.DeleteValue(user, settings, L"Count"));
  EXPECT_FALSE(registry.Read(user, settings, L"Count"));
  EXPECT_FALSE(registry.DeleteValue(user, settings, L"Count"));
  ASSERT_TRUE(registry.DeleteTree(user, base + L"\\Vendrel"));
  EXPECT_FALSE(registry.KeyExists(user, settings));
  EXPECT_FALSE(registry.KeyExists(user, base + L"\\Vendrel"));
  EXPECT_TRUE(registry.KeyExists(user, base + L"\\VendrelOther")) << "a name prefix is no parent";
  EXPECT_FALSE(registry.DeleteTree(user, base + L"\\Vendrel"));
  ASSERT_TRUE(registry.CreateKey(user, base + L"\\A\\B\\C"));
  EXPECT_TRUE(registry.KeyExists(user, base + L"\\A\\B"));
  ASSERT_TRUE(registry.DeleteTree(user, base));
  EXPECT_FALSE(registry.KeyExists(user, base));

  // A registry path with one backslash names a value directly under the root.
  const std::wstring atRoot = L"VendrelRootValue";
  ASSERT_TRUE(registry.Write(user, L"", atRoot, std::uint32_t{3}));
  EXPECT_EQ(registry.Read(user, L"", atRoot), RegistryData(std::uint32_t{3}));
  EXPECT_TRUE(registry.DeleteValue(user, L"", atRoot));
}

// The system's texts of the codes that the host's error descriptions leave to it.
inline void CheckSystemMessageRules(Machine& machine) {
  // Wine lacks texts for some status codes of COM itself, such as E_NOINTERFACE.
  for (const std::uint32_t code : {0x80070005u, 0x8007000Eu, 2u, 5u}) {
    const std::wstring text = machine.SystemMessage(code);
    EXPECT_FALSE(text.empty()) << std::hex << code;
    EXPECT_FALSE(text.ends_with(L'\n') || text.ends_with(L'\r')) << std::hex << code;
  }
  EXPECT_EQ(machine.SystemMessage(0x80070005), machine.SystemMessage(5))
      << "a Win32 error wrapped as a status code reads as the error";
  EXPECT_TRUE(machine.SystemMessage(0x80040200).empty()) << "the host's codes are not the system's";
}

inline void CheckShellPathRules(Shell& shell) {
  EXPECT_EQ(shell.RemoveFileSpec(L"C:\\a\\b.txt"), L"C:\\a");
  EXPECT_EQ(shell.RemoveFileSpec(L"C:\\a"), L"C:\\");
  EXPECT_EQ(shell.RemoveFileSpec(L"C:\\"), L"C:\\");
  EXPECT_EQ(shell.RemoveFileSpec(L"C:a.txt"), L"C:");
  EXPECT_EQ(shell.RemoveFileSpec(L"a.txt"), L"");
  EXPECT_EQ(shell.RemoveFileSpec(L"\\a.txt"), L"\\");
  EXPECT_EQ(shell.RemoveFileSpec(L"\\\\server\\share\\x"), L"\\\\server\\share");
  const std::wstring folder = shell.SystemFolder();
  EXPECT_EQ(folder.substr(1, 2), L":\\") << "a drive path";
}

// The clipboard holds the last put format only; format names ignore case, as registered names do.
inline void CheckClipboardRules(Clipboard& clipboard) {
  const std::wstring text = L"0100000041\u00e9\u4e2d";
  ASSERT_TRUE(clipboard.Put(0, L"VendrelTestFormat", text));
  EXPECT_TRUE(clipboard.Has(L"vendreltestformat"));
  const ClipboardRead read = clipboard.Get(0, L"VendrelTestFormat");
  EXPECT_TRUE(read.opened);
  EXPECT_EQ(read.text, text);

  ASSERT_TRUE(clipboard.Put(0, L"VendrelOtherFormat", L""));
  EXPECT_FALSE(clipboard.Has(L"VendrelTestFormat")) << "putting empties the clipboard first";
  const ClipboardRead gone = clipboard.Get(0, L"VendrelTestFormat");
  EXPECT_TRUE(gone.opened);
  EXPECT_FALSE(gone.text);
  EXPECT_EQ(clipboard.Get(0, L"VendrelOtherFormat").text, std::wstring());
}

}  // namespace vendrel::platform::testing
