#pragma once
// The tag pairs of a PBN file, game by game, in one pass over its bytes:
// escape lines (`%` in the first column), `;` and `{ }` comments, and the
// sections after a tag (an auction, a play, a table's rows) are passed
// over; a semi-empty line (nothing but spaces and tabs) outside a brace
// comment ends a game. Import format is taken: any whitespace, line ends
// included, between a tag's tokens, several tags on a line.
#include <cstddef>
#include <string>
#include <string_view>

namespace kveld::formats {

struct PbnToken {
  enum class Kind { Tag, GameEnd, End, Error };
  Kind kind = Kind::End;
  std::string_view name;   // a tag's name
  std::string_view value;  // a tag's string as it stands between its quotes
  int line = 0;            // where the tag, or the fault, is
  std::string fault;       // "a string is not closed"
};

class PbnScanner {
 public:
  explicit PbnScanner(std::string_view bytes) : bytes_(bytes) {}
  // The next tag pair; GameEnd after the last tag of a game; End at the end
  // of the bytes; Error with the line and fault when the bytes are not PBN.
  PbnToken next();

 private:
  bool atEnd() const { return pos_ >= bytes_.size(); }
  // Passes over an escape line or a semi-empty line at the start of a line;
  // true when it was semi-empty.
  bool passLineStart(bool& semiEmpty);
  // Passes over whitespace and line ends inside a tag pair; false when a
  // semi-empty line ends the game first.
  bool passSpaceInTag();
  // From an opening quote: the string's bytes, or false when it is not
  // closed on its line.
  bool readString(std::string_view& value);
  PbnToken readTag();
  PbnToken fault(int line, std::string what);

  std::string_view bytes_;
  std::size_t pos_ = 0;
  int line_ = 1;
  bool lineStart_ = true;
  bool inGame_ = false;
};

// The string of a tag as it means: `\"` a quote, `\\` a backslash, any
// other backslash as it stands.
std::string unescapedPbn(std::string_view value);

}  // namespace kveld::formats
