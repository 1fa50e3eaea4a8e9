#include "tests/simulator/simulator_fixture.h"

#include <dlfcn.h>

#include <sstream>

#include "platform/codepage.h"
#include "platform/profile.h"

SimulatorTest::SimulatorTest() : settingsEnv_("SORVIN_FPRNM8_SIM", config_.Dir().File("sim.ini")) {
  WriteFileBytes(SettingsPath(), "[Simulator]\nTapeFile=" + TapePath() + "\nJournalFile=" +
                                     config_.Dir().File("journal.txt") + "\n[State]\nClock=2018-03-05 14:30:15\n");
}

void SimulatorTest::AddSettings(const std::string& lines) {
  WriteFileBytes(SettingsPath(), ReadFileBytes(SettingsPath()) + lines + "\n");
}

ComPtr<IDispatch> SimulatorTest::CreateRaw() const {
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(module_.GetClassObject(kSimulatorClass, IID_IClassFactory, factory.PutVoid()), S_OK);
  ComPtr<IDispatch> object;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.PutVoid()), S_OK);
  return object;
}

AutomationObject SimulatorTest::Create() const {
  ServerObject server;
  server.library = ServerLibrary(dlopen(module_.Path().c_str(), RTLD_NOW | RTLD_LOCAL));
  server.object = CreateRaw();
  return AutomationObject(std::move(server));
}

std::vector<std::string> SimulatorTest::Journal() const {
  std::vector<std::string> lines;
  std::istringstream in(ReadFileBytes(config_.Dir().File("journal.txt")));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> SimulatorTest::NewJournalLines() {
  std::vector<std::string> all = Journal();
  std::vector<std::string> fresh(all.begin() + static_cast<long>(std::min(journalSeen_, all.size())), all.end());
  journalSeen_ = all.size();
  return fresh;
}

std::string SimulatorTest::State(const std::string& key) const {
  return ProfileFile(SettingsPath()).ReadString("State", key, "<missing>");
}

void SimulatorTest::SwitchOn(AutomationObject& driver, int mode) {
  Put(driver, "DeviceEnabled", Variant(true));
  Put(driver, "Mode", Long(mode));
  ASSERT_EQ(Int(driver, "SetMode"), 0);
}

void SimulatorTest::Put(AutomationObject& driver, std::string_view name, Variant value, bool byReference) {
  driver.Put(name, std::move(value), byReference);
}

void SimulatorTest::PutText(AutomationObject& driver, std::string_view name, const std::string& utf8) {
  driver.Put(name, Variant::Text(Utf8ToAnsi(utf8)));
}

std::string SimulatorTest::Text(AutomationObject& driver, std::string_view name) {
  return AnsiToUtf8(driver.Get(name).ToAnsi());
}

long SimulatorTest::AddLine(AutomationObject& driver, const std::string& name, double quantity, double price,
                            int department) {
  driver.Call("BeginItem");
  Put(driver, "Department", Long(department), true);
  PutText(driver, "Name", name);
  Put(driver, "Price", Variant(price), true);
  Put(driver, "Quantity", Variant(quantity), true);
  Put(driver, "Summ", Variant(price * quantity));
  Put(driver, "ItemType", Long(1), true);
  Put(driver, "PaymentMode", Long(4), true);
  Put(driver, "TaxTypeNumber", Long(department == 0 ? 2 : 0));
  return Int(driver, "EndItem");
}

long SimulatorTest::Pay(AutomationObject& driver, double sum, int type) {
  Put(driver, "Summ", Variant(sum), true);
  Put(driver, "TypeClose", Long(type), true);
  return Int(driver, "Payment");
}
