// A stand-in for DeepFinesse, for the demo setting and the tests. Started in
// its installation folder, it notes that it was started (standin-started.txt
// there), shows the boards of the newest deal archive file as four-hand
// diagrams, and ends with 0 when Enter is pressed. With DFSTANDIN_RECORD_ONLY
// set it ends with 0 right after the note.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive_folder.h"
#include "archive_reader.h"
#include "diagram.h"
#include "terminal.h"

namespace fs = std::filesystem;
using namespace standin;

namespace {

bool endKey(int key) { return key == -1 || key == '\r' || key == '\n' || key == 'q' || key == 'Q'; }

void waitForEnd() {
  while (!endKey(readKey())) {
  }
}

void browse(const Archive& archive, const std::string& fileName) {
  std::size_t page = 0;
  for (;;) {
    showScreen(renderPage(archive, fileName, page));
    for (;;) {
      const int key = readKey();
      if (endKey(key)) return;
      if ((key == ' ' || key == 'n' || key == 'N') && page + 1 < pageCount(archive)) {
        ++page;
        break;
      }
      if ((key == 'b' || key == 'B' || key == 'p' || key == 'P') && page > 0) {
        --page;
        break;
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  appendLine("standin-started.txt", startLine(utf8(here), arguments));
  // Where nobody is at the keyboard (the tests of starting programs, which
  // also make it stand in for the command interpreter) only the record is wanted.
  const char* recordOnly = std::getenv("DFSTANDIN_RECORD_ONLY");
  if (recordOnly != nullptr && *recordOnly != '\0') return 0;

  const auto folder = findArchiveFolder(here);
  if (!folder) {
    showScreen(renderMessage("There is no archive folder (\"Deal Archive\" or DEALAR~1) in", utf8(here)));
    waitForEnd();
    return 0;
  }
  const auto file = newestArchiveFile(*folder);
  if (!file) {
    showScreen(renderMessage("There is no deal archive file (*.txt) in", utf8(*folder)));
    waitForEnd();
    return 0;
  }
  std::ifstream in(*file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  browse(parseArchive(bytes), utf8(file->filename()));
  return 0;
}
