#pragma once
// Script steps that prepare and check the files and the environment around
// the program: folders and files made, copied, moved and removed, files
// compared, variables set for the program started next.
#include <string>

namespace driver {

// Runs the step if it is one of these; false when the command is not one.
//   setenv NAME VALUE           sets a variable of the environment that the
//                               program started next receives
//   copy-file FROM TO           copies a file, replacing TO
//   move FROM TO                moves or renames a file or folder
//   remove NAME                 removes a file, or a folder with all it holds
//   expect-same-file NAME WANT  the file NAME holds exactly the bytes of WANT
//   expect-no-file NAME         there is no file or folder NAME
// Names are Windows paths, absolute or from the current folder, without
// blanks; ${CD} in them stands for the current folder.
bool runFileStep(const std::string& command, const std::string& rest);

// Where the bytes of a file first differ from those expected, for a message.
std::string firstDifference(const std::string& got, const std::string& want);

}  // namespace driver
