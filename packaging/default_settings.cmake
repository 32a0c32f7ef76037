# Pictavo.ini as the program itself writes it, naming the shipped converter
# and English. Script mode writes SETTINGS only when it does not exist: it
# holds the user's settings.
#   cmake -DSETTINGS=<file> -DCONVERTER=<path> -P default_settings.cmake
function(pictavo_write_default_settings file converter)
  set(crlf "\r\n")
  file(WRITE "${file}"
    "nConvert=${converter}${crlf}"
    "Language=English${crlf}"
    "Transparency=true${crlf}"
    "CompressGPF=false${crlf}"
    "DefaultGPF2=false${crlf}"
    "ZeroFilename=true${crlf}"
    "HEXFilename=false${crlf}")
endfunction()

if(DEFINED SETTINGS AND NOT EXISTS "${SETTINGS}")
  pictavo_write_default_settings("${SETTINGS}" "${CONVERTER}")
endif()
