// The message text of the exception a call raises, for tests that compare it.
#pragma once

#include <exception>
#include <functional>
#include <string>

// The text of what f raises, or `none` when it raises nothing.
inline std::string messageOf(const std::function<void()>& f, const std::string& none = "(no error)") {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return none;
}

// The same, with an empty text when nothing is raised.
inline std::string errorOf(const std::function<void()>& f) { return messageOf(f, ""); }
