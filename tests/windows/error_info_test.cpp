// A failure's message reaches the caller through the runtime's own error
// information, as UTF-16 from the module's Windows-1251, once.
#include <gtest/gtest.h>

#include "platform/ansi.h"
#include "platform/bstr.h"
#include "platform/com_ptr.h"
#include "platform/error.h"

namespace {

TEST(WindowsErrorInfo, TheLastMessageIsHandedOverOnce) {
  SetErrorMessage("Selvane", "an older failure");
  SetErrorMessage("Selvane", std::string("Ошибка доступа к файлу"_ansi));
  ComPtr<IErrorInfo> info;
  ASSERT_EQ(S_OK, GetThreadErrorInfo(info.Put()));
  Bstr source, description;
  ASSERT_EQ(S_OK, info->GetSource(source.Put()));
  ASSERT_EQ(S_OK, info->GetDescription(description.Put()));
  EXPECT_EQ(OleStringView(L"Selvane"), source.View());
  EXPECT_EQ(OleStringView(L"Ошибка доступа к файлу"), description.View());

  ComPtr<IErrorInfo> again;
  EXPECT_EQ(S_FALSE, GetThreadErrorInfo(again.Put()));
  EXPECT_FALSE(again);
}

}  // namespace
