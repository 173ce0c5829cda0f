#pragma once

#include <functional>
#include <map>
#include <string>

#include "support/harness.h"

namespace kestrava::testing {

// A scripted controller on the test port: each command the program sends (text up to CR) is
// answered after `latencyMs`, in chunks of `chunkSize` characters `chunkGapMs` apart. Answers
// come from the table, or from `answer` when set; unknown commands get no answer.
struct ScriptedController {
  Harness& h;
  std::map<std::string, std::string> answers;
  std::function<std::string(const std::string&)> answer;
  std::int64_t latencyMs = 100;
  std::size_t chunkSize = 0;  // 0: the whole answer in one chunk
  std::int64_t chunkGapMs = 2;
  std::string line;

  explicit ScriptedController(Harness& harness) : h(harness) {
    h.port->onOutput = [this](const std::string& data) { heard(data); };
  }

  void heard(const std::string& data) {
    for (char c : data) {
      if (c != '\r') {
        line.push_back(c);
        continue;
      }
      std::string reply;
      if (answer) {
        reply = answer(line);
      } else if (auto it = answers.find(line); it != answers.end()) {
        reply = it->second;
      }
      line.clear();
      if (!reply.empty()) deliver(reply);
    }
  }

  void deliver(const std::string& reply) {
    const std::size_t step = chunkSize ? chunkSize : reply.size();
    std::int64_t at = latencyMs;
    for (std::size_t i = 0; i < reply.size(); i += step, at += chunkGapMs) {
      const std::string chunk = reply.substr(i, step);
      h.platform.schedule(at, [this, chunk] {
        h.run([&] {
          if (h.port->PortOpen()) h.port->receive(chunk);
        });
      });
    }
  }
};

// A PMI frame as the controller sends it: the "> PMII" line, the header and eight lines of
// sixteen cells, each line 38 characters and CR LF. `cell(line, r)` gives each state.
inline std::string pmiFrame(const std::function<char(int line, int cell)>& cell) {
  std::string frame = "PMI #  = = = = = = = = = = = = = = = =\r\n";
  for (int line = 1; line <= 8; ++line) {
    std::string text = "PMI " + std::to_string(line) + "  ";
    for (int r = 1; r <= 16; ++r) {
      text.push_back(cell(line, r));
      if (r < 16) text.push_back(' ');
    }
    frame += text + "\r\n";
  }
  return frame;
}

// A frame whose SM cell (line 3, cell 14) shows `sm` and every other cell 0.
inline std::string frameWithSm(char sm) {
  return pmiFrame([sm](int line, int r) { return line == 3 && r == 14 ? sm : '0'; });
}

}  // namespace kestrava::testing
