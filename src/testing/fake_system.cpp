#include "testing/fake_system.h"

#include <stdexcept>

#include "encoding/native_name.h"

namespace kveld {
namespace {

const std::set<std::string> kCalls = {"readFile",    "writeFile",          "replaceFile",
                                      "deleteFile",  "removeLeftovers",    "findFirstFile",
                                      "openAddress", "listDrive",          "startProgram"};

// The folder part of a program path; empty for a name in the current folder.
std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

FakeSystem::FakeSystem(Files where) {
  if (where == onDisk) disk_ = makeRealSystem();
}

void FakeSystem::addFolder(const std::string& path) {
  for (std::string folder = path; !folder.empty(); folder = folderOf(folder)) folders.insert(folder);
}

void FakeSystem::addFile(const std::string& path, const std::string& bytes) {
  addFolder(folderOf(path));
  files[path] = bytes;
}

void FakeSystem::failOn(const std::string& call, int number, std::string subjectPart, int times) {
  if (kCalls.count(call) == 0) throw std::invalid_argument("no call named " + call);
  faults_.push_back({call, number, std::move(subjectPart), times});
}

void FakeSystem::enter(const std::string& call, const std::string& subject) {
  if (beforeCall) beforeCall(call, subject);
  for (Fault& f : faults_) {
    if (f.call != call || f.times == 0 || subject.find(f.subjectPart) == std::string::npos) continue;
    if (f.times > 0) --f.times;
    calls.push_back(call + " " + subject + " !");
    throw RunTimeError(f.number, call + " " + subject + " failed (injected)");
  }
  calls.push_back(call + " " + subject);
}

void FakeSystem::put(const std::string& path, const std::string& bytes) {
  if (disk_) return disk_->writeFile(path, bytes);
  const std::string folder = folderOf(path);
  if (!folder.empty() && folders.count(folder) == 0)
    throw RunTimeError(err::kPathNotFound, folder + " not found");
  if (folders.count(path) != 0) throw RunTimeError(err::kPathFileAccess, path + " is a folder");
  files[path] = bytes;
}

std::string FakeSystem::readFile(const std::string& path) {
  enter("readFile", path);
  if (disk_) return disk_->readFile(path);
  const auto it = files.find(path);
  if (it == files.end()) throw RunTimeError(err::kFileNotFound, path + " not found");
  return it->second;
}

std::optional<std::string> FakeSystem::readFileStart(const std::string& path, std::size_t most,
                                                     const std::function<bool(std::string_view)>& enough) {
  if (disk_) {
    enter("readFile", path);
    return disk_->readFileStart(path, most, enough);
  }
  return System::readFileStart(path, most, enough);
}

void FakeSystem::writeFile(const std::string& path, const std::string& bytes) {
  enter("writeFile", path);
  put(path, bytes);
}

void FakeSystem::replaceFile(const std::string& path, const std::string& bytes) {
  enter("replaceFile", path);
  if (disk_) return disk_->replaceFile(path, bytes);
  put(path, bytes);
}

void FakeSystem::deleteFile(const std::string& path) {
  enter("deleteFile", path);
  if (disk_) return disk_->deleteFile(path);
  if (files.erase(path) == 0) throw RunTimeError(err::kFileNotFound, path + " not found");
}

void FakeSystem::removeLeftovers(const std::string& stem) {
  enter("removeLeftovers", stem);
  if (disk_) disk_->removeLeftovers(stem);
}

std::string FakeSystem::findFirstFile(const std::string& folder, const std::string& pattern) {
  enter("findFirstFile", folder + "\\" + pattern);
  if (disk_) return disk_->findFirstFile(folder, pattern);
  if (folders.count(folder) == 0) throw RunTimeError(err::kPathNotFound, folder + " not found");
  for (const auto& [path, bytes] : files) {
    const std::string name = path.substr(path.rfind('\\') + 1);
    if (folderOf(path) == folder && matchesWildcard(pattern, name)) return name;
  }
  return {};
}

void FakeSystem::listDrive(const std::string& driveSpec, const std::string& shortName,
                           const std::string& scratchFile) {
  drivesListed.push_back(driveSpec);
  const bool listed = listing.has_value();
  try {
    enter("listDrive", driveSpec + "\\" + shortName + " " + scratchFile);
  } catch (const RunTimeError&) {
    if (listed) put(scratchFile, *listing);
    throw;
  }
  if (listed) put(scratchFile, *listing);
}

bool FakeSystem::openAddress(const std::string& address) {
  enter("openAddress", address);
  commands.push_back("open " + address);
  return canOpen;
}

void FakeSystem::startProgram(const std::string& driveSpec, const std::string& folder,
                              const std::string& executable) {
  enter("startProgram", driveSpec + " " + folder + "\\" + executable);
  commands.push_back("start [" + driveSpec + "] [" + folder + "] [" + executable + "]");
}

}  // namespace kveld
