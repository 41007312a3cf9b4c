// What the launcher core asks of the platform. Each port is a small interface so that the
// core builds and is tested without Windows; win/ implements them, tests supply fakes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvel {

using Bytes = std::vector<std::uint8_t>;

// A slot's picture. Pictures are immutable once decoded, so a copy may share one.
class Picture {
 public:
  virtual ~Picture() = default;
};
using PicturePtr = std::shared_ptr<const Picture>;

// An icon taken from a file; destroying it releases the platform's handle.
class Icon {
 public:
  virtual ~Icon() = default;
};

class IconPort {
 public:
  virtual ~IconPort() = default;
  // The file's first icon at the given square size in physical pixels (0: the system's large
  // icon size); null when the file holds no icon or is not an executable, library or icon file.
  virtual std::unique_ptr<Icon> ExtractFirstIcon(const std::u16string& path, int sizePx) = 0;
  // The icon as the bytes of a complete one-image ICO file; nullopt when the platform fails.
  virtual std::optional<Bytes> ToIcoBytes(const Icon& icon) = 0;
  // The picture held by a complete ICO file; null when it cannot be decoded.
  virtual PicturePtr DecodeIco(std::span<const std::uint8_t> ico) = 0;
};

class DialogPort {
 public:
  virtual ~DialogPort() = default;
  // Modal message with the single button OK; true when it ended with OK.
  virtual bool Notify(const std::u16string& message) = 0;
  // Modal question with Yes and No, No the default; true only for Yes.
  virtual bool AskYesNo(const std::u16string& message) = 0;
  // A failure the user must read (what a toolkit's default error handler would show).
  virtual void ShowError(const std::u16string& message) = 0;
};

class ShellPort {
 public:
  virtual ~ShellPort() = default;
  // ShellExecuteW with no owner window and SW_SHOW. A null directory is passed as a null pointer,
  // an empty one as an empty string. Returns the shell's pointer-sized result.
  virtual std::uintptr_t Execute(const std::u16string& verb, const std::u16string& file,
                                 const std::u16string& parameters,
                                 const std::optional<std::u16string>& directory) = 0;
};

class FilePort {
 public:
  virtual ~FilePort() = default;
  // The whole file; nullopt when it does not exist or cannot be read.
  virtual std::optional<Bytes> ReadAll(const std::u16string& path) = 0;
  // Whether anything (a file, a folder) is at `path`: tells a missing file from one that is
  // there but cannot be read.
  virtual bool Exists(const std::u16string& path) = 0;
  // Writes a temporary file in the same folder, flushes it and replaces `path` with it in one
  // step. On failure `path` is untouched, no temporary file remains, and false is returned.
  [[nodiscard]] virtual bool ReplaceAtomically(const std::u16string& path,
                                               std::span<const std::uint8_t> bytes) = 0;
};

class AnsiDecoder {
 public:
  virtual ~AnsiDecoder() = default;
  // Text in the system's ANSI code page, as UTF-16.
  virtual std::u16string DecodeAnsi(std::span<const std::uint8_t> bytes) = 0;
};

// The popup menu's own dialogs.
class CommandDialogPort {
 public:
  virtual ~CommandDialogPort() = default;
  // The system's open-file dialog for "exe|*.exe"; the chosen full path, nullopt when cancelled.
  virtual std::optional<std::u16string> ChooseExecutable() = 0;
  // A modal query with one edit field starting at `value`; the field's text on OK, else nullopt.
  virtual std::optional<std::u16string> InputQuery(const std::u16string& caption,
                                                   const std::u16string& prompt,
                                                   const std::u16string& value) = 0;
};

}  // namespace quorvel
