// Watches the message boxes of another process from a thread of its own: records their text
// and answers them, as a user clicking through would.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace quorvel::torture {

class DialogWatcher {
 public:
  enum class Answer { Ok, Yes, No, Leave };

  DialogWatcher(DWORD pid, Answer answer)
      : pid_(pid), answer_(answer), thread_([this] { Run(); }) {}
  ~DialogWatcher() {
    stop_ = true;
    thread_.join();
  }
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  // The texts of every box seen so far, once each.
  std::vector<std::wstring> Texts() const {
    const std::lock_guard lock(mutex_);
    return texts_;
  }
  // A box of the process that is open now; null when none is.
  HWND OpenBox() const { return open_.load(); }

 private:
  void Run() {
    while (!stop_) {
      HWND found = nullptr;
      HWND w = nullptr;
      std::set<HWND> open;
      while ((w = FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid_ && IsWindowVisible(w)) {
          found = w;
          open.insert(w);
        }
      }
      // A closed box's handle may come back for the next box: forget the ones that are gone.
      std::erase_if(seenBoxes_, [&](HWND h) { return !open.count(h); });
      open_ = found;
      if (found)
        Handle(found);
      Sleep(15);
    }
  }

  void Handle(HWND box) {
    if (!seenBoxes_.count(box)) {
      wchar_t text[4096] = {};
      // A message box's text is the static control 65535; our own dialogs have a prompt instead.
      if (!GetDlgItemTextW(box, 0xFFFF, text, 4096))
        GetWindowTextW(box, text, 4096);
      seenBoxes_.insert(box);
      const std::lock_guard lock(mutex_);
      texts_.push_back(text);
    }
    if (answer_ == Answer::Leave)
      return;
    const int wanted = answer_ == Answer::Yes ? IDYES : answer_ == Answer::No ? IDNO : IDOK;
    // Pressed again on every pass until the box has gone: a click can be lost while it opens.
    for (const int id : {wanted, IDOK, IDCANCEL}) {
      if (const HWND button = GetDlgItem(box, id)) {
        PostMessageW(button, BM_CLICK, 0, 0);
        return;
      }
    }
  }

  DWORD pid_;
  Answer answer_;
  std::atomic<bool> stop_{false};
  std::atomic<HWND> open_{nullptr};
  mutable std::mutex mutex_;
  std::vector<std::wstring> texts_;
  std::set<HWND> seenBoxes_;  // the watcher thread's own
  std::thread thread_;
};

}  // namespace quorvel::torture
