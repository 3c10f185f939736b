#include "batch/options.h"

#include <functional>
#include <string_view>

#include "formats/formats.h"

namespace kveld::batch {

namespace {

struct OptionEntry {
  char shortName;
  std::vector<std::string_view> longNames;
  bool takesValue;
  std::function<void(Options&, const std::string&)> apply;
};

const std::vector<OptionEntry>& optionEntries() {
  static const std::vector<OptionEntry> entries = {
      {'a', {"analyse", "analyze"}, false, [](Options& o, const std::string&) { o.analyse = true; }},
      {'c', {"check"}, false, [](Options& o, const std::string&) { o.check = true; }},
      {'f', {"format"}, true, [](Options& o, const std::string& v) { o.format = v; }},
      {'i', {"input"}, true, [](Options& o, const std::string& v) { o.sources.push_back({true, v}); }},
      {'o', {"output"}, true, [](Options& o, const std::string& v) { o.outputFolder = v; }},
      {'q', {"quiet"}, false, [](Options& o, const std::string&) { o.quiet = true; }},
      {'h', {"help"}, false, [](Options& o, const std::string&) { o.help = true; }},
      {'V', {"version"}, false, [](Options& o, const std::string&) { o.version = true; }},
  };
  return entries;
}

const OptionEntry* findShort(char name) {
  for (const OptionEntry& s : optionEntries())
    if (s.shortName == name) return &s;
  return nullptr;
}

const OptionEntry* findLong(std::string_view name) {
  for (const OptionEntry& s : optionEntries())
    for (std::string_view n : s.longNames)
      if (n == name) return &s;
  return nullptr;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  Options& o = parsed.options;
  auto fail = [&parsed](const std::string& sentence) {
    parsed.usageError = sentence;
    return parsed;
  };
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg == "-" || arg.size() < 2 || arg[0] != '-') {
      o.sources.push_back({false, arg});
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg[1] == '-') {
      // --name, --name=value, --name value
      const std::size_t equals = arg.find('=');
      const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
      const OptionEntry* entry = findLong(name);
      if (entry == nullptr) return fail("unknown option \"--" + name + "\"");
      if (!entry->takesValue) {
        if (equals != std::string::npos) return fail("option \"--" + name + "\" takes no value");
        entry->apply(o, "");
      } else if (equals != std::string::npos) {
        entry->apply(o, arg.substr(equals + 1));
      } else if (i + 1 < args.size()) {
        entry->apply(o, args[++i]);
      } else {
        return fail("option \"--" + name + "\" needs a value");
      }
    } else {
      // -cq, -f pbn, -fpbn
      for (std::size_t k = 1; k < arg.size(); ++k) {
        const OptionEntry* entry = findShort(arg[k]);
        if (entry == nullptr) return fail("unknown option \"-" + std::string(1, arg[k]) + "\"");
        if (!entry->takesValue) {
          entry->apply(o, "");
        } else if (k + 1 < arg.size()) {
          entry->apply(o, arg.substr(k + 1));
          break;
        } else if (i + 1 < args.size()) {
          entry->apply(o, args[++i]);
        } else {
          return fail("option \"-" + std::string(1, arg[k]) + "\" needs a value");
        }
      }
    }
  }
  if (o.help || o.version) return parsed;
  const formats::Format* format = formats::findFormat(o.format);
  if (format == nullptr)
    return fail("unknown format \"" + o.format + "\" (the formats are " + formats::formatNames() + ")");
  if (o.analyse && o.check) return fail("--analyse does not go with --check: a check deals nothing");
  if (o.analyse && !format->showsAnalysis)
    return fail("--analyse needs the format pbn, text or html, not " + o.format);
  if (o.outputFolder && o.outputFolder->empty()) return fail("the output folder is empty");
  if (o.sources.empty()) return fail("no control string or deal file given");
  int standardInputs = 0;
  for (const Options::Source& s : o.sources) {
    if (s.dealFile && s.text.empty()) return fail("a deal file's name is empty");
    standardInputs += s.text == "-" ? 1 : 0;
  }
  if (standardInputs > 1) return fail("standard input can be read once only");
  return parsed;
}

namespace {

// A line for each format, from the formats' table: its name, marked when it
// is read too, its label and what it can hold.
std::string formatLines(const std::string& n) {
  std::string lines;
  for (const formats::Format& f : formats::formats()) {
    std::string line = "  " + std::string(f.name) + (f.read ? "*" : "");
    line.append(line.size() < 12 ? 12 - line.size() : 1, ' ');
    line += std::string(f.label) + (&f == &formats::formats().front() ? " (the default)" : "");
    if (!f.limits.empty()) line += ": " + std::string(f.limits);
    // Wrapped within 78 columns, under the label.
    while (line.size() > 78) {
      const std::size_t cut = line.rfind(' ', 78);
      lines += line.substr(0, cut) + n;
      line = std::string(12, ' ') + line.substr(cut + 1);
    }
    lines += line + n;
  }
  return lines;
}

}  // namespace

std::string usageText(const std::string& n) {
  return "Usage: kveld-batch [OPTIONS] CONTROL_STRING..." + n + "       kveld-batch [OPTIONS] -" + n +
         "       kveld-batch [OPTIONS] -i DEAL_FILE..." + n + n +
         "Deals the sets of duplicate-bridge hand records from their ten-character" + n +
         "control strings, or reads them from deal files, and writes them in any of" + n +
         "the formats below; with --analyse, with each board's double-dummy table" + n + "and par." + n +
         "With \"-\", the control strings come from standard input, one a line;" + n +
         "blank lines and lines starting with # are skipped." + n + n + "Options:" + n +
         "  -a, --analyse         solve every board double dummy (also --analyze);" + n +
         "                        with the formats pbn, text and html" + n +
         "  -c, --check           check the strings and files and show their sets;" + n +
         "                        write nothing" + n +
         "  -f, --format FORMAT   one of the formats below" + n +
         "  -i, --input FILE      read the sets of a deal file, in whichever format" + n +
         "                        marked * below its content shows (\"-\": standard" + n +
         "                        input); may be given again" + n +
         "  -o, --output DIR      write each set into its own file in DIR, not to" + n +
         "                        standard output: Mon-DD-S for a control string," + n +
         "                        the deal file's name for its sets (club.pbn gives" + n +
         "                        club.dup, a second set club-2.dup)" + n +
         "  -q, --quiet           do not report the files written" + n +
         "  -h, --help            show this help and end" + n +
         "  -V, --version         show the version and end" + n + n + "Formats (* also read):" + n +
         formatLines(n) + n +
         "A format that cannot hold a set exactly refuses it and writes nothing of it." + n + n +
         "Exit status: 0 all done, 1 an invalid control string, a deal file that" + n +
         "cannot be read or a set that the format cannot hold, 2 a wrong command" + n +
         "line, 3 a file that could not be written." + n;
}

}  // namespace kveld::batch
