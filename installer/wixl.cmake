# Builds one package with wixl, telling it how much the package puts on
# disk: "Programs and Features" shows that size, and the installer under
# Wine does not work it out. The files' sizes are known only once they are
# built (and signed), so it is counted here, at the package's build.
#   cmake -DWIXL=<wixl> -DARCH=<x86|x64> -DOUTPUT=<file.msi> -DSOURCE=<file.wxs>
#         -DPAYLOAD=<file>|<file>|... -P wixl.cmake
string(REPLACE "|" ";" files "${PAYLOAD}")
set(bytes 0)
foreach(file IN LISTS files)
  file(SIZE "${file}" size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
# In kilobytes, rounded up.
math(EXPR kilobytes "(${bytes} + 1023) / 1024")
execute_process(
  COMMAND ${WIXL} --arch ${ARCH} --define SizeInKilobytes=${kilobytes} --output ${OUTPUT} ${SOURCE}
  COMMAND_ERROR_IS_FATAL ANY)
