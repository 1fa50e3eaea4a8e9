// A sum, quantity, price or discount that is not a finite number would
// poison the drawer for good, so both modules refuse it at the interface:
// every operation, every number argument, by the vtable and by name.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "contract/operations.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/excep_info.h"
#include "tests/reliability/registered_simulator.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

namespace {

const double kNotFinite[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};

bool HasCyrillic(const std::string& utf8) {
  return utf8.find('\xD0') != std::string::npos || utf8.find('\xD1') != std::string::npos;
}

// Calls every operation that takes a number once per number argument, with
// that argument not finite and the others ordinary; each call must fail
// with E_INVALIDARG and a Russian message.
void RefuseEveryNotFiniteArgument(const HostModule& module, const HostDevice& device) {
  for (const Operation& op : Operations()) {
    for (std::size_t bad = 0; bad < op.arguments.size(); ++bad) {
      if (op.arguments[bad] != ValueKind::Number) continue;
      for (double value : kNotFinite) {
        SCOPED_TRACE(std::string(op.name) + " argument " + std::to_string(bad) + " = " + std::to_string(value));
        std::vector<Variant> args;
        for (std::size_t i = 0; i < op.arguments.size(); ++i) {
          switch (op.arguments[i]) {
            case ValueKind::Number:
              args.emplace_back(i == bad ? value : 1.0);
              break;
            case ValueKind::Text:
              args.push_back(Variant::Text(Ansi("Хлеб")));
              break;
            default:
              args.emplace_back(LONG{1});
          }
        }
        std::vector<VARIANT> raw;
        for (const Variant& arg : args) raw.push_back(arg.Ref());
        Variant out;
        UINT badArgument = 0;
        EXPECT_EQ(E_INVALIDARG, op.call(*device.Get(), raw.data(), out.Get(), badArgument));
        EXPECT_TRUE(HasCyrillic(module.LastErrorMessage()));

        // By name: the same refusal comes back as the operation's exception.
        std::vector<VARIANT> reversed(raw.rbegin(), raw.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        ExceptionInfo info;
        UINT argErr = 0;
        Variant result;
        EXPECT_EQ(DISP_E_EXCEPTION,
                  device->Invoke(op.id, IID_NULL, 0, DISPATCH_METHOD, &params, result.Get(), info.Put(), &argErr));
        EXPECT_EQ(E_INVALIDARG, info.Get().scode);
        EXPECT_TRUE(HasCyrillic(AnsiToUtf8(BstrToAnsi(info.Get().bstrDescription))));
      }
    }
  }
  // Numbers that arrive as other types are held to the same rule.
  VARIANT single;
  VariantInit(&single);
  single.vt = VT_R4;
  single.fltVal = std::numeric_limits<float>::infinity();
  VARIANT date;
  VariantInit(&date);
  date.vt = VT_DATE;
  date.date = std::numeric_limits<double>::quiet_NaN();
  for (VARIANT& sum : {std::ref(single), std::ref(date)}) {
    DISPPARAMS params{&sum, nullptr, 1, 0};
    ExceptionInfo info;
    UINT argErr = 0;
    EXPECT_EQ(DISP_E_EXCEPTION, device->Invoke(9, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, info.Put(), &argErr));
    EXPECT_EQ(E_INVALIDARG, info.Get().scode);
  }
}

TEST(NotFiniteNumbers, EmulatorRefusesThemAndChangesNothing) {
  IsolatedConfig config;
  TempDir files;
  HostModule module("Selvane.xhw");
  HostDevice device(module.CreateDevice());
  device.Call("SetParamValue", {0, files.File("receipts.txt")});
  device.Call("Connect");
  ASSERT_EQ(0, device.Int("CashIn", {100.0}));
  device.Call("SaleItem", {1, "Хлеб", 1.0, 20.0, 0, 0, 0});
  EXPECT_EQ(0, device.ResultCode());
  EXPECT_EQ(7, device.Int("CashOut", {1000.0}));  // not recorded: the last result stays 0
  const std::string printed = ReadFileBytes(files.File("receipts.txt"));

  RefuseEveryNotFiniteArgument(module, device);

  EXPECT_EQ(0, device.ResultCode());
  EXPECT_EQ(printed, ReadFileBytes(files.File("receipts.txt")));
  // The receipt holds its one line and the drawer its 100: a withdrawal of
  // 120 after the sale takes everything, a kopeck more is refused.
  EXPECT_EQ(0, device.Int("CloseReceipt"));
  EXPECT_NE(std::string::npos, ReadFileBytes(files.File("receipts.txt")).find("20.00"));
  EXPECT_EQ(20.0, device.Number("GetLastDocSum"));
  EXPECT_EQ(7, device.Int("CashOut", {120.01}));
  EXPECT_EQ(0, device.Int("CashOut", {120.0}));
}

TEST(NotFiniteNumbers, AdapterRefusesThemWithoutTouchingTheDriver) {
  HostThread thread;
  IsolatedConfig config;
  const std::string journal = config.Dir().File("journal.txt");
  RegisteredSimulator simulator(config.Dir(), "[Simulator]\nJournalFile=" + journal + "\n");
  HostModule module("Tarnvik.xhw");
  HostDevice device(module.CreateDevice());

  // Without a connection, then inside an open receipt.
  EXPECT_EQ(1, device.Int("Payment", {10.0, 0}));
  RefuseEveryNotFiniteArgument(module, device);
  EXPECT_EQ(1, device.ResultCode());
  EXPECT_EQ("Драйвер не проинициализирован", device.ResultText());
  EXPECT_EQ("", ReadFileBytes(journal));

  ASSERT_EQ(0, device.Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0}));
  const std::string opened = ReadFileBytes(journal);
  RefuseEveryNotFiniteArgument(module, device);
  EXPECT_EQ(opened, ReadFileBytes(journal));
  EXPECT_EQ(0, device.ResultCode());
  EXPECT_EQ(0, device.Int("Payment", {10.0, 0}));
  EXPECT_EQ(0, device.Int("CloseReceipt"));
}

}  // namespace
