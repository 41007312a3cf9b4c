#include <windows.h>

#include "WinFiles.h"

#include <algorithm>

#include "Handles.h"
#include "Utf16.h"

namespace quorvel::win {
namespace {

constexpr DWORD kPiece = 1 << 20;
constexpr DWORD kSmallPiece = 1 << 12;

bool IsSlash(wchar_t c) {
  return c == L'\\' || c == L'/';
}

bool IsDrivePath(std::wstring_view p) {
  return p.size() >= 3 && p[1] == L':' && IsSlash(p[2]) &&
         ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z'));
}

bool IsUncPath(std::wstring_view p) {
  return p.size() >= 3 && IsSlash(p[0]) && IsSlash(p[1]) && p[2] != L'?' && p[2] != L'.';
}

// Prefixed paths skip the system's normalisation, so "." and ".." must be resolved first.
std::wstring FullPath(const std::wstring& path) {
  std::wstring full(path.size() + 1, L'\0');
  for (;;) {
    const DWORD n =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0)
      return path;
    if (n < full.size()) {
      full.resize(n);
      return full;
    }
    full.resize(n);
  }
}

// The temporary file of a replacement; deleted with the guard unless it was moved into place.
class TempFile {
 public:
  TempFile(std::wstring path, UniqueHandle handle)
      : path_(std::move(path)), handle_(std::move(handle)) {}
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    handle_.reset();
    if (!moved_)
      DeleteFileW(path_.c_str());
  }

  HANDLE handle() const noexcept { return handle_.get(); }
  bool Close() noexcept { return CloseHandle(handle_.release()) != FALSE; }
  [[nodiscard]] bool MoveTo(const std::wstring& target) noexcept {
    moved_ = MoveFileExW(path_.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    return moved_;
  }

 private:
  std::wstring path_;
  UniqueHandle handle_;
  bool moved_ = false;
};

// A new file beside target, named "<name>.<pid>.<n>.tmp" with the first n not taken.
std::optional<TempFile> CreateTempBeside(const std::wstring& target) {
  const std::wstring stem = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".";
  for (unsigned n = 0; n < 1000; ++n) {
    std::wstring name = LongPathForm(stem + std::to_wstring(n) + L".tmp");
    UniqueHandle h(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h)
      return std::optional<TempFile>(std::in_place, std::move(name), std::move(h));
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
      break;
  }
  return std::nullopt;
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kPiece));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), piece, &written, nullptr) || written == 0)
      return false;
    bytes = bytes.subspan(written);
  }
  return true;
}

}  // namespace

std::wstring LongPathForm(std::wstring_view path) {
  std::wstring p(path);
  if (p.size() < MAX_PATH || !(IsDrivePath(p) || IsUncPath(p)))
    return p;
  p = FullPath(p);
  if (IsDrivePath(p))
    return L"\\\\?\\" + p;
  if (IsUncPath(p))
    return L"\\\\?\\UNC\\" + p.substr(2);
  return p;
}

std::wstring ShellReachablePath(const std::wstring& path) {
  if (path.size() < MAX_PATH)
    return path;
  const std::wstring full = LongPathForm(path);
  std::wstring shortName(full.size() + 1, L'\0');
  const DWORD n =
      GetShortPathNameW(full.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
  if (n == 0 || n >= shortName.size())
    return path;
  shortName.resize(n);
  if (shortName.rfind(L"\\\\?\\UNC\\", 0) == 0)
    shortName = L"\\\\" + shortName.substr(8);
  else if (shortName.rfind(L"\\\\?\\", 0) == 0)
    shortName.erase(0, 4);
  return shortName.size() < MAX_PATH ? shortName : path;
}

bool Win32FilePort::Exists(const std::u16string& path) {
  return GetFileAttributesW(LongPathForm(ToWide(path)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<Bytes> Win32FilePort::ReadAll(const std::u16string& path) {
  const std::wstring name = LongPathForm(ToWide(path));
  // Share everything: another program may hold the file open, even while renaming it.
  const UniqueHandle file(CreateFileW(name.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  // Devices and pipes could block forever; a settings file is always on disk.
  if (!file || GetFileType(file.get()) != FILE_TYPE_DISK)
    return std::nullopt;

  Bytes bytes;
  LARGE_INTEGER size{};
  std::size_t expected = 0;
  if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
    expected = static_cast<std::size_t>(size.QuadPart);
    bytes.reserve(expected + kSmallPiece);
  }
  for (;;) {
    const std::size_t at = bytes.size();
    // Each read asks for what the size promised still to come (a small piece once that is in,
    // to find the end or what was added since), so that a small file costs no large buffer.
    const DWORD piece = static_cast<DWORD>(
        std::clamp<std::size_t>(expected > at ? expected - at : 0, kSmallPiece, kPiece));
    bytes.resize(at + piece);
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + at, piece, &read, nullptr))
      return std::nullopt;
    bytes.resize(at + read);
    if (read == 0)
      return bytes;
  }
}

bool Win32FilePort::ReplaceAtomically(const std::u16string& path,
                                      std::span<const std::uint8_t> bytes) {
  const std::wstring target = ToWide(path);
  if (target.empty())
    return false;
  std::optional<TempFile> temp = CreateTempBeside(target);
  if (!temp)
    return false;
  if (!WriteAll(temp->handle(), bytes) || !FlushFileBuffers(temp->handle()) || !temp->Close()) {
    return false;
  }
  return temp->MoveTo(LongPathForm(target));
}

}  // namespace quorvel::win
