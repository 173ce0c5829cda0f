#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kestrava::form {

// The outcome of a file operation: empty on success, otherwise the failure's description.
using FileError = std::optional<std::string>;

// Files addressed by numbers, as the windows use them: a number is taken with FreeFile() and
// names an open file until it is closed. Writes go straight to the operating system (no buffer
// of the program's own), so what a write returned for is never lost when the program dies.
// Reading keeps a fixed buffer, so memory does not grow with the file.
class Files {
 public:
  Files();
  ~Files();
  Files(const Files&) = delete;
  Files& operator=(const Files&) = delete;

  // The lowest number that names no open file (1 to 511); 0 when all are taken.
  std::int16_t FreeFile() const;
  bool isOpen(std::int16_t number) const;

  // Opens for appending bytes, creating the file when it does not exist.
  FileError openAppend(std::int16_t number, const std::string& path);
  // Opens for reading text lines.
  FileError openInput(std::int16_t number, const std::string& path);
  // Closing a number that is not open does nothing.
  void close(std::int16_t number);
  void closeAll();

  // Writes all of `bytes`. On failure `written` says how many went out before it.
  FileError write(std::int16_t number, std::string_view bytes, std::size_t* written = nullptr);

  // No character left to read.
  bool eof(std::int16_t number);
  // The next line: it ends at CR LF, at a lone CR or at the end of the file, and its end is
  // not part of it. A line longer than kMaxLine is returned in pieces of kMaxLine.
  FileError lineInput(std::int16_t number, std::string& line);
  static constexpr std::size_t kMaxLine = 64 * 1024;

  // Whether a file of that name exists; a lookup that fails says why.
  static FileError exists(const std::string& path, bool& found);
  static FileError remove(const std::string& path);

 private:
  struct Open;
  std::map<std::int16_t, std::unique_ptr<Open>> open_;
};

}  // namespace kestrava::form
