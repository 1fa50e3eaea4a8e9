// Every number argument is money or a quantity that multiplies money. One
// that is not a finite number would poison the drawer for good, and one of
// 10^13 roubles or more would lose its kopecks, so both modules refuse them
// at the interface: every operation, every number argument, by the vtable
// and by name, and a line whose sum goes beyond the limit. The largest
// amount itself is taken.
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

constexpr double kMostMoney = 9999999999999.99;
constexpr const char* kLimitText = "10 000 000 000 000";

const double kRefused[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(), 1e13, -1e13, 1.7e308};

bool HasCyrillic(const std::string& utf8) {
  return utf8.find('\xD0') != std::string::npos || utf8.find('\xD1') != std::string::npos;
}

// A call of one operation with its arguments as VARIANTs, in order.
class OperationCall {
 public:
  // Number argument `index` is `value`, the others ordinary.
  OperationCall(const Operation& op, std::size_t index, double value) : op_(op) {
    for (std::size_t i = 0; i < op.arguments.size(); ++i) {
      switch (op.arguments[i]) {
        case ValueKind::Number:
          args_.emplace_back(i == index ? value : 1.0);
          break;
        case ValueKind::Text:
          args_.push_back(Variant::Text(Ansi("Хлеб")));
          break;
        default:
          args_.emplace_back(LONG{1});
      }
    }
    for (const Variant& arg : args_) raw_.push_back(arg.Ref());
  }

  HRESULT ByVtable(const HostDevice& device) {
    Variant out;
    UINT badArgument = 0;
    return op_.call(*device.Get(), raw_.data(), out.Get(), badArgument);
  }

  // The status that comes back as the operation's exception, and its text.
  HRESULT ByName(const HostDevice& device, std::string* description = nullptr) {
    std::vector<VARIANT> reversed(raw_.rbegin(), raw_.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    ExceptionInfo info;
    UINT argErr = 0;
    Variant result;
    const HRESULT status =
        device->Invoke(op_.id, IID_NULL, 0, DISPATCH_METHOD, &params, result.Get(), info.Put(), &argErr);
    if (description) *description = AnsiToUtf8(BstrToAnsi(info.Get().bstrDescription));
    return status == DISP_E_EXCEPTION ? info.Get().scode : status;
  }

 private:
  const Operation& op_;
  std::vector<Variant> args_;
  std::vector<VARIANT> raw_;
};

// Runs `check` for every number argument of every operation.
void ForEachNumberArgument(const std::function<void(const Operation&, std::size_t)>& check) {
  for (const Operation& op : Operations()) {
    for (std::size_t index = 0; index < op.arguments.size(); ++index) {
      if (op.arguments[index] != ValueKind::Number) continue;
      SCOPED_TRACE(std::string(op.name) + " argument " + std::to_string(index));
      check(op, index);
    }
  }
}

// Each call must fail with E_INVALIDARG and a Russian message, which names
// the limit for a finite number.
void RefuseEveryUncountableArgument(const HostModule& module, const HostDevice& device) {
  ForEachNumberArgument([&](const Operation& op, std::size_t index) {
    for (double value : kRefused) {
      SCOPED_TRACE(value);
      OperationCall call(op, index, value);
      EXPECT_EQ(E_INVALIDARG, call.ByVtable(device));
      const std::string message = module.LastErrorMessage();
      EXPECT_TRUE(HasCyrillic(message)) << message;
      if (std::isfinite(value)) {
        EXPECT_NE(std::string::npos, message.find(kLimitText)) << message;
      }
      std::string description;
      EXPECT_EQ(E_INVALIDARG, call.ByName(device, &description));
      EXPECT_EQ(message, description);
    }
  });
  // Numbers that arrive as other types are held to the same rule.
  VARIANT single;
  VariantInit(&single);
  single.vt = VT_R4;
  single.fltVal = std::numeric_limits<float>::infinity();
  VARIANT date;
  VariantInit(&date);
  date.vt = VT_DATE;
  date.date = std::numeric_limits<double>::quiet_NaN();
  VARIANT huge = single;
  huge.fltVal = 1e14f;
  for (VARIANT& sum : {std::ref(single), std::ref(date), std::ref(huge)}) {
    DISPPARAMS params{&sum, nullptr, 1, 0};
    ExceptionInfo info;
    UINT argErr = 0;
    EXPECT_EQ(DISP_E_EXCEPTION, device->Invoke(9, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, info.Put(), &argErr));
    EXPECT_EQ(E_INVALIDARG, info.Get().scode);
  }
}

// The largest amount either way passes the interface, each time on an
// object of its own, so one call's effect cannot refuse the next.
void TakeTheLargestAmount(const HostModule& module) {
  ForEachNumberArgument([&](const Operation& op, std::size_t index) {
    for (double value : {kMostMoney, -kMostMoney}) {
      SCOPED_TRACE(value);
      OperationCall call(op, index, value);
      EXPECT_EQ(S_OK, call.ByVtable(HostDevice(module.CreateDevice())));
      EXPECT_EQ(S_OK, call.ByName(HostDevice(module.CreateDevice())));
    }
  });
}

// A line's sum is money too.
void RefuseALineSumBeyondTheLimit(const HostDevice& device) {
  for (const char* line : {"SaleItem", "ReturnItem"}) {
    SCOPED_TRACE(line);
    EXPECT_EQ(E_INVALIDARG, device.TryCall(line, {1, "Хлеб", 2.0, 5000000000000.0, 0, 0, 0}));
    ExceptionInfo info;
    EXPECT_EQ(DISP_E_EXCEPTION, device.TryInvoke(line, {1, "Хлеб", -1e7, 1e7, 0, 0, 0}, nullptr, info.Put()));
    EXPECT_EQ(E_INVALIDARG, info.Get().scode);
  }
}

TEST(NumberArguments, EmulatorRefusesThoseItCannotCountAndChangesNothing) {
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

  RefuseEveryUncountableArgument(module, device);

  EXPECT_EQ(0, device.ResultCode());
  EXPECT_EQ(printed, ReadFileBytes(files.File("receipts.txt")));
  // The receipt holds its one line and the drawer its 100: a withdrawal of
  // 120 after the sale takes everything, a kopeck more is refused.
  EXPECT_EQ(0, device.Int("CloseReceipt"));
  EXPECT_NE(std::string::npos, ReadFileBytes(files.File("receipts.txt")).find("20.00"));
  EXPECT_EQ(20.0, device.Number("GetLastDocSum"));
  EXPECT_EQ(7, device.Int("CashOut", {120.01}));
  EXPECT_EQ(0, device.Int("CashOut", {120.0}));

  RefuseALineSumBeyondTheLimit(device);
  TakeTheLargestAmount(module);
}

TEST(NumberArguments, AdapterRefusesThemWithoutTouchingTheDriver) {
  HostThread thread;
  IsolatedConfig config;
  const std::string journal = config.Dir().File("journal.txt");
  RegisteredSimulator simulator(config.Dir(), "[Simulator]\nJournalFile=" + journal + "\n");
  HostModule module("Tarnvik.xhw");
  HostDevice device(module.CreateDevice());

  // Without a connection, then inside an open receipt.
  EXPECT_EQ(1, device.Int("Payment", {10.0, 0}));
  RefuseEveryUncountableArgument(module, device);
  EXPECT_EQ(1, device.ResultCode());
  EXPECT_EQ("Драйвер не проинициализирован", device.ResultText());
  EXPECT_EQ("", ReadFileBytes(journal));

  ASSERT_EQ(0, device.Int("SaleItem", {1, "Хлеб", 1.0, 10.0, 1, 4, 0}));
  const std::string opened = ReadFileBytes(journal);
  RefuseEveryUncountableArgument(module, device);
  RefuseALineSumBeyondTheLimit(device);
  EXPECT_EQ(opened, ReadFileBytes(journal));
  EXPECT_EQ(0, device.ResultCode());
  EXPECT_EQ(0, device.Int("Payment", {10.0, 0}));
  EXPECT_EQ(0, device.Int("CloseReceipt"));

  TakeTheLargestAmount(module);
}

}  // namespace
