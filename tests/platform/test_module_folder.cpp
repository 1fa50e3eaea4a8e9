// A module installed in a folder with a Cyrillic name knows its own file:
// it registers itself by that path, the runtime creates its objects from
// there, and its type library is found in it. Under Wine this runs in an
// English locale, whose code page for non-Unicode programs has no Cyrillic,
// so a path that went through that code page would name no file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/plugin_module.h"
#include "platform/class_registry.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "tests/platform/cyrillic_folder.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The path as the platform's functions take it: UTF-8 on Linux, module
// text (Windows-1251) on Windows.
std::string SystemPath(const fs::path& path) {
#ifdef _WIN32
  return Utf8ToAnsi(Utf8(path));
#else
  return Utf8(path);
#endif
}

TEST(ModuleInCyrillicFolder, RegistersItselfThereAndIsCreatedFromThere) {
  ASSERT_NO_FATAL_FAILURE(RequireCodePageWithoutCyrillic());
  const IsolatedConfig config;  // on Linux, the class registry is the test's own
  TempDir dir;
  // Gone before the folder: with the apartment the runtime lets go of the
  // module it loaded from there.
  const HostThread thread;
  const fs::path copy = CyrillicFolder(dir) / "Tarnvik.xhw";
  fs::copy_file(fs::path(HostModule::PathOf("Tarnvik.xhw")), copy);

  const PluginModule module(SystemPath(copy));
  ASSERT_EQ(S_OK, module.RegisterServer());
  {
    const ServerObject created = CreateObjectByProgId("Tarnvik.Tarnvik");
    ASSERT_TRUE(created.object);
#ifdef _WIN32
    // The object's interface, from the library inside the module file
    // (the Linux stand-in has no type libraries).
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(S_OK, created.object->GetTypeInfo(0, 0, info.Put()));
    EXPECT_TRUE(info);
#endif
  }
  EXPECT_EQ(S_OK, module.UnregisterServer());
  EXPECT_THROW(CreateObjectByProgId("Tarnvik.Tarnvik"), ComError);
}

}  // namespace
