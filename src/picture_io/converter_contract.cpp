#include "picture_io/converter_contract.h"

#include "support/fs_actions.h"

namespace PNGcodec {

std::string_view BmpOptionsForColourType(int colourType) {
    return colourType == 0 || colourType == 4 || colourType == 6 ? kBmpWithAlpha : kBmpWithoutAlpha;
}

std::string ConverterCommandLine(const std::string& converter, std::string_view options,
                                 const std::string& outputPath, const std::string& inputPath) {
    using FSactions_Tavik::QuotedArgument;
    const bool outputSplits =
        outputPath.empty() || outputPath.find_first_of(" \t\"") != std::string::npos;
    return QuotedArgument(converter) + " " + std::string(options) + " -o " +
           (outputSplits ? QuotedArgument(outputPath) : outputPath) + " " +
           QuotedArgument(inputPath);
}

}  // namespace PNGcodec
