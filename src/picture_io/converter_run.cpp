#include "picture_io/converter_contract.h"

#include "support/fs_actions.h"

namespace PNGcodec {

void RunConverter(const std::string& converter, std::string_view options,
                  const std::string& outputPath, const std::string& inputPath) {
    // The availability test found a bare name in the current folder; run
    // that file, not a program of the same name somewhere on the PATH.
    const std::string program =
        converter.find('/') == std::string::npos ? "./" + converter : converter;
    FSactions_Tavik::RunAndWait(ConverterCommandLine(program, options, outputPath, inputPath));
}

}  // namespace PNGcodec
