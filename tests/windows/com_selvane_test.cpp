// Selvane as a Windows host meets it: registered with regsvr32, created by
// the runtime from its class id, called through IFiscalDevice and by name
// through IDispatch, described by its registered type library, and gone
// from the registry once unregistered.
#include <gtest/gtest.h>
#include <windows.h>

#include "contract/operations.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/guid.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"
#include "tests/windows/com_server.h"

namespace {

constexpr CLSID kSelvaneClass = {0xAEA0B6CF, 0x6838, 0x4C95, {0xAB, 0x22, 0xA2, 0xAA, 0x30, 0xE7, 0x3F, 0xB1}};
constexpr GUID kSelvaneLibrary = {0x93FDC725, 0x9347, 0x4E7A, {0xA9, 0xD4, 0xDA, 0xC7, 0x9A, 0x6B, 0xDC, 0xC0}};

const std::string kClassKey = "CLSID\\" + GuidToString(kSelvaneClass);
const std::string kLibraryKey = "TypeLib\\" + GuidToString(kSelvaneLibrary);
const std::string kProgId = "Selvane.VID_OrivUrar";

class WindowsComSelvane : public ::testing::Test {
 protected:
  std::string ReceiptPath() const { return files.File("receipts.txt"); }
  ::testing::AssertionResult ReceiptsHave(const std::string& utf8) const {
    const std::string receipts = ReadFileBytes(ReceiptPath());
    if (receipts.find(Ansi(utf8)) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the receipt file holds:\n" << AnsiToUtf8(receipts);
  }

  TempDir files;
  ScopedEnv clock{"SORVIN_FIXED_CLOCK", "2026-12-08 14:05:09"};
  RegisteredServer server{"Selvane.xhw"};
};

TEST_F(WindowsComSelvane, RegistersAnApartmentClassItsProgIdAndItsTypeLibrary) {
  EXPECT_EQ(server.Path(), ClassesValue(kClassKey + "\\InprocServer32"));
  EXPECT_EQ("Apartment", ClassesValue(kClassKey + "\\InprocServer32", "ThreadingModel"));
  EXPECT_EQ(kProgId, ClassesValue(kClassKey + "\\ProgID"));
  CLSID byProgId{};
  EXPECT_EQ(S_OK, CLSIDFromProgID(AnsiToUtf16(kProgId).c_str(), &byProgId));
  EXPECT_TRUE(SameGuid(kSelvaneClass, byProgId));
  const char* wordSize = sizeof(void*) == 8 ? "win64" : "win32";
  EXPECT_EQ(server.Path(), ClassesValue(kLibraryKey + "\\1.0\\0\\" + wordSize));
  ComPtr<ITypeLib> library;
  EXPECT_EQ(S_OK, LoadRegTypeLib(kSelvaneLibrary, 1, 0, LOCALE_NEUTRAL, library.Put()));
}

TEST_F(WindowsComSelvane, SellsThroughTheInterfaceAndByName) {
  HostDevice device(CreateRegisteredDevice(kSelvaneClass));
  device.Call("SetParamValue", {0, ReceiptPath()});
  ASSERT_EQ(0, device.Int("Connect"));

  ASSERT_EQ(0, device.Int("SaleItem", {1, "Хлеб", 2.0, 45.5, 1, 4, 3}));
  ASSERT_EQ(0, device.Int("Payment", {100.0, 0}));
  ASSERT_EQ(0, device.Int("CloseReceipt"));
  // In the user's own date format, whatever the locale the tests run in.
  EXPECT_TRUE(ReceiptsHave("от " + AnsiToUtf8(FormatDateTime(EncodeDateTime(2026, 12, 8, 14, 5, 9))) + "\r\n"));
  EXPECT_TRUE(
      ReceiptsHave("Хлеб                     45.50 x      2.00 -      0.00\r\n"
                   "                         91.00\r\n"));
  EXPECT_DOUBLE_EQ(91.0, device.Number("GetLastDocSum"));

  // Russian texts cross the boundary as the system's BSTRs.
  ASSERT_EQ(0, device.Int("ReturnItem", {1, "Хлеб", 1.0, 10.0, 0, 0, 0}));
  EXPECT_EQ(8, device.Int("SaleItem", {1, "Молоко", 1.0, 20.0, 0, 0, 0}));
  EXPECT_EQ("Продажа не возможна - в чеке есть возврат", device.ResultText());
  ASSERT_EQ(0, device.Int("CancelReceipt"));

  Variant out;
  ASSERT_EQ(S_OK, device.TryInvoke("SaleItem", {1, "Молоко", 1.0, 89.9, 1, 4, 2}, &out));
  EXPECT_EQ(0, out.ToInt());
  ASSERT_EQ(S_OK, device.TryInvoke("CloseReceipt", {}, &out));
  EXPECT_EQ(0, out.ToInt());
  EXPECT_TRUE(ReceiptsHave("Молоко                   89.90 x      1.00 -      0.00\r\n"));
  ASSERT_EQ(S_OK, device.TryInvoke("GetResultText", {}, &out));
  EXPECT_EQ("", AnsiToUtf8(out.ToAnsi()));
}

// A late-bound caller may take the member ids from the registered library
// or from the object's type information; both must be the object's own.
TEST_F(WindowsComSelvane, TypeInformationGivesTheObjectsOwnMemberIds) {
  HostDevice device(CreateRegisteredDevice(kSelvaneClass));
  UINT count = 0;
  ASSERT_EQ(S_OK, device->GetTypeInfoCount(&count));
  ASSERT_EQ(1u, count);
  ComPtr<ITypeInfo> objectInfo;
  ASSERT_EQ(S_OK, device->GetTypeInfo(0, LOCALE_USER_DEFAULT, objectInfo.Put()));
  ComPtr<ITypeLib> library;
  ComPtr<ITypeInfo> registeredInfo;
  ASSERT_EQ(S_OK, LoadRegTypeLib(kSelvaneLibrary, 1, 0, LOCALE_NEUTRAL, library.Put()));
  ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(IID_IFiscalDevice, registeredInfo.Put()));

  for (const Operation& op : Operations()) {
    SCOPED_TRACE(std::string(op.name));
    OleString name = AnsiToUtf16(op.name);
    LPOLESTR names[] = {name.data()};
    DISPID own = DISPID_UNKNOWN;
    MEMBERID fromObjectInfo = MEMBERID_NIL;
    MEMBERID fromLibrary = MEMBERID_NIL;
    ASSERT_EQ(S_OK, device->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &own));
    ASSERT_EQ(S_OK, objectInfo->GetIDsOfNames(names, 1, &fromObjectInfo));
    ASSERT_EQ(S_OK, registeredInfo->GetIDsOfNames(names, 1, &fromLibrary));
    EXPECT_EQ(op.id, own);
    EXPECT_EQ(own, fromObjectInfo);
    EXPECT_EQ(own, fromLibrary);
  }
}

TEST_F(WindowsComSelvane, UnregisteringLeavesNoEntryBehind) {
  ASSERT_EQ(0, server.Unregister());
  EXPECT_FALSE(ClassesKeyExists(kClassKey));
  EXPECT_FALSE(ClassesKeyExists(kLibraryKey));
  EXPECT_FALSE(ClassesKeyExists(kProgId));
  ComPtr<IFiscalDevice> device;
  EXPECT_EQ(REGDB_E_CLASSNOTREG,
            CoCreateInstance(kSelvaneClass, nullptr, CLSCTX_INPROC_SERVER, IID_IFiscalDevice, device.PutVoid()));
  // Registering again after that works as the first time did.
  ASSERT_EQ(0, RunRegsvr32('"' + server.Path() + '"'));
  EXPECT_TRUE(ClassesKeyExists(kClassKey));
  EXPECT_EQ(0, server.Unregister());
}

}  // namespace
