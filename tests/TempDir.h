// A fresh temporary current directory for a test that touches files; the old one comes back after.
#pragma once
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class TempDir {
 public:
  TempDir() : old_(std::filesystem::current_path()) {
    char templ[] = "/tmp/velmora-test-XXXXXX";
    path_ = ::mkdtemp(templ);
    std::filesystem::current_path(path_);
  }
  ~TempDir() {
    std::filesystem::current_path(old_);
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& Path() const { return path_; }

 private:
  std::filesystem::path old_;
  std::string path_;
};
