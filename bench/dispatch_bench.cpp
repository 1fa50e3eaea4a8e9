// A whole sale (three lines, the payment, the close) on the emulator by
// name through IDispatch, as a late-bound host calls: each operation's name
// looked up with GetIDsOfNames, then Invoke with the arguments last first;
// paired with the same sale through the vtable. The receipt goes to the
// null device, so what is compared is the two ways in, not the disk.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "bench/paired.h"
#include "tests/support/host_module.h"
#include "bench/scenes.h"
#include "bench/till.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/variant.h"

namespace {

// One operation called by name, its arguments built once, as a host's
// script engine holds them.
class NamedCall {
 public:
  NamedCall(std::string_view operation, std::vector<Variant> argumentsInCallOrder)
      : name_(AnsiToUtf16(operation)), arguments_(std::move(argumentsInCallOrder)) {
    for (auto it = arguments_.rbegin(); it != arguments_.rend(); ++it) reversed_.push_back(it->Ref());
  }

  // True when the operation ran and its result code is 0.
  bool Run(IDispatch& object) {
    LPOLESTR names[] = {name_.data()};
    DISPID id = 0;
    if (FAILED(object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
    DISPPARAMS params{reversed_.data(), nullptr, static_cast<UINT>(reversed_.size()), 0};
    Variant result;
    EXCEPINFO info{};
    UINT badArgument = 0;
    const HRESULT status =
        object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Get(), &info, &badArgument);
    if (FAILED(status)) {
      // The texts of the failure are ours to free.
      Bstr source = Bstr::Attach(info.bstrSource);
      Bstr description = Bstr::Attach(info.bstrDescription);
      Bstr helpFile = Bstr::Attach(info.bstrHelpFile);
      return false;
    }
    return result.Ref().vt == VT_I4 && result.Ref().lVal == 0;
  }

 private:
  OleString name_;
  std::vector<Variant> arguments_;
  std::vector<VARIANT> reversed_;  // shallow copies; arguments_ owns the texts
};

template <class... Values>
std::vector<Variant> Arguments(Values... values) {
  std::vector<Variant> all;
  (all.push_back(std::move(values)), ...);
  return all;
}

class DispatchScene {
 public:
  DispatchScene() {
    device_ = selvane_.CreateDevice();
    Variant nullDevice = Variant::Text("NUL");
    LONG result = 0;
    if (FAILED(device_->SetParamValue(0, nullDevice.Ref())) || Outcome(device_->Connect(&result), result) != 0) {
      throw std::runtime_error("the emulator does not take the null device for its receipt file");
    }
    if (FAILED(device_->QueryInterface(IID_IDispatch, dispatch_.PutVoid()))) {
      throw std::runtime_error("the emulator object offers no IDispatch");
    }
    for (int i = 0; i < Till::kSaleLines; ++i) {
      sale_.emplace_back("SaleItem",
                         Arguments(Variant(Till::kDepartment), Variant::Text(BstrToAnsi(till_.Name())),
                                   Variant(Till::kQuantity), Variant(Till::kPrice), Variant(Till::kItemType),
                                   Variant(Till::kPaymentMode), Variant(Till::kTaxType)));
    }
    sale_.emplace_back("Payment",
                       Arguments(Variant(Till::kSaleLines * Till::kQuantity * Till::kPrice), Variant(Till::kCash)));
    sale_.emplace_back("CloseReceipt", Arguments());
  }

  void Bench(benchmark::State& state) {
    Pairing pairing(state, "the sale by name failed", "the sale through the vtable failed");
    for (auto _ : state) {
      if (!pairing.Record(Timed(1, [&] { return SellByName(); }),
                          Timed(1, [&] { return till_.Sell(*device_.Get()) == 0; }))) {
        return;
      }
    }
  }

 private:
  bool SellByName() {
    for (NamedCall& call : sale_) {
      if (!call.Run(*dispatch_.Get())) return false;
    }
    return true;
  }

  HostModule selvane_{"Selvane.xhw"};
  ComPtr<IFiscalDevice> device_;
  ComPtr<IDispatch> dispatch_;
  Till till_;
  std::vector<NamedCall> sale_;
};

}  // namespace

void RegisterDispatchBenchmarks() {
  auto scene = std::make_shared<DispatchScene>();
  benchmark::RegisterBenchmark("sale/by_name", [scene](benchmark::State& state) {
    scene->Bench(state);
  })->UseManualTime();
}
