#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end of
// the test; with helpers to lay out files and folders and to read back what is there.

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zrk::test {

class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zrk_test_XXXXXX").string();
    if (mkdtemp(pattern.data())) Root = pattern;
  }
  ~TTempFolder() {
    std::error_code ec;
    if (!Root.empty()) std::filesystem::remove_all(Root, ec);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  std::filesystem::path Root;

  std::filesystem::path operator/(const std::string& rel) const { return Root / rel; }

  // Creates the folders on the way and a file holding `bytes` (its own name by default).
  std::filesystem::path File(const std::string& rel, std::string bytes = {}) const {
    const std::filesystem::path p = Root / rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << (bytes.empty() ? rel : bytes);
    return p;
  }
  std::filesystem::path Folder(const std::string& rel) const {
    const std::filesystem::path p = Root / rel;
    std::filesystem::create_directories(p);
    return p;
  }
};

inline std::string FileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names in a folder, sorted bytewise.
inline std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

} // namespace zrk::test
