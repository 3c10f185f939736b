#include "archive/archive_file.h"

#include "core/program.h"
#include "rules/archive_text.h"

namespace kveld {

void nameArchiveFile(Program& p) {
  const ArchiveName name = archiveName(p.params, p.settings.dfDirectory);
  p.archiveBaseName = name.baseName;
  p.archiveFileName = name.fileName;
  p.archivePath = name.path;

  // The progress line goes into the body as the dealing screen left it.
  ConsoleKit& kit = p.kit;
  kit.setColour(yellow, blue);
  kit.hideCursor();
  kit.printAt(28, 11, "Printing to file: ");
  kit.setColour(lightCyan);
  kit.print(p.archiveFileName.substr(0, 8));
  kit.setColour(yellow, blue);
  kit.present();  // on screen while the file is written
}

void writeArchiveFile(Program& p) {
  // The new file takes the place of an earlier one of that name in one step,
  // so a failure part-way leaves the earlier set intact.
  p.system.replaceFile(p.archivePath, archiveText(archiveHeader(p.params), p.deals.set(p.params.boardCount)));
}

}  // namespace kveld
