#include "core/manual.h"

#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <utility>

#include "core/quit_question.h"

namespace kveld {
namespace {

// The path a file address names (the inverse of fileAddress, for checking).
std::string pathOf(const std::string& address) {
  EXPECT_TRUE(address.starts_with("file:///")) << address;
  std::string rest = address.substr(7), path;
  if (rest.size() > 2 && rest[2] == ':') rest.erase(0, 1);  // "/C:/..." is "C:/..."
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size()) {
      path += static_cast<char>(std::stoi(rest.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      path += rest[i];
    }
  }
  return path;
}

TEST(ManualAddress, DocumentationFoldersBesideTheProgram) {
  struct Case {
    const char* program;
    std::vector<std::string> folders;
  } cases[] = {
      {"/usr/bin", {"/usr/share/doc/kveld", "/usr/bin/doc"}},
      {"/opt/kveld/bin/", {"/opt/kveld/share/doc/kveld", "/opt/kveld/bin/doc"}},
      {"/bin", {"/share/doc/kveld", "/bin/doc"}},
      {"/", {"/share/doc/kveld", "/doc"}},
      {"C:\\Program Files\\Kveld", {"C:\\Program Files/share/doc/kveld", "C:\\Program Files\\Kveld/doc"}},
      {"C:\\Kveld", {"C:\\share/doc/kveld", "C:\\Kveld/doc"}},
      {"C:\\", {"C:\\share/doc/kveld", "C:\\doc"}},
  };
  for (const Case& c : cases) EXPECT_EQ(documentationFolders(c.program), c.folders) << c.program;
}

TEST(ManualAddress, FileAddresses) {
  // A folder and its address.
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/share/doc/kveld", "file:///usr/share/doc/kveld"},
      {"/usr/share/doc/kveld/", "file:///usr/share/doc/kveld"},
      {"C:\\Program Files\\Kveld\\doc", "file:///C:/Program%20Files/Kveld/doc"},
      {"Z:\\work\\a b/doc", "file:///Z:/work/a%20b/doc"},
      {"/tmp/a&b%c#d?e\"f", "file:///tmp/a%26b%25c%23d%3Fe%22f"},
      {"/home/\xC3\x85se/x_y-z.~1", "file:///home/%C3%85se/x_y-z.~1"},
      {"/", "file:///"},
  };
  for (const auto& [folder, address] : cases) {
    EXPECT_EQ(fileAddress(folder), address) << folder;
    std::string back = folder;
    for (char& ch : back)
      if (ch == '\\') ch = '/';
    if (back.size() > 1 && back.back() == '/') back.pop_back();
    EXPECT_EQ(pathOf(address), back) << address;
  }
}

TEST(ManualAddress, TheFirstFolderThatHoldsTheManual) {
  std::set<std::string> files;
  auto exists = [&files](const std::string& p) { return files.count(p) > 0; };
  const std::string installed = "file:///opt/k/share/doc/kveld/Bridge/Software/Manuals/KVELD-Manual.htm";
  // Nowhere: where an installed program keeps it.
  EXPECT_EQ(manualAddress("/opt/k/bin", exists), installed);
  files.insert("/opt/k/bin/doc/Bridge/Software/Manuals/KVELD-Manual.htm");
  EXPECT_EQ(manualAddress("/opt/k/bin", exists),
            "file:///opt/k/bin/doc/Bridge/Software/Manuals/KVELD-Manual.htm");
  files.insert("/opt/k/share/doc/kveld/Bridge/Software/Manuals/KVELD-Manual.htm");
  EXPECT_EQ(manualAddress("/opt/k/bin", exists), installed);
}

// Wherever this test program runs (its build folder, or copied into the bin
// folder of an installation), the manual's address leads to a file there.
TEST(ManualAddress, ThisProgramsManualExists) {
  const std::string address = onlineManualAddress();
  std::cout << "manual: " << address << "\n";
  EXPECT_TRUE(address.ends_with("/Bridge/Software/Manuals/KVELD-Manual.htm")) << address;
  EXPECT_TRUE(fileExists(pathOf(address))) << address;
  EXPECT_FALSE(fileExists(pathOf(address) + ".missing"));
}

}  // namespace
}  // namespace kveld
