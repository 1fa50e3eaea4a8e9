#include "host/doctor_messages.h"

#include <array>
#include <cstddef>

namespace {

struct MessageRow {
  Message message;
  const char* russian;
  const char* english;
};

// Rows in the order of the enumeration, which the static_assert below holds to.
constexpr MessageRow kMessages[] = {
    {Message::None, "", ""},
    {Message::WhatSystem, "Система", "System"},
    {Message::WhatXhw, "xhw", "xhw"},
    {Message::WhatPackage, "Пакет", "Package"},
    {Message::WhatModule, "%1, %2 бит", "%1, %2-bit"},
    {Message::WhatDriver, "Драйвер %1, %2 бит", "Driver %1, %2-bit"},
    {Message::WhatSettings, "Настройки %1", "%1 settings"},
    {Message::WhatReceipts, "Чеки Selvane", "Selvane receipts"},
    {Message::WhatJournal, "Журнал Tarnvik", "Tarnvik journal"},
    {Message::WhatInterface, "IFiscalDevice", "IFiscalDevice"},
    {Message::WhatRegister, "Касса", "Register"},
    {Message::WhatVerdict, "Итог", "Verdict"},

    {Message::ProgramWordSize, "эта программа %1-разрядная, система %2-разрядная",
     "this program is %1-bit, the system %2-bit"},
    {Message::XhwVersion, "версия %1", "version %1"},
    {Message::PackageVersion, "xhw из пакета %1", "xhw came with the package %1"},
    {Message::NoPackage, "рядом с xhw нет INSTALL.txt: xhw не из установленного пакета",
     "no INSTALL.txt beside xhw: it did not come with an installed package"},

    {Message::ClassRegistered, "класс зарегистрирован: %1", "class registered: %1"},
    {Message::ClassNotRegistered, "класс не зарегистрирован: %1-разрядная программа не создаст %2",
     "class not registered: a %1-bit program cannot create %2"},
    {Message::InstallPackage, "установите %1", "install %1"},
    {Message::RegisterModule, "зарегистрируйте модуль: xhw register <путь к модулю>",
     "register the module: xhw register <path of the module>"},
    {Message::ServerMissing, "класс зарегистрирован, но файла модуля нет: %1",
     "class registered, but the module's file is missing: %1"},
    {Message::ServerEmpty, "класс зарегистрирован без пути к файлу модуля",
     "class registered without the path of the module's file"},
    {Message::ReinstallPackage, "переустановите %1 (или удалите его и установите снова)",
     "repair %1 (or remove it and install it again)"},
    {Message::FileVersion, "версия файла %1", "file version %1"},
    {Message::FileVersionOther, "версия файла %1, а у этого xhw %2: модуль из другого выпуска",
     "file version %1, this xhw's is %2: the module is of another release"},
    {Message::NoFileVersion, "у файла нет сведений о версии", "the file has no version resource"},
    {Message::ProgIdFine, "ProgID %1 указывает на этот класс", "ProgID %1 names this class"},
    {Message::ProgIdMissing, "ProgID %1 не зарегистрирован: сценарий не найдёт модуль через CreateObject",
     "ProgID %1 is not registered: a script's CreateObject will not find the module"},
    {Message::ProgIdOtherClass, "ProgID %1 указывает на другой класс %2", "ProgID %1 names another class, %2"},
    {Message::ClassKeyProgId, "у класса записан ProgID \"%1\" вместо %2", "the class key holds ProgID \"%1\", not %2"},
    {Message::TypeLibraryFine, "библиотека типов (%1): %2", "type library (%1): %2"},
    {Message::TypeLibraryMissing, "библиотека типов не зарегистрирована для %1",
     "type library not registered for %1"},
    {Message::TypeLibraryFileMissing, "библиотека типов (%1) указывает на несуществующий файл %2",
     "type library (%1) names a file that does not exist: %2"},
    {Message::Created, "объект создаётся и отвечает: GetParamCount = %1",
     "an object is created and answers: GetParamCount = %1"},
    {Message::NotCreated, "объект не создаётся: %1", "no object can be created: %1"},
    {Message::OtherWordSizeCreation,
     "создать объект может только %1-разрядная программа: запустите xhw doctor этой разрядности",
     "only a %1-bit program can create an object: run xhw doctor of that word size"},

    {Message::DriverNotRegistered, "не зарегистрирован для %1-разрядных программ: Tarnvik не подключится к кассе",
     "not registered for %1-bit programs: Tarnvik cannot reach the register"},
    {Message::InstallDriver, "установите драйвер производителя той же разрядности",
     "install the maker's driver of the same word size"},
    {Message::RegisterSimulator, "зарегистрируйте драйвер, или для проверки симулятор: xhw register %1",
     "register the driver, or for trying the simulator: xhw register %1"},
    {Message::DriverIsSimulator, "это симулятор ККМ Sorvin, а не драйвер АТОЛ (%1): на нём касса ничего не печатает",
     "this is the Sorvin register simulator, not the ATOL driver (%1): a till prints nothing on it"},
    {Message::NeverOnATill,
     "на кассе симулятору не место: удалите %1 и установите драйвер производителя",
     "a till must never print on it: remove %1 and install the maker's driver"},
    {Message::UnregisterSimulator, "на кассе симулятору не место: xhw unregister %1 и зарегистрируйте драйвер",
     "a till must never print on it: xhw unregister %1 and register the driver"},
    {Message::DriverIsOther, "драйвер производителя: %1, версия %2", "the maker's driver: %1, version %2"},
    {Message::DriverOutOfProcess, "отдельная программа (сервер вне процесса): %1",
     "a program of its own (an out-of-process server): %1"},
    {Message::DriverFileMissing, "зарегистрирован, но файла драйвера нет: %1",
     "registered, but the driver's file is missing: %1"},
    {Message::ReinstallDriver, "переустановите драйвер производителя", "reinstall the maker's driver"},

    {Message::SettingsFile, "файл %1 читается и может быть заменён", "%1 can be read and replaced"},
    {Message::SettingsNotYet, "файла %1 ещё нет; он будет создан при первом сохранении настроек",
     "%1 does not exist yet; saving the settings will create it"},
    {Message::SettingsUnreadable, "файл %1 не читается: %2", "%1 cannot be read: %2"},
    {Message::SettingsUnwritable, "файл %1 нельзя заменить: %2", "%1 cannot be replaced: %2"},
    {Message::FixSettingsRights,
     "дайте пользователю кассы право изменять %1 и его папку, снимите атрибут «только чтение»",
     "let the till's user change %1 and its folder, and clear its read-only attribute"},
    {Message::ReceiptsDiscarded, "файл чеков NUL: чеки никуда не записываются",
     "receipt file NUL: receipts are written nowhere"},
    {Message::ReceiptsFile, "файл чеков %1, папка доступна для записи", "receipt file %1, its folder can be written"},
    {Message::ReceiptsRelative,
     "файл чеков %1 лежит в рабочей папке программы; здесь папка доступна для записи",
     "receipt file %1 lies in the program's working folder; here that folder can be written"},
    {Message::ReceiptsUnwritable, "файл чеков %1 нельзя записать: %2; закрытие чека вернёт 8",
     "receipt file %1 cannot be written: %2; closing a receipt will answer 8"},
    {Message::FixReceipts,
     "укажите в настройках устройства файл чеков в существующей папке, доступной для записи",
     "name a receipt file in a folder that exists and can be written, in the device's settings"},
    {Message::TarnvikSettings,
     "без параметра IniPath файл ищется здесь: %1 (программа может указать другую папку, и xhw её не знает)",
     "with no IniPath the file is looked for here: %1 (the program may name another folder, which xhw cannot know)"},
    {Message::DebugOff, "режим отладки выключен: журнал не пишется", "debug mode is off: no journal is written"},
    {Message::JournalWritable, "режим отладки включён, журнал пишется в %1",
     "debug mode is on, the journal goes to %1"},
    {Message::JournalUnwritable, "режим отладки включён, но журнал %1 не записать: %2; он молча не пишется",
     "debug mode is on, but the journal %1 cannot be written: %2; it is silently skipped"},
    {Message::FixJournal, "укажите «Файл журнала» в существующей папке, доступной для записи",
     "name a log file in a folder that exists and can be written"},
    {Message::NotReadBecauseNotCreated, "не проверено: модуль не создаётся (%1)",
     "not checked: the module cannot be created (%1)"},

    {Message::InterfaceRegistered, "зарегистрирован для вызовов из других потоков (заместитель %1)",
     "registered for calls from other threads (proxy %1)"},
    {Message::InterfaceNotRegistered,
     "не зарегистрирован для вызовов между потоками: программа, вызывающая модуль из другого потока через vtable, "
     "получит ошибку",
     "not registered for calls between threads: a program that calls a module from another thread through the "
     "vtable gets an error"},
    {Message::InterfaceIsTheHosts,
     "эту регистрацию делает установщик торговой программы, а не пакет модулей; спросите её поставщика",
     "that registration is the trade application's installer's, not the modules' package; ask its vendor"},

    {Message::OperationAnswer, "%1: код %2", "%1: code %2"},
    {Message::OperationAnswerText, "%1: код %2\n%3", "%1: code %2\n%3"},
    {Message::OperationFailed, "%1: %2", "%1: %2"},
    {Message::CheckRegister,
     "проверьте, что касса включена и подключена, и настройки драйвера (порт, скорость)",
     "check that the register is on and connected, and the driver's settings (port, speed)"},
    {Message::NoConnectWithoutModule, "не проверено: Tarnvik не создаётся (%1)",
     "not checked: Tarnvik cannot be created (%1)"},

    {Message::VerdictReady, "%1-разрядная программа может работать с модулями",
     "a %1-bit program can work with the modules"},
    {Message::VerdictNotReady, "%1-разрядная программа не сможет работать (замечаний: %2, что сделать — выше)",
     "a %1-bit program cannot work (problems: %2, what to do is above)"},
    {Message::VerdictOtherReady, "%1-разрядная программа тоже может", "a %1-bit program can as well"},
    {Message::VerdictOtherNotReady, "для %1-разрядной программы замечаний: %2",
     "problems for a %1-bit program: %2"},
    {Message::FixLabel, "Что сделать:", "What to do:"},
    {Message::CannotRun, "проверка не выполнена до конца: %1", "the check could not run to its end: %1"},
    {Message::ReportWritten, "Отчёт записан: %1", "Report written: %1"},
    {Message::ReportNotWritten, "Отчёт не записан в %1: %2", "The report could not be written to %1: %2"},
};

constexpr bool InOrder() {
  for (std::size_t i = 0; i < std::size(kMessages); ++i) {
    if (static_cast<std::size_t>(kMessages[i].message) != i) return false;
  }
  return std::size(kMessages) == static_cast<std::size_t>(Message::Count);
}
static_assert(InOrder(), "every message has its row, in the order of the enumeration");

}  // namespace

std::string Fill(Message message, Language language, const std::vector<std::string>& values) {
  const MessageRow& row = kMessages[static_cast<std::size_t>(message)];
  const std::string_view text = language == Language::Russian ? row.russian : row.english;
  std::string filled;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t index = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : values.size();
    if (text[i] == '%' && index < values.size()) {
      filled += values[index];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}
