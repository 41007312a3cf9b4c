#include "WinFiles.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "Handles.h"
#include "Utf16.h"

namespace quorvel::win {

std::wstring LongPathForm(const std::u16string& path) {
  std::wstring w = ToWide(path);
  if (w.size() < MAX_PATH - 12 || w.rfind(L"\\\\?\\", 0) == 0)
    return w;
  for (wchar_t& c : w) {
    if (c == L'/')
      c = L'\\';
  }
  if (w.rfind(L"\\\\", 0) == 0)
    return L"\\\\?\\UNC\\" + w.substr(2);
  if (w.size() >= 3 && w[1] == L':' && w[2] == L'\\')
    return L"\\\\?\\" + w;
  return w;  // relative: left to the system
}

std::optional<Bytes> Win32FilePort::ReadAll(const std::u16string& path) {
  const UniqueHandle file(CreateFileW(LongPathForm(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      size.QuadPart > (std::int64_t{1} << 31)) {
    return std::nullopt;
  }
  Bytes bytes(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr))
      return std::nullopt;
    if (got == 0)
      break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

namespace {

// Creates a file that did not exist before, in the folder of `path`; empty when none could be.
std::pair<UniqueHandle, std::wstring> CreateTemporaryBeside(const std::u16string& path) {
  const std::u16string stem = path + u"." + ToU16(std::to_wstring(GetCurrentProcessId())) + u".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring name = LongPathForm(stem + ToU16(std::to_wstring(attempt)) + u".tmp");
    UniqueHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
      return {std::move(file), std::move(name)};
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
      break;
  }
  return {};
}

bool WriteAndFlush(const UniqueHandle& file, std::span<const std::uint8_t> bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    if (!WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) {
      return false;
    }
    done += wrote;
  }
  return FlushFileBuffers(file.get()) != 0;
}

}  // namespace

bool Win32FilePort::ReplaceAtomically(const std::u16string& path,
                                      std::span<const std::uint8_t> bytes) {
  auto [file, temp] = CreateTemporaryBeside(path);
  if (!file)
    return false;
  const bool written = WriteAndFlush(file, bytes);
  file.reset();  // closed before it is moved or deleted
  if (written && MoveFileExW(temp.c_str(), LongPathForm(path).c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temp.c_str());
  return false;
}

}  // namespace quorvel::win
