// CVornApp: the library's application object and its one-time start-up.
#pragma once

namespace vendrel::module {

class CVornApp {
 public:
  // Reads the host's language and language-files folder and initializes the string library;
  // runs once, at the first request for a class object. Never fails.
  static void InitInstance();
};

}  // namespace vendrel::module
