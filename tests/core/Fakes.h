// Scripted stand-ins for the platform, recording what the core asked of them.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Ports.h"

namespace quorvel::test {

// How the fake platform treats a path offered for its icon.
enum class IconOutcome { Good, NoIcon, ToBytesFails, DecodeFails };

class FakeIconPort : public IconPort {
 public:
  class FakeIcon : public Icon {
   public:
    FakeIcon(std::u16string path, int& live) : path(std::move(path)), live_(live) { ++live_; }
    ~FakeIcon() override { --live_; }
    std::u16string path;

   private:
    int& live_;
  };
  class FakePicture : public Picture {
   public:
    explicit FakePicture(std::u16string path) : path(std::move(path)) {}
    std::u16string path;
  };

  std::map<std::u16string, IconOutcome> outcomes;  // unlisted paths have a good icon
  int liveIcons = 0;
  std::vector<int> sizesAsked;

  std::unique_ptr<Icon> ExtractFirstIcon(const std::u16string& path, int sizePx) override {
    sizesAsked.push_back(sizePx);
    if (Outcome(path) == IconOutcome::NoIcon)
      return nullptr;
    return std::make_unique<FakeIcon>(path, liveIcons);
  }
  std::optional<Bytes> ToIcoBytes(const Icon& icon) override {
    const auto& path = static_cast<const FakeIcon&>(icon).path;
    if (Outcome(path) == IconOutcome::ToBytesFails)
      return std::nullopt;
    Bytes b(path.size());
    for (std::size_t i = 0; i < path.size(); ++i)
      b[i] = static_cast<std::uint8_t>(path[i]);
    lastPath_ = path;
    return b;
  }
  PicturePtr DecodeIco(std::span<const std::uint8_t>) override {
    if (Outcome(lastPath_) == IconOutcome::DecodeFails)
      return nullptr;
    return std::make_shared<FakePicture>(lastPath_);
  }

  static std::u16string PathOf(const PicturePtr& p) {
    return p ? static_cast<const FakePicture&>(*p).path : u"";
  }

 private:
  IconOutcome Outcome(const std::u16string& path) const {
    const auto it = outcomes.find(path);
    return it == outcomes.end() ? IconOutcome::Good : it->second;
  }
  std::u16string lastPath_;
};

class FakeDialogs : public DialogPort {
 public:
  std::vector<std::u16string> notified, asked, errors;
  bool answerYes = false;
  std::function<void()> duringDialog;  // runs while the "modal" dialog is open

  bool Notify(const std::u16string& m) override {
    notified.push_back(m);
    if (duringDialog)
      duringDialog();
    return true;
  }
  bool AskYesNo(const std::u16string& m) override {
    asked.push_back(m);
    if (duringDialog)
      duringDialog();
    return answerYes;
  }
  void ShowError(const std::u16string& m) override { errors.push_back(m); }
};

class FakeShell : public ShellPort {
 public:
  struct Call {
    std::u16string verb, file, parameters;
    std::optional<std::u16string> directory;
  };
  std::vector<Call> calls;
  std::uintptr_t result = 42;

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
  bool failWrites = false;

  std::optional<Bytes> ReadAll(const std::u16string& path) override {
    const auto it = files.find(path);
    if (it == files.end())
      return std::nullopt;
    return it->second;
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
