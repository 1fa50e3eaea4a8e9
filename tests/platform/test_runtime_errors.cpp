#include <gtest/gtest.h>

#include <thread>

#include "platform/bstr.h"
#include "platform/com_ptr.h"
#include "platform/error.h"
#include "platform/linux/error_info.h"

namespace {

ComPtr<IErrorInfo> TakeThreadError() {
  ComPtr<IErrorInfo> info;
  GetThreadErrorInfo(info.Put());
  return info;
}

TEST(ErrorInfo, IsHandedOutOnceAndThenCleared) {
  SetErrorMessage("Selvane", "\xCE\xF8\xE8\xE1\xEA\xE0");  // "Ошибка"
  ComPtr<IErrorInfo> info;
  ASSERT_EQ(GetThreadErrorInfo(info.Put()), S_OK);
  ASSERT_TRUE(info);
  Bstr source, description;
  ASSERT_EQ(info->GetSource(source.Put()), S_OK);
  ASSERT_EQ(info->GetDescription(description.Put()), S_OK);
  EXPECT_EQ(source.View(), u"Selvane");
  EXPECT_EQ(description.View(), u"Ошибка");

  ComPtr<IErrorInfo> again;
  EXPECT_EQ(GetThreadErrorInfo(again.Put()), S_FALSE);
  EXPECT_FALSE(again);
}

TEST(ErrorInfo, NullClearsAndANewOneReplacesTheOld) {
  SetErrorInfo(0, MakeErrorInfo(u"a", u"first").Get());
  SetErrorInfo(0, MakeErrorInfo(u"a", u"second").Get());
  ComPtr<IErrorInfo> info = TakeThreadError();
  ASSERT_TRUE(info);
  Bstr description;
  info->GetDescription(description.Put());
  EXPECT_EQ(description.View(), u"second");

  SetErrorInfo(0, MakeErrorInfo(u"a", u"b").Get());
  SetErrorInfo(0, nullptr);
  EXPECT_FALSE(TakeThreadError());
}

TEST(ErrorInfo, BelongsToTheThreadThatSetIt) {
  SetErrorMessage("main", "here");
  bool otherSawNone = false;
  std::thread([&] { otherSawNone = !TakeThreadError(); }).join();
  EXPECT_TRUE(otherSawNone);
  EXPECT_TRUE(TakeThreadError());
}

TEST(ErrorInfo, AnswersOnlyItsOwnInterfaces) {
  ComPtr<IErrorInfo> info = MakeErrorInfo(u"s", u"d");
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(info->QueryInterface(IID_IUnknown, unknown.PutVoid()), S_OK);
  ComPtr<IDispatch> dispatch;
  EXPECT_EQ(info->QueryInterface(IID_IDispatch, dispatch.PutVoid()), E_NOINTERFACE);
  EXPECT_FALSE(dispatch);
}

TEST(Status, MessagesNameTheStatus) {
  EXPECT_EQ(StatusMessage(CO_E_CLASSSTRING), "Invalid class string");
  EXPECT_EQ(StatusMessage(DISP_E_TYPEMISMATCH), "Type mismatch.");
  EXPECT_EQ(StatusMessage(static_cast<HRESULT>(0x80041234)), "Error 0x80041234");

  EXPECT_NO_THROW(CheckStatus(S_FALSE, "call"));
  try {
    CheckStatus(REGDB_E_CLASSNOTREG, "Creating AddIn.FprnM8");
    FAIL() << "no exception";
  } catch (const ComError& e) {
    EXPECT_EQ(e.Status(), REGDB_E_CLASSNOTREG);
    EXPECT_STREQ(e.what(), "Creating AddIn.FprnM8: Class not registered");
  }
}

}  // namespace
