#pragma once
// The --json documents of pictavo-cli: one document per run on stdout, numbers
// as numbers, every offset also as the hex text the list shows, and texts of
// the fullflash that are no UTF-8 with their bad bytes replaced.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "compare/fullflash_comparison.h"
#include "compare/picture_port.h"
#include "compare/picture_search.h"
#include "fullflash/fullflash_state.h"
#include "patch/patch_verifier.h"

[[nodiscard]] std::string InfoJson(const FullflashState& flash, std::size_t pictures);
[[nodiscard]] std::string ListJson(std::span<const PictureListEntry> rows);

/// What a command wrote besides its report: files into a folder, a patch.
struct WrittenFiles {
    std::optional<int> pictureFiles;  ///< --to: files written into `folder`
    std::string folder;
    std::optional<int> patchPictures;  ///< a patch: pictures in it
    std::string patch;
    int notPlaced = 0;  ///< pictures the patch had to leave out
};

[[nodiscard]] std::string DiffJson(std::span<const PictureDifference> differences,
                                   const std::string& summary, const WrittenFiles& written);
[[nodiscard]] std::string VerifyJson(const PatchCheck& check);
[[nodiscard]] std::string PortJson(std::span<const PortedPicture> pictures,
                                   const std::string& summary, const WrittenFiles& written);

/// One picture file looked for: nothing found when it could not be read.
struct FindResult {
    std::string file;
    bool read = false;
    std::vector<int> equal;
    std::vector<SimilarPicture> similar;
};

[[nodiscard]] std::string FindJson(std::span<const FindResult> results, bool similar);
