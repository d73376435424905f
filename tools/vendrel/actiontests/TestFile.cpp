// Reading a file of action tests, every fault named by its place.
#include "tools/vendrel/actiontests/TestFile.h"

#include <algorithm>
#include <array>

#include "tools/vendrel/CardValues.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Files.h"
#include "tools/vendrel/actiontests/Expectations.h"

namespace vendrel::tools {
namespace {

constexpr std::array<const char*, 6> kOperations{"menu",          "checkout", "checkin",
                                                 "undo-checkout", "state",    "add"};

std::wstring Text(JsonFields& fields, const char* key, const std::string& where,
                  std::wstring otherwise = {}) {
  const Json* value = fields.Take(key);
  return value ? AsText(*value, where + "." + key) : otherwise;
}

std::wstring RequiredText(JsonFields& fields, const char* key, const std::string& where) {
  return AsText(fields.Require(key), where + "." + key);
}

// Each item of an optional list member, with its place.
template <class Read>
void EachOf(JsonFields& fields, const char* key, const std::string& where, Read read) {
  const Json* list = fields.Take(key);
  if (!list) return;
  const std::string at = where + "." + key;
  for (std::size_t i = 0; i < AsList(*list, at).size(); ++i) read((*list)[i], ItemPlace(at, i));
}

std::vector<std::wstring> Texts(JsonFields& fields, const char* key, const std::string& where) {
  std::vector<std::wstring> texts;
  EachOf(fields, key, where,
         [&](const Json& item, const std::string& at) { texts.push_back(AsText(item, at)); });
  return texts;
}

FixtureFile ReadFixtureFile(const Json& json, const std::string& where) {
  JsonFields in(json, where);
  FixtureFile file;
  file.path = RequiredText(in, "path", where);
  file.contents = Utf8(Text(in, "contents", where));
  if (const Json* versions = in.Take("versions")) {
    file.versions = AsInt32(*versions, where + ".versions");
    if (file.versions < 1) throw JsonError(where + ".versions must be 1 or more");
  }
  file.state = Text(in, "state", where);
  file.checkedOutBy = Text(in, "checkedOutBy", where);
  file.computer = Text(in, "computer", where);
  in.Finish();
  return file;
}

Fixture ReadFixture(const Json& json, const std::string& where) {
  JsonFields in(json, where);
  Fixture fixture;
  fixture.root = Text(in, "root", where, fixture.root);
  fixture.users = Texts(in, "users", where);
  if (const Json* groups = in.Take("groups")) {
    JsonFields named(*groups, where + ".groups");
    for (const auto& [name, members] : groups->items()) {
      named.Take(name);
      std::vector<std::wstring> users;
      const std::string at = where + ".groups." + name;
      for (std::size_t i = 0; i < AsList(members, at).size(); ++i) {
        users.push_back(AsText(members[i], ItemPlace(at, i)));
      }
      fixture.groups.emplace_back(Wide(name), std::move(users));
    }
  }
  fixture.user = Text(in, "user", where);
  fixture.computer = Text(in, "computer", where, fixture.computer);
  if (const Json* variables = in.Take("variables")) {
    JsonFields named(*variables, where + ".variables");
    for (const auto& [name, form] : variables->items()) {
      named.Take(name);
      const std::string at = where + ".variables." + name;
      JsonFields v(form, at);
      FixtureVariable variable{Wide(name)};
      const std::wstring type = Text(v, "type", at, L"text");
      const std::optional<std::int32_t> known = CardTypeNamed(Utf8(type));
      if (!known) throw JsonError(at + ".type must be text, integer, float, date or yesno");
      variable.type = *known;
      if (const Json* flags = v.Take("flags")) variable.flags = AsInt32(*flags, at + ".flags");
      v.Finish();
      fixture.variables.push_back(std::move(variable));
    }
  }
  fixture.folders = Texts(in, "folders", where);
  EachOf(in, "files", where, [&](const Json& item, const std::string& at) {
    fixture.files.push_back(ReadFixtureFile(item, at));
  });
  EachOf(in, "cards", where, [&](const Json& item, const std::string& at) {
    JsonFields card(item, at);
    fixture.cards.push_back({RequiredText(card, "path", at), RequiredText(card, "variable", at),
                             Text(card, "configuration", at), RequiredText(card, "value", at)});
    card.Finish();
  });
  EachOf(in, "registry", where, [&](const Json& item, const std::string& at) {
    JsonFields value(item, at);
    FixtureRegistryValue entry{RequiredText(value, "path", at), std::wstring()};
    const Json* data = &value.Require("data");
    if (data->is_string()) {
      entry.data = data->get<std::wstring>();
    } else {
      const std::int64_t number = AsInteger(*data, at + ".data");
      if (number < 0 || number > 0xFFFFFFFF) {
        throw JsonError(at + ".data must be a text or a DWORD number");
      }
      entry.data = static_cast<std::uint32_t>(number);
    }
    value.Finish();
    fixture.registry.push_back(std::move(entry));
  });
  EachOf(in, "localFiles", where, [&](const Json& item, const std::string& at) {
    JsonFields file(item, at);
    fixture.localFiles.emplace_back(RequiredText(file, "path", at),
                                    Utf8(Text(file, "contents", at)));
    file.Finish();
  });
  in.Finish();
  return fixture;
}

Operation ReadOperation(const Json& json, const std::string& where) {
  JsonFields in(json, where);
  Operation operation;
  operation.kind = Utf8(RequiredText(in, "kind", where));
  if (std::find(kOperations.begin(), kOperations.end(), operation.kind) == kOperations.end()) {
    throw JsonError(where + ".kind must be menu, checkout, checkin, undo-checkout, state or add");
  }
  if (operation.kind == "menu") operation.menu = Utf8(RequiredText(in, "menu", where));
  for (const std::wstring& path : Texts(in, "paths", where)) operation.paths.push_back(Utf8(path));
  if (operation.kind == "state" || operation.kind == "add") {
    operation.to = Utf8(RequiredText(in, "to", where));
  }
  if (operation.kind == "checkin") operation.comment = Utf8(Text(in, "comment", where));
  if (operation.kind != "menu" && operation.paths.empty()) {
    throw JsonError(where + ".paths must name at least one path");
  }
  in.Finish();
  return operation;
}

// A test's own fixture members take the place of the file's.
ActionTest ReadTest(const Json& json, const Json& shared, const std::string& where) {
  JsonFields in(json, where);
  ActionTest test;
  test.name = Utf8(RequiredText(in, "name", where));
  Json fixture = shared;
  if (const Json* own = in.Take("fixture")) {
    if (!own->is_object()) throw JsonError(where + ".fixture must be an object");
    for (const auto& [key, value] : own->items()) fixture[key] = value;
  }
  test.fixture = ReadFixture(fixture, where + ".fixture");
  test.operation = ReadOperation(in.Require("operation"), where + ".operation");
  for (const std::wstring& line : Texts(in, "answers", where)) test.answers.push_back(Utf8(line));
  const Json* expect = in.Take("expect");
  test.expect = expect ? *expect : Json::object();
  CheckExpectationsForm(test.expect, where + ".expect");
  in.Finish();
  return test;
}

}  // namespace

TestFile ReadTestFile(const std::filesystem::path& path) {
  TestFile file;
  file.path = path;
  try {
    file.document = ReadJson(path, "tests");
    JsonFields in(file.document, "the file");
    if (const Json* actions = in.Take("actions")) file.actions = Utf8(AsText(*actions, "actions"));
    const Json* fixture = in.Take("fixture");
    const Json shared = fixture ? *fixture : Json::object();
    const Json* tests = in.Take("tests");
    if (!tests) throw JsonError("the file lacks \"tests\"");
    for (std::size_t i = 0; i < AsList(*tests, "tests").size(); ++i) {
      file.tests.push_back(ReadTest((*tests)[i], shared, ItemPlace("tests", i)));
    }
    in.Finish();
  } catch (const JsonError& e) {
    throw UsageError(path.string() + ": " + e.what());
  }
  return file;
}

}  // namespace vendrel::tools
