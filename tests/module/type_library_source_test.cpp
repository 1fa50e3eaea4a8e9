// The type library is compiled from its own source, which must say what the
// operation list says: the same operations, ids, argument names and types in
// the same order. The Windows builds compare the compiled library with the
// vtable; this compares the source itself, on every build.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "contract/operation_macros.h"

namespace {

#define IDL_IN(role, name) "[in] " IDL_IN_##role " " #name
#define IDL_IN_Integer "long"
#define IDL_IN_Money "double"
#define IDL_IN_Quantity "double"
#define IDL_IN_Price "double"
#define IDL_IN_Text "BSTR"
#define IDL_IN_Personal "BSTR"
#define IDL_IN_Variant "VARIANT"
#define IDL_OUT(role, name) "[out, retval] " IDL_OUT_##role "* " #name
#define IDL_OUT_Integer "long"
#define IDL_OUT_ResultCode "long"
#define IDL_OUT_Number "double"
#define IDL_OUT_DateTime "DATE"
#define IDL_OUT_Text "BSTR"
#define IDL_OUT_InterfaceText "BSTR"
#define IDL_OUT_Personal "BSTR"
#define IDL_OUT_Variant "VARIANT"

std::string Joined(std::vector<std::string> parts) {
  std::string line;
  for (const std::string& part : parts) line += (line.empty() ? "" : ", ") + part;
  return line;
}

std::vector<std::string> ListedMethods() {
  std::vector<std::string> methods;
#define FISCAL_OPERATION(id, name, out, ...)             \
  methods.push_back("[id(" #id ")] HRESULT " #name "(" + \
                    Joined({FISCAL_EACH(IDL_IN, __VA_ARGS__) __VA_OPT__(, ) IDL_OUT out}) + ")");
#define FISCAL_COMMAND(id, name, ...) \
  methods.push_back("[id(" #id ")] HRESULT " #name "(" + Joined({FISCAL_EACH(IDL_IN, __VA_ARGS__)}) + ")");
#include "contract/operations.def"
  return methods;
}

// The interface's methods as the IDL writes them, one space for each run of
// white space.
std::vector<std::string> IdlMethods(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  const std::string idl = text.str();
  const size_t begin = idl.find('{', idl.find("interface IFiscalDevice : IDispatch"));
  const size_t end = idl.find("};", begin);
  if (begin == std::string::npos || end == std::string::npos) return {};
  const std::string body = std::regex_replace(idl.substr(begin + 1, end - begin - 1), std::regex(R"(\s+)"), " ");
  std::vector<std::string> methods;
  std::stringstream declarations(body);
  for (std::string method; std::getline(declarations, method, ';');) {
    method = std::regex_replace(method, std::regex(R"(^ | $|(?=[(),]) | (?=\) ))"), "");
    if (!method.empty()) methods.push_back(method);
  }
  return methods;
}

TEST(TypeLibrarySource, DeclaresExactlyTheListedOperations) {
  const std::vector<std::string> listed = ListedMethods();
  ASSERT_EQ(listed.size(), 42u);
  EXPECT_EQ(IdlMethods(SORVIN_IDL_FILE), listed);
}

}  // namespace
