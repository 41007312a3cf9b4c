// Scripted stand-ins for the platform's icons, dialogs and shell, recording what the core asked.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Ports.h"

namespace quorvel::test {

// How the fake platform treats a path offered for its icon.
enum class IconOutcome { Good, NoIcon, ToBytesFails, DecodeFails };

// Icons and pictures carry the path they came from, so a test can tell whose picture a slot
// shows. Every icon handed out must be destroyed by the time the port is.
class FakeIconPort : public IconPort {
 public:
  std::map<std::u16string, IconOutcome> outcomes;  // unlisted paths have a good icon
  std::vector<int> sizesAsked;                     // one entry per extraction

  ~FakeIconPort() override { EXPECT_EQ(LiveIcons(), 0) << "an icon was never destroyed"; }

  int LiveIcons() const { return *live_; }

  // The file a picture was decoded from; "" for no picture.
  static std::u16string PathOf(const PicturePtr& picture) {
    const auto* p = dynamic_cast<const FakePicture*>(picture.get());
    return p ? p->path : u"";
  }

  std::unique_ptr<Icon> ExtractFirstIcon(const std::u16string& path, int sizePx) override {
    sizesAsked.push_back(sizePx);
    if (Outcome(path) == IconOutcome::NoIcon)
      return nullptr;
    return std::make_unique<FakeIcon>(path, live_);
  }

  std::optional<Bytes> ToIcoBytes(const Icon& icon) override {
    const auto* fake = dynamic_cast<const FakeIcon*>(&icon);
    if (!fake) {
      ADD_FAILURE() << "ToIcoBytes was given an icon this port did not hand out";
      return std::nullopt;
    }
    if (Outcome(fake->path) == IconOutcome::ToBytesFails)
      return std::nullopt;
    Bytes bytes(kIcoHeader.begin(), kIcoHeader.end());
    for (char16_t c : fake->path) {
      bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
  }

  PicturePtr DecodeIco(std::span<const std::uint8_t> ico) override {
    if (ico.size() < kIcoHeader.size() || (ico.size() - kIcoHeader.size()) % 2 != 0 ||
        !std::equal(kIcoHeader.begin(), kIcoHeader.end(), ico.begin())) {
      ADD_FAILURE() << "DecodeIco was not given the whole buffer of ToIcoBytes";
      return nullptr;
    }
    std::u16string path;
    for (std::size_t i = kIcoHeader.size(); i < ico.size(); i += 2)
      path.push_back(static_cast<char16_t>(ico[i] | ico[i + 1] << 8));
    if (Outcome(path) == IconOutcome::DecodeFails)
      return nullptr;
    return std::make_shared<FakePicture>(path);
  }

 private:
  class FakeIcon : public Icon {
   public:
    FakeIcon(std::u16string p, std::shared_ptr<int> live)
        : path(std::move(p)), live_(std::move(live)) {
      ++*live_;
    }
    ~FakeIcon() override { --*live_; }
    const std::u16string path;

   private:
    std::shared_ptr<int> live_;  // shared, so an icon outliving the port is still counted safely
  };

  class FakePicture : public Picture {
   public:
    explicit FakePicture(std::u16string p) : path(std::move(p)) {}
    const std::u16string path;
  };

  // An ICO file's first four bytes (reserved 0, type 1), then the icon's path.
  static constexpr std::array<std::uint8_t, 4> kIcoHeader{0, 0, 1, 0};

  IconOutcome Outcome(const std::u16string& path) const {
    const auto it = outcomes.find(path);
    return it == outcomes.end() ? IconOutcome::Good : it->second;
  }

  std::shared_ptr<int> live_ = std::make_shared<int>(0);
};

// Modal dialogs: each records its message and runs `duringDialog` before it returns, as the
// nested message loop of a real dialog would run other handlers.
class FakeDialogs : public DialogPort {
 public:
  std::vector<std::u16string> notified, asked, errors;
  bool answerYes = false;    // what AskYesNo answers
  bool notifyResult = true;  // what Notify returns: false as when the dialog is dismissed
  std::function<void()> duringDialog;

  bool Notify(const std::u16string& message) override {
    notified.push_back(message);
    if (duringDialog)
      duringDialog();
    return notifyResult;
  }
  bool AskYesNo(const std::u16string& message) override {
    asked.push_back(message);
    if (duringDialog)
      duringDialog();
    return answerYes;
  }
  void ShowError(const std::u16string& message) override { errors.push_back(message); }
};

class FakeShell : public ShellPort {
 public:
  struct Call {
    std::u16string verb, file, parameters;
    std::optional<std::u16string> directory;  // nullopt: a null pointer
  };
  std::vector<Call> calls;
  std::uintptr_t result = 42;  // what every call returns: above 31 is success

  std::uintptr_t Execute(const std::u16string& verb, const std::u16string& file,
                         const std::u16string& parameters,
                         const std::optional<std::u16string>& directory) override {
    calls.push_back({verb, file, parameters, directory});
    return result;
  }
};

class FakeFiles : public FilePort {
 public:
  std::map<std::u16string, Bytes> files;
  std::set<std::u16string> unreadable;  // there, but every read fails
  bool failWrites = false;

  std::optional<Bytes> ReadAll(const std::u16string& path) override {
    if (unreadable.count(path))
      return std::nullopt;
    const auto it = files.find(path);
    if (it == files.end())
      return std::nullopt;
    return it->second;
  }
  bool Exists(const std::u16string& path) override {
    return files.count(path) || unreadable.count(path);
  }
  bool ReplaceAtomically(const std::u16string& path, std::span<const std::uint8_t> b) override {
    if (failWrites)
      return false;
    files[path] = Bytes(b.begin(), b.end());
    return true;
  }
};

// Stands for a Latin-1 code page: one byte, one character.
class FakeAnsi : public AnsiDecoder {
 public:
  int calls = 0;
  std::u16string DecodeAnsi(std::span<const std::uint8_t> b) override {
    ++calls;
    return std::u16string(b.begin(), b.end());
  }
};

// Scripted open-file dialog and input query.
class FakeCommandDialogs : public CommandDialogPort {
 public:
  std::optional<std::u16string> chosen, typed;
  std::u16string caption, prompt, startValue;
  std::function<void()> whileOpen;
  std::optional<std::u16string> ChooseExecutable() override {
    if (whileOpen)
      whileOpen();
    return chosen;
  }
  std::optional<std::u16string> InputQuery(const std::u16string& c, const std::u16string& p,
                                           const std::u16string& v) override {
    caption = c;
    prompt = p;
    startValue = v;
    return typed;
  }
};

}  // namespace quorvel::test
