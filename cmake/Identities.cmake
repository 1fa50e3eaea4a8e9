# Who the deliverables are, written once. The modules' identity code, their
# type libraries and version resources, and the installer packages are all
# generated from what stands here; a class id, a ProgID or a name is never
# written anywhere else. The release number is the project's VERSION.

set(SORVIN_COMPANY "Sorvin")
set(SORVIN_PRODUCT "Sorvin Trade Hardware")
set(SORVIN_COPYRIGHT "© Sorvin, 2026")
# Both type libraries, and so their registry keys, carry this version.
set(SORVIN_TYPE_LIBRARY_VERSION 1.0)

# The two fiscal-device modules. Their ProgID is the library's name, a
# point and the class's name.
sorvin_identity(Selvane
  DESCRIPTION "Эмулятор ККМ"
  CLASS VID_OrivUrar AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1
  LIBRARY 93FDC725-9347-4E7A-A9D4-DAC79A6BDCC0 "KKM Emulator Library")
sorvin_identity(Tarnvik
  DESCRIPTION "Драйвер АТОЛ"
  CLASS Tarnvik B7689970-3F20-42EC-9995-56829FD9D3A3
  LIBRARY 0F535C40-DC65-4AB2-9F6E-95D8577AF6FB "ATOL driver v.8.16 support library")

# The register simulator answers to the maker's driver's ProgID, which is
# why it is never installed on a till.
sorvin_identity(FprnM8Sim
  DESCRIPTION "Симулятор ККМ АТОЛ"
  CLASS FprnM8Sim 5C7D3F2A-9B41-4E8C-A6D2-7F13B0C84E95
  PROG_ID AddIn.FprnM8)

sorvin_identity(xhw DESCRIPTION "Проверка модулей оборудования из командной строки")

# The installer packages, one per word size. An upgrade code never changes:
# by it Windows finds the older version that a newer package replaces.
set(SORVIN_PACKAGE_Hardware_UPGRADE_CODE_x86 F24D9E1B-40F1-4317-AEE4-A697A6BADE94)
set(SORVIN_PACKAGE_Hardware_UPGRADE_CODE_x64 08AEF2B1-380A-46F5-9060-36B99CBCE8FA)
set(SORVIN_PACKAGE_Simulator_UPGRADE_CODE_x86 E738A9D6-0032-4E50-905A-55BFAA8DA307)
set(SORVIN_PACKAGE_Simulator_UPGRADE_CODE_x64 450B01AC-8602-4205-A278-BD668668A99B)

# A package's file name, by which the release, the guides and xhw doctor
# name it: sorvin_package_file(<variable> <Hardware|Simulator> <version> <x86|x64>).
function(sorvin_package_file variable package version arch)
  set(${variable} Sorvin-${package}-${version}-${arch}.msi PARENT_SCOPE)
endfunction()
