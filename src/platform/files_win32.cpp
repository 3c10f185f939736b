// Reading, writing, replacing and deleting files on Windows.
#include <algorithm>
#include <atomic>

#include "platform/leftovers.h"
#include "platform/native_files.h"
#include "platform/process_facts.h"
#include "platform/real_system.h"
#include "platform/win32_text.h"

namespace kveld {

namespace {

void writeAll(HANDLE h, const std::string& bytes, const std::string& path) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 20);
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, static_cast<DWORD>(chunk), &written, nullptr))
      raiseLastError("writing", path);
    if (written == 0) raiseWin32(ERROR_DISK_FULL, "writing", path);
    done += written;
  }
}

// A name for the new content beside the file it is to replace, not yet
// taken: "~name.1a2b3c4d.tmp".
std::wstring tempNameBeside(const std::wstring& path, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  const std::size_t sep = path.find_last_of(L"\\/");
  const std::wstring folder = sep == std::wstring::npos ? L"" : path.substr(0, sep + 1);
  const std::wstring name = sep == std::wstring::npos ? path : path.substr(sep + 1);
  const unsigned long long stamp = GetTickCount64() ^
                                   (static_cast<unsigned long long>(GetCurrentProcessId()) << 20) ^
                                   (static_cast<unsigned long long>(counter++) << 8) ^ attempt;
  wchar_t hex[9];
  static const wchar_t digits[] = L"0123456789abcdef";
  for (int i = 0; i < 8; ++i) hex[i] = digits[(stamp >> (28 - 4 * i)) & 15];
  hex[8] = 0;
  return folder + L"~" + name + L"." + hex + L".tmp";
}

// Windows refuses to open a read-only file or a folder for writing; this is
// checked before opening, since the check is not made everywhere the
// program runs (Wine lets the super-user write read-only files).
void refuseReadOnly(const std::wstring& target, const std::string& shown) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    raiseWin32(ERROR_ACCESS_DENIED, "creating", shown);
}

}  // namespace

RealSystem::RealSystem() = default;

std::optional<std::string> RealSystem::readFileStart(const std::string& path, std::size_t most,
                                                     const std::function<bool(std::string_view)>& enough) {
  Win32Handle h(CreateFileW(widePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valid()) raiseLastError("opening", path);
  if (GetFileType(h.get()) != FILE_TYPE_DISK) return std::nullopt;  // a device or a pipe
  std::string bytes;
  char buffer[4096];
  while (bytes.size() <= most && !enough(bytes)) {
    DWORD got = 0;
    if (!ReadFile(h.get(), buffer, sizeof buffer, &got, nullptr)) raiseLastError("reading", path);
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

namespace {

// The whole file of that wide name; failures name `path`.
std::string readWhole(const std::wstring& wide, const std::string& path) {
  Win32Handle h(
      CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valid()) raiseLastError("opening", path);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h.get(), buffer, sizeof buffer, &got, nullptr)) raiseLastError("reading", path);
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

}  // namespace

std::string RealSystem::readFile(const std::string& path) { return readWhole(widePath(path), path); }

void RealSystem::writeFile(const std::string& path, const std::string& bytes) {
  refuseReadOnly(widePath(path), path);
  writeInPlace(path, bytes);
}

namespace {

// Whether the file has other names (hard links) besides this one.
bool hasOtherLinks(const std::wstring& target) {
  Win32Handle h(CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  return h.valid() && GetFileInformationByHandle(h.get(), &info) && info.nNumberOfLinks > 1;
}

// Creates or empties the file `target` and writes the bytes; `shown` names
// it in failures.
void writeInPlaceWide(const std::wstring& target, const std::string& shown, const std::string& bytes) {
  Win32Handle h(
      CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valid()) raiseLastError("creating", shown);
  writeAll(h.get(), bytes, shown);
  if (!h.close()) raiseLastError("closing", shown);
}

// Puts the bytes in place of `target` in one step; `shown` names it in
// failures.
void replaceWide(const std::wstring& target, const std::string& shown, const std::string& bytes) {
  // A read-only file of that name, or a folder, is refused as opening it for
  // writing would be (moving over it would not refuse it); a missing folder
  // or a name the system does not take is reported before anything is made.
  refuseReadOnly(target, shown);
  const bool hasEarlier = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!hasEarlier) {
    const DWORD code = GetLastError();
    if (code != ERROR_FILE_NOT_FOUND) raiseWin32(code, "creating", shown);
  }
  // A file with other names (hard links) is written in place, so that all
  // of them keep showing the one file.
  if (hasEarlier && hasOtherLinks(target)) return writeInPlaceWide(target, shown, bytes);

  // The new content is written, without sharing, to a file beside the old
  // one and then moved over it in one step: other programs see the old file
  // or the new one, never a part of it.
  std::wstring wideTemp;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; created == INVALID_HANDLE_VALUE; ++attempt) {
    wideTemp = tempNameBeside(target, attempt);
    created =
        CreateFileW(wideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED && hasEarlier) {
      // A folder in which no file can be made still lets its files be
      // written, as they always could be.
      return writeInPlaceWide(target, shown, bytes);
    }
    if (created == INVALID_HANDLE_VALUE && (GetLastError() != ERROR_FILE_EXISTS || attempt > 100))
      raiseLastError("creating", shown);
  }
  Win32Handle h(created);
  try {
    writeAll(h.get(), bytes, shown);
    if (!FlushFileBuffers(h.get())) raiseLastError("writing", shown);
    if (!h.close()) raiseLastError("closing", shown);
    if (!MoveFileExW(wideTemp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      raiseLastError("replacing", shown);
  } catch (...) {
    if (h.valid()) h.close();
    DeleteFileW(wideTemp.c_str());
    throw;
  }
}

}  // namespace

void RealSystem::writeInPlace(const std::string& path, const std::string& bytes) {
  writeInPlaceWide(widePath(path), path, bytes);
}

void RealSystem::replaceFile(const std::string& path, const std::string& bytes) {
  replaceWide(widePath(path), path, bytes);
}

void replaceNativeFile(const std::string& nativePath, const std::string& bytes) {
  // Windows takes files into a folder marked read-only all the same, as it
  // does for the interactive program's archive folder.
  for (char c : nativePath)
    if (static_cast<unsigned char>(c) < 32) raiseWin32(ERROR_INVALID_NAME, "naming", nativePath);
  replaceWide(utf8ToWide(nativePath), nativePath, bytes);
}

std::string readNativeFile(const std::string& nativePath) { return readWhole(utf8ToWide(nativePath), nativePath); }

void RealSystem::deleteFile(const std::string& path) {
  if (!DeleteFileW(widePath(path).c_str())) raiseLastError("deleting", path);
}

void removeLeftoversIn(const std::string& folder, std::string_view prefix, std::size_t tail) {
  const std::wstring wideFolder = utf8ToWide(folder) + L"\\";
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((wideFolder + utf8ToWide(std::string(prefix)) + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const unsigned long number = processNumberIn(wideToUtf8(found.cFileName), prefix, tail);
    if (number == 0 || (number != processNumber() && processRuns(number))) continue;
    DeleteFileW((wideFolder + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

void RealSystem::removeLeftovers(const std::string& stem) { removeLeftoversIn(".", stem, 0); }

}  // namespace kveld
