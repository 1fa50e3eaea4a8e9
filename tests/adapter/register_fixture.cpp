#include "tests/adapter/register_fixture.h"

#include <algorithm>
#include <regex>
#include <sstream>

#include "platform/codepage.h"

Lines Journal::Take() {
  std::istringstream in(ReadFileBytes(path_));
  Lines all;
  for (std::string line; std::getline(in, line);) all.push_back(line);
  Lines fresh(all.begin() + static_cast<long>(std::min(seen_, all.size())), all.end());
  seen_ = all.size();
  return fresh;
}

size_t CountOf(const Lines& lines, const std::string& line) {
  return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

Lines ReadDebugJournal(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  static const std::regex kDuration(", [0-9]+\\.[0-9]{3} ms$");
  Lines lines;
  for (size_t start = 0; start < bytes.size();) {
    const size_t end = bytes.find("\r\n", start);
    EXPECT_NE(std::string::npos, end) << "the journal's last line has no CR LF";
    std::string line = AnsiToUtf8(bytes.substr(start, end - start));
    EXPECT_EQ(std::string::npos, line.find('\n')) << line;
    // Driver accesses are indented under the line of their operation.
    if (line.rfind("  ", 0) != 0) {
      std::smatch duration;
      if (std::regex_search(line, duration, kDuration)) {
        line.erase(static_cast<size_t>(duration.position(0)));
      } else {
        ADD_FAILURE() << "no duration: " << line;
      }
    }
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

const Lines kConnecting{"put ACKTimeout = 1000", "put ENQTimeout = 60000", "get LoadDevicesSettings -> 0"};
const Lines kSwitchingOn{"get DeviceEnabled -> false", "put DeviceEnabled = true", "get ResultCode -> 0"};
const Lines kSwitchingOffAndDisconnecting{"get DeviceEnabled -> true", "put DeviceEnabled = false",
                                          "get DeviceEnabled -> false"};

Lines Joined(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

RegisterTest::RegisterTest()
    : settingsRemoval_(SettingsPath("Tarnvik.xhw.ini")),
      registry_("SORVIN_REGISTRY", config_.Dir().File("registry.ini")),
      simulatorSettings_("SORVIN_FPRNM8_SIM", config_.Dir().File("sim.ini")),
      clock_("SORVIN_FIXED_CLOCK", "2018-03-05 14:30:15"),
      simulator_(kSimulatorModule),
      tarnvik_("Tarnvik.xhw"),
      device_(tarnvik_.CreateDevice()),
      journal_(config_.Dir().File("journal.txt")) {
  Simulate("");
  Register();
}

// On Windows the registration lands in the system's registry, which
// outlasts the test.
RegisterTest::~RegisterTest() { simulator_.UnregisterServer(); }

void RegisterTest::Simulate(const std::string& sections) {
  WriteFileBytes(config_.Dir().File("sim.ini"), "[Simulator]\nJournalFile=" + config_.Dir().File("journal.txt") +
                                                    "\nTapeFile=" + config_.Dir().File("tape.txt") + "\n" + sections);
}

// Off while the name changes: a change counts from the next operation, and
// none of these should reach the file.
void RegisterTest::JournalTo(const std::string& path) {
  device_.Call("SetParamValue", {1, false});
  device_.Call("SetParamValue", {2, path});
  device_.Call("SetParamValue", {1, true});
}

void RegisterTest::Register() { EXPECT_EQ(S_OK, simulator_.RegisterServer()); }

void RegisterTest::Unregister() { EXPECT_EQ(S_OK, simulator_.UnregisterServer()); }

HRESULT RegisterTest::Fails(std::string_view operation, std::initializer_list<Arg> args) {
  HRESULT status = device_.TryCall(operation, args);
  EXPECT_TRUE(FAILED(status)) << operation << " should have failed";
  return status;
}
