#pragma once
// The archive file of a set: its name on the dealing screen, then its bytes
// on disk.
namespace kveld {
struct Program;
// Names the set's archive file and shows the name.
void nameArchiveFile(Program& program);
// Writes every board of the set into the archive file.
void writeArchiveFile(Program& program);
}  // namespace kveld
