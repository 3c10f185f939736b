// Files, folders and processes (first cut: nothing built yet).
#include "platform/system.h"

namespace kveld {
namespace {

[[noreturn]] void notBuilt(const std::string& what) { throw RunTimeError(err::kInternal, what + " is not built yet"); }

class RealSystem : public System {
 public:
  std::string readFile(const std::string& path) override { notBuilt("reading " + path); }
  void writeFile(const std::string& path, const std::string&) override { notBuilt("writing " + path); }
  void replaceFile(const std::string& path, const std::string&) override { notBuilt("writing " + path); }
  void deleteFile(const std::string& path) override { notBuilt("deleting " + path); }
  std::string findFirstFile(const std::string& folder, const std::string&) override {
    notBuilt("searching " + folder);
  }
  void listArchiveFolders(const std::string& drive, const std::string&) override { notBuilt("listing " + drive); }
  void openAddress(const std::string& address) override { notBuilt("opening " + address); }
  void startProgram(const std::string&, const std::string&, const std::string& exe) override {
    notBuilt("starting " + exe);
  }
};

}  // namespace

std::unique_ptr<System> makeRealSystem() { return std::make_unique<RealSystem>(); }

}  // namespace kveld
