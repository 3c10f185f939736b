#pragma once
// Files that a run of the program makes for a while and names with its
// process number: when a run is killed outright they stay behind, and a later
// run removes those whose process no longer runs.
#include <string>
#include <string_view>

namespace kveld {

// The process number in a name made of `prefix`, the number's digits and
// then, when `tail` is not 0, a dot and `tail` - 1 more characters. 0 when
// the name has another shape.
inline unsigned long processNumberIn(std::string_view name, std::string_view prefix, std::size_t tail) {
  if (name.substr(0, prefix.size()) != prefix) return 0;
  name.remove_prefix(prefix.size());
  std::size_t digits = 0;
  unsigned long number = 0;
  while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9' && digits < 9)
    number = number * 10 + static_cast<unsigned long>(name[digits++] - '0');
  const std::string_view rest = name.substr(digits);
  if (digits == 0 || name[0] == '0' || rest.size() != tail || (tail != 0 && rest[0] != '.')) return 0;
  return number;
}

// The process number in the name of a replacement's temporary file,
// "." NAME "." PID "." and six characters; 0 for another name.
inline unsigned long temporaryProcessNumber(std::string_view name) {
  if (name.size() < 10 || name[0] != '.') return 0;
  const std::size_t dot = name.substr(0, name.size() - 7).rfind('.');
  return dot == 0 || dot == std::string_view::npos ? 0 : processNumberIn(name, name.substr(0, dot + 1), 7);
}

// Removes the entries of `folder` (a native path) whose names carry, in the
// shape above, the number of a process that no longer runs, or this
// program's own number (a run before it that had the same one). Folders
// stay, and so does whatever cannot be removed: nothing is raised.
void removeLeftoversIn(const std::string& folder, std::string_view prefix, std::size_t tail);

}  // namespace kveld
