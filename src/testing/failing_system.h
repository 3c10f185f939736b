#pragma once
// For tests of the failure paths: a system whose chosen operations raise a
// run-time error with a chosen number, as a failing disk, folder or process
// would; every other call goes on to an inner system (usually the real one).
#include <string>
#include <vector>

#include "platform/system.h"

namespace kveld {

class FailingSystem : public System {
 public:
  enum class Op {
    readFile,
    writeFile,
    replaceFile,
    deleteFile,
    findFirstFile,
    listArchiveFolders,
    openAddress,
    startProgram
  };

  explicit FailingSystem(System& inner) : inner_(inner) {}

  // The next `times` calls of `op` whose subject (the path, the folder and
  // executable, or the address) contains `subjectPart` raise
  // RunTimeError(number); `times` below 0 means every such call.
  void failOn(Op op, int number, std::string subjectPart = {}, int times = 1) {
    rules_.push_back({op, number, std::move(subjectPart), times});
  }

  // Every call in order, as "writeFile KVELD.INI"; failed ones end in " !".
  std::vector<std::string> calls;

  std::string readFile(const std::string& path) override {
    check(Op::readFile, "readFile", path);
    return inner_.readFile(path);
  }
  std::optional<std::string> readFileStart(const std::string& path, std::size_t most,
                                           const std::function<bool(std::string_view)>& enough) override {
    check(Op::readFile, "readFile", path);
    return inner_.readFileStart(path, most, enough);
  }
  void writeFile(const std::string& path, const std::string& bytes) override {
    check(Op::writeFile, "writeFile", path);
    inner_.writeFile(path, bytes);
  }
  void replaceFile(const std::string& path, const std::string& bytes) override {
    check(Op::replaceFile, "replaceFile", path);
    inner_.replaceFile(path, bytes);
  }
  void deleteFile(const std::string& path) override {
    check(Op::deleteFile, "deleteFile", path);
    inner_.deleteFile(path);
  }
  // Raises nothing in any system.
  void removeLeftovers(const std::string& stem) override { inner_.removeLeftovers(stem); }
  std::string findFirstFile(const std::string& folder, const std::string& pattern) override {
    check(Op::findFirstFile, "findFirstFile", folder + "\\" + pattern);
    return inner_.findFirstFile(folder, pattern);
  }
  void listArchiveFolders(const std::string& driveSpec, const std::string& scratchFile) override {
    check(Op::listArchiveFolders, "listArchiveFolders", driveSpec + " " + scratchFile);
    inner_.listArchiveFolders(driveSpec, scratchFile);
  }
  bool openAddress(const std::string& address) override {
    check(Op::openAddress, "openAddress", address);
    return inner_.openAddress(address);
  }
  void startProgram(const std::string& driveSpec, const std::string& folder,
                    const std::string& executable) override {
    check(Op::startProgram, "startProgram", driveSpec + " " + folder + "\\" + executable);
    inner_.startProgram(driveSpec, folder, executable);
  }
  std::string laterNotice() override { return inner_.laterNotice(); }

 private:
  struct Rule {
    Op op;
    int number;
    std::string subjectPart;
    int times;
  };

  void check(Op op, const std::string& name, const std::string& subject) {
    for (Rule& r : rules_) {
      if (r.op != op || r.times == 0 || subject.find(r.subjectPart) == std::string::npos) continue;
      if (r.times > 0) --r.times;
      calls.push_back(name + " " + subject + " !");
      throw RunTimeError(r.number, name + " " + subject + " failed (injected)");
    }
    calls.push_back(name + " " + subject);
  }

  System& inner_;
  std::vector<Rule> rules_;
};

}  // namespace kveld
