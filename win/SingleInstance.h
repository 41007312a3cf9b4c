// One running program per executable: two would overwrite each other's settings file.
#pragma once

#include <windows.h>

#include <string>

#include "Handles.h"

namespace quorvel::win {

// The name shared by everything that identifies the program run from `exePath`: the same for
// any spelling of the path that differs only in case.
std::wstring InstanceKeyFor(const std::wstring& exePath);

class SingleInstance {
 public:
  explicit SingleInstance(const std::wstring& key);
  // False when a program of the same key was already running when this one was made.
  bool IsFirst() const { return first_; }

 private:
  UniqueHandle mutex_;
  bool first_ = true;
};

// The message a second start sends to the running program's hidden window: show the strip.
UINT ShowStripMessage();
// Finds the running program's hidden window (named by its key) and asks it to show its strip;
// false when there is none.
bool ShowRunningInstance(const std::wstring& key);

}  // namespace quorvel::win
