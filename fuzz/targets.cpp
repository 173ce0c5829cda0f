#include "fuzz/targets.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "diag/pmi_decoder.h"
#include "link/config_scrn.h"
#include "link/form1.h"
#include "link/serial_settings.h"
#include "link/testing/test_comm_control.h"
#include "replay/replay.h"
#include "runtime/testing/virtual_platform.h"
#include "shell/app.h"
#include "tests/support/reference_filter.h"

namespace kestrava::fuzz {
namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

struct Program {
  form::testing::VirtualPlatform platform;
  App app{platform, [this] {
            return std::make_unique<link::testing::TestCommControl>(
                [this] { return platform.nowMs(); });
          }};
};

std::string tempPath(const char* name) {
  return std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/kestrava-fuzz-" +
         std::to_string(::getpid()) + "-" + name;
}

}  // namespace

void appendToTerm(const std::uint8_t* data, std::size_t size) {
  Program p;
  Form1* f = nullptr;
  p.app.dispatch([&] { f = &p.app.showWindow(p.app.form1()); });
  const std::string log = tempPath("append.log");
  std::remove(log.c_str());
  f->LogFileNo = p.app.files().FreeFile();
  check(!p.app.files().openAppend(f->LogFileNo, log), "open the log");
  std::string all;
  // Chunks: a length byte (times 64 when its top bit is set), then the chunk.
  for (std::size_t at = 0; at < size;) {
    std::size_t length = data[at] & 0x7F;
    if (data[at] & 0x80) length *= 64;
    ++at;
    length = std::min(length, size - at);
    std::string chunk(reinterpret_cast<const char*>(data + at), length);
    at += length;
    all += testing::referenceFilter(chunk);
    p.app.dispatch([&] { f->AppendToTerm(f->Term, chunk); });
    check(f->Term.length() < Form1::kTermLimit + static_cast<int>(chunk.size()) + 1, "Term bound");
    const std::size_t keep = std::min<std::size_t>(all.size(), Form1::kFrameWindow);
    check(f->Text1.text() == all.substr(all.size() - keep), "Text1 is the tail");
  }
  p.app.files().closeAll();
  std::ifstream in(log, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), {});
  std::remove(log.c_str());
  check(written == all, "the log holds exactly the filtered chunks");
}

void decoder(const std::uint8_t* data, std::size_t size) {
  Program p;
  Form1* f = nullptr;
  p.app.dispatch([&] { f = &p.app.showWindow(p.app.form1()); });
  if (size < 2) return;
  const int p0 = 1 + (data[0] | (data[1] << 8));  // any position from 1 on
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  const int header = diag::findPmiHeader(text);
  check(header == 0 || text.compare(header - 1, diag::kPmiHeader.size(), diag::kPmiHeader) == 0,
        "the header is where the search says");
  diag::DecodePmiFrame(f->grid, text, p0);
  if (header) diag::DecodePmiFrame(f->grid, text, header);
  for (const form::Label* l : f->grid.states()) check(l->caption().size() <= 2, "two characters");
}

void replay(const std::uint8_t* data, std::size_t size) {
  Program p;
  Replay* r = nullptr;
  p.app.dispatch([&] { r = &p.app.showWindow(p.app.replay()); });
  const std::string path = tempPath("replay.log");
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::int16_t number = p.app.files().FreeFile();
  check(!p.app.files().openInput(number, path), "open the log");
  p.app.dispatch([&] {
    r->ReplayFileNo = number;
    r->Command1.setEnabled(true);
  });
  int steps = 0;
  while (r->Command1.enabled() && steps++ <= static_cast<int>(size) + 1) {
    p.app.dispatch([&] { r->Command1.click(); });
    check(r->Term.length() <= Replay::kTermWindow, "the replay terminal keeps its bound");
    check(r->txtvel.length() <= 3, "a velocity is three characters at most");
  }
  check(!r->Command1.enabled(), "the end of the log is reached");
  std::remove(path.c_str());
}

void settings(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (const auto parsed = link::parseSettings(text)) {
    const auto again = link::parseSettings(link::formatSettings(*parsed));
    check(again && *again == *parsed, "accepted settings read back the same");
  }
  const int port = parsePortNumber(text);
  check(port == 0 || (port >= 1 && port <= 32767), "port numbers lie from 1 to 32767");
}

}  // namespace kestrava::fuzz
