# Writes the program folder's Pictavo.ini when there is none, exactly as the
# program itself would write it, naming the shipped converter and English.
# Never touches an existing file: it holds the user's settings.
# Usage: cmake -DSETTINGS=<file> -DCONVERTER=<path> -P default_settings.cmake
if(EXISTS "${SETTINGS}")
  return()
endif()
set(crlf "\r\n")
file(WRITE "${SETTINGS}"
  "nConvert=${CONVERTER}${crlf}"
  "Language=English${crlf}"
  "Transparency=true${crlf}"
  "CompressGPF=false${crlf}"
  "DefaultGPF2=false${crlf}"
  "ZeroFilename=true${crlf}"
  "HEXFilename=false${crlf}")
