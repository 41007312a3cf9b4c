// A folder of one test's own under the system's temporary folder, removed afterwards.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace quorvel::test {

class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, base);
    const std::wstring stem = L"quorvel-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()) + L"-";
    // Folders made within one tick would share a name: take the first suffix not yet used.
    for (unsigned i = 0; path_.empty() && i < 1000; ++i) {
      const std::filesystem::path candidate =
          std::filesystem::path(base) / (stem + std::to_wstring(i));
      if (CreateDirectoryW(candidate.c_str(), nullptr))
        path_ = candidate;
    }
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& Path() const { return path_; }
  std::u16string File(const std::wstring& name) const {
    const std::wstring w = (path_ / name).wstring();
    return std::u16string(w.begin(), w.end());
  }
  // The files the folder holds, by name.
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
      names.push_back(e.path().filename().wstring());
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& path, const std::vector<unsigned char>& b) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

}  // namespace quorvel::test
