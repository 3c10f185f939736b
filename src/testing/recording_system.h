#pragma once
// For flow tests: the real files and folders, with the outside commands
// recorded instead of started (where a real process is not the point).
#include <memory>
#include <string>
#include <vector>

#include "platform/system.h"

namespace kveld {

class RecordingSystem : public System {
 public:
  RecordingSystem() : real_(makeRealSystem()) {}

  std::string readFile(const std::string& path) override { return real_->readFile(path); }
  std::optional<std::string> readFileStart(const std::string& path, std::size_t most,
                                           const std::function<bool(std::string_view)>& enough) override {
    return real_->readFileStart(path, most, enough);
  }
  void writeFile(const std::string& path, const std::string& bytes) override {
    real_->writeFile(path, bytes);
  }
  void replaceFile(const std::string& path, const std::string& bytes) override {
    real_->replaceFile(path, bytes);
  }
  void deleteFile(const std::string& path) override { real_->deleteFile(path); }
  void removeLeftovers(const std::string& stem) override { real_->removeLeftovers(stem); }
  std::string findFirstFile(const std::string& folder, const std::string& pattern) override {
    return real_->findFirstFile(folder, pattern);
  }
  void listArchiveFolders(const std::string& driveSpec, const std::string& scratchFile) override {
    real_->listArchiveFolders(driveSpec, scratchFile);
  }
  bool openAddress(const std::string& address) override {
    commands.push_back("open " + address);
    return canOpen;
  }
  void startProgram(const std::string& driveSpec, const std::string& folder,
                    const std::string& executable) override {
    commands.push_back("start [" + driveSpec + "] [" + folder + "] [" + executable + "]");
  }

  std::vector<std::string> commands;
  bool canOpen = true;  // whether there is a command to open addresses with
  System& real() { return *real_; }

 private:
  std::unique_ptr<System> real_;
};

}  // namespace kveld
