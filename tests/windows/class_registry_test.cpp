// Classes in the system registry, as the runtime itself then finds them,
// and objects created by ProgID through the runtime.
#include "platform/class_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/guid.h"
#include "platform/module_path.h"

namespace {

std::string ClassValue(const CLSID& clsid, const char* name) {
  char value[MAX_PATH * 2] = "";
  DWORD size = sizeof value;
  std::string key = "CLSID\\" + GuidToString(clsid) + "\\InprocServer32";
  if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return "<none>";
  }
  return value;
}

// The class the runtime finds for the ProgID, as text, or "<none>".
std::string RuntimeClassOf(const std::string& name) {
  CLSID clsid;
  return SUCCEEDED(CLSIDFromProgID(AnsiToUtf16(name).c_str(), &clsid)) ? GuidToString(clsid) : "<none>";
}

// Fresh class ids and a ProgID of the test's own, so tests running side
// by side never meet in the registry.
class WindowsClassRegistry : public ::testing::Test {
 protected:
  WindowsClassRegistry() {
    CoCreateGuid(&classId);
    CoCreateGuid(&otherClassId);
  }
  void TearDown() override {
    UnregisterServerClass(classId, progId);
    UnregisterServerClass(otherClassId, progId);
  }

  CLSID classId;
  CLSID otherClassId;
  const std::string progId =
      std::string("Sorvin.Test.") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(WindowsClassRegistry, RegisteredClassIsFoundByTheRuntimeAndRemovedAgain) {
  RegisterServerClass(classId, ThisModulePath(), progId);
  EXPECT_EQ(ThisModulePath(), ClassValue(classId, nullptr));
  EXPECT_EQ("Apartment", ClassValue(classId, "ThreadingModel"));
  EXPECT_EQ(GuidToString(classId), RuntimeClassOf(progId));

  UnregisterServerClass(classId, progId);
  EXPECT_EQ("<none>", ClassValue(classId, nullptr));
  EXPECT_EQ("<none>", RuntimeClassOf(progId));
  EXPECT_NO_THROW(UnregisterServerClass(classId, progId));  // nothing left to remove
}

TEST_F(WindowsClassRegistry, AProgIdTakenOverByAnotherClassStaysWithIt) {
  RegisterServerClass(classId, ThisModulePath(), progId);
  RegisterServerClass(otherClassId, ThisModulePath(), progId);
  UnregisterServerClass(classId, progId);
  EXPECT_EQ(GuidToString(otherClassId), RuntimeClassOf(progId));
  EXPECT_EQ(ThisModulePath(), ClassValue(otherClassId, nullptr));
}

// The class key the other word size writes when a module is registered
// with both: the system keeps class keys apart for 32- and 64-bit
// programs (and shares ProgIDs between them).
class OtherWordSizesClass {
 public:
  explicit OtherWordSizesClass(const CLSID& clsid) : key_("CLSID\\" + GuidToString(clsid)) {
    HKEY server = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, (key_ + "\\InprocServer32").c_str(), 0, nullptr, 0,
                                             KEY_WRITE | kOtherView, nullptr, &server, nullptr));
    RegCloseKey(server);
  }
  OtherWordSizesClass(const OtherWordSizesClass&) = delete;
  OtherWordSizesClass& operator=(const OtherWordSizesClass&) = delete;
  ~OtherWordSizesClass() {
    RegDeleteKeyExA(HKEY_CLASSES_ROOT, (key_ + "\\InprocServer32").c_str(), kOtherView, 0);
    RegDeleteKeyExA(HKEY_CLASSES_ROOT, key_.c_str(), kOtherView, 0);
  }

 private:
  static constexpr REGSAM kOtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  std::string key_;
};

TEST_F(WindowsClassRegistry, AProgIdStaysWhileTheOtherWordSizeStillRegistersTheClass) {
  {
    OtherWordSizesClass other(classId);
    RegisterServerClass(classId, ThisModulePath(), progId);
    UnregisterServerClass(classId, progId);
    EXPECT_EQ("<none>", ClassValue(classId, nullptr));
    EXPECT_EQ(GuidToString(classId), RuntimeClassOf(progId));
  }
  // The last word size to go takes the ProgID with it.
  UnregisterServerClass(classId, progId);
  EXPECT_EQ("<none>", RuntimeClassOf(progId));
}

TEST_F(WindowsClassRegistry, CreationFailuresCarryTheStatusAndTheSystemsMessage) {
  try {
    CreateObjectByProgId("Sorvin.NoSuchClass");
    FAIL() << "an unknown ProgID made an object";
  } catch (const ComError& e) {
    EXPECT_EQ(CO_E_CLASSSTRING, e.Status());
    EXPECT_STRNE("", e.what());
    EXPECT_NE(0u, std::string(e.what()).find("Error 0x"));
  }
  // Registered, but the server file is not there.
  RegisterServerClass(classId, "C:\\nowhere\\missing.dll", progId);
  try {
    CreateObjectByProgId(progId);
    FAIL() << "a class without its server made an object";
  } catch (const ComError& e) {
    EXPECT_TRUE(FAILED(e.Status()));
    EXPECT_STRNE("", e.what());
  }
}

TEST(WindowsObjectCreation, AnAutomationServerOfTheSystemAnswersByName) {
  ServerObject server = CreateObjectByProgId("Scripting.Dictionary");
  ASSERT_TRUE(server.object);
  OleString name(L"Count");
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  EXPECT_EQ(S_OK, server.object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  EXPECT_NE(DISPID_UNKNOWN, id);
}

}  // namespace
