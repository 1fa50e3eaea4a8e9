// Every text of `xhw doctor`, in Russian and in English side by side, one
// row a message. Values are put in for %1, %2, ... in either language.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class Language { Russian, English };

enum class Message {
  None,
  // subjects
  WhatSystem,
  WhatXhw,
  WhatPackage,
  WhatModule,     // %1 module, %2 word size
  WhatDriver,     // %1 word size
  WhatSettings,   // %1 module
  WhatReceipts,
  WhatJournal,
  WhatInterface,
  WhatRegister,
  WhatVerdict,
  // the program and the system
  ProgramWordSize,  // %1 program, %2 system
  XhwVersion,
  PackageVersion,
  NoPackage,
  // a module in one view
  ClassRegistered,      // %1 path
  ClassNotRegistered,
  InstallPackage,       // %1 package
  RegisterModule,       // %1 module file
  ServerMissing,        // %1 path
  ServerEmpty,
  ReinstallPackage,     // %1 package
  FileVersion,          // %1 version
  FileVersionOther,     // %1 version, %2 this xhw's
  NoFileVersion,
  ProgIdFine,           // %1 ProgID
  ProgIdMissing,        // %1 ProgID
  ProgIdOtherClass,     // %1 ProgID, %2 class
  ClassKeyProgId,       // %1 ProgID found, %2 expected
  TypeLibraryFine,      // %1 key, %2 path
  TypeLibraryMissing,   // %1 key
  TypeLibraryFileMissing,  // %1 key, %2 path
  Created,              // %1 parameter count
  NotCreated,           // %1 reason
  OtherWordSizeCreation,  // %1 word size
  // the driver
  DriverNotRegistered,  // %1 word size
  InstallDriver,
  RegisterSimulator,    // %1 simulator file
  DriverIsSimulator,    // %1 path
  NeverOnATill,         // %1 package
  UnregisterSimulator,  // %1 simulator file
  DriverIsOther,        // %1 path, %2 version
  DriverOutOfProcess,   // %1 path
  DriverFileMissing,    // %1 path
  ReinstallDriver,
  // settings
  SettingsFile,          // %1 path
  SettingsNotYet,        // %1 path
  SettingsUnreadable,    // %1 path, %2 reason
  SettingsUnwritable,    // %1 path, %2 reason
  FixSettingsRights,     // %1 folder or file
  ReceiptsDiscarded,
  ReceiptsFile,          // %1 path
  ReceiptsRelative,      // %1 path
  ReceiptsUnwritable,    // %1 path, %2 reason
  FixReceipts,
  TarnvikSettings,       // %1 path
  DebugOff,
  JournalWritable,       // %1 path
  JournalUnwritable,     // %1 path, %2 reason
  FixJournal,
  NotReadBecauseNotCreated,
  // marshalling
  InterfaceRegistered,   // %1 proxy/stub class
  InterfaceNotRegistered,
  InterfaceIsTheHosts,
  // the register
  OperationAnswer,       // %1 operation, %2 code
  OperationAnswerText,   // %1 operation, %2 code, %3 result text
  OperationFailed,       // %1 operation, %2 reason
  CheckRegister,
  NoConnectWithoutModule,
  // the verdict
  VerdictReady,          // %1 word size
  VerdictNotReady,       // %1 word size, %2 problems
  VerdictOtherReady,     // %1 word size
  VerdictOtherNotReady,  // %1 word size, %2 problems
  FixLabel,
  CannotRun,             // %1 reason
  ReportWritten,         // %1 path
  ReportNotWritten,      // %1 path, %2 reason
  Count
};

// The message in `language` with `values` put in.
std::string Fill(Message message, Language language, const std::vector<std::string>& values);
