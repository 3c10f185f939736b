#pragma once
// The one test implementation of System. Its files are held in memory (a
// drive of folders and files under the program's own paths), or are the
// real ones when a test works in a temporary folder. The drive listing is
// scripted, the starts of programs are recorded, and a test can make any
// call fail with the error number it chooses.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"

namespace kveld {

class FakeSystem : public System {
 public:
  enum Files { inMemory, onDisk };
  explicit FakeSystem(Files where = inMemory);

  // Files. In memory: files by path ("KVELD.INI", "C:\DF\DF.EXE") and the
  // folders that hold them; a file's folder must be there to write into it.
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  // Puts a file in memory with every folder above it.
  void addFile(const std::string& path, const std::string& bytes = {});
  void addFolder(const std::string& path);
  std::string readFile(const std::string& path) override;
  std::optional<std::string> readFileStart(const std::string& path, std::size_t most,
                                           const std::function<bool(std::string_view)>& enough) override;
  void writeFile(const std::string& path, const std::string& bytes) override;
  void replaceFile(const std::string& path, const std::string& bytes) override;
  std::string findFirstFile(const std::string& folder, const std::string& pattern) override;
  void deleteFile(const std::string& path) override;
  void removeLeftovers(const std::string& stem) override;

  // The drive listing writes `listing` into the scratch file, or nothing
  // when there is none; the drives asked for, in order.
  std::optional<std::string> listing;
  std::vector<std::string> drivesListed;
  void listDrive(const std::string& driveSpec, const std::string& shortName,
                 const std::string& scratchFile) override;

  // Programs started and addresses opened: "start [C:] [C:\DF] [DF.EXE]",
  // "open ADDRESS". Whether there is a command to open addresses with, and
  // what the system has to tell once the screen is given back.
  std::vector<std::string> commands;
  bool canOpen = true;
  std::string notice;
  bool openAddress(const std::string& address) override;
  void startProgram(const std::string& driveSpec, const std::string& folder,
                    const std::string& executable) override;
  std::string laterNotice() override { return notice; }

  // The next `times` calls named `call` ("readFile", "replaceFile",
  // "listDrive", ...) whose subject contains `subjectPart` raise
  // RunTimeError(number); `times` below 0 means every such call. A listing
  // that fails has written its lines first, as a listing broken off does.
  void failOn(const std::string& call, int number, std::string subjectPart = {}, int times = 1);
  // Every call in order, as "writeFile KVELD.INI"; failed ones end in " !".
  std::vector<std::string> calls;
  // Called before each call is carried out, with its name and subject: a
  // test can look at the screen the user sees meanwhile.
  std::function<void(const std::string& call, const std::string& subject)> beforeCall;

 private:
  struct Fault {
    std::string call;
    int number;
    std::string subjectPart;
    int times;
  };
  // Logs the call and raises the fault set for it, if any.
  void enter(const std::string& call, const std::string& subject);
  void put(const std::string& path, const std::string& bytes);

  std::unique_ptr<System> disk_;  // the real files, when onDisk
  std::vector<Fault> faults_;
};

}  // namespace kveld
