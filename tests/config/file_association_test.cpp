#include "config/file_association.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "common/temp_dir.h"
#include "config/key_file.h"

using namespace ConfigActions;

namespace {

/// Freedesktop folders of a test's own, never the user's.
struct TempXdg {
    TempDir dir{"pictavo-xdg"};
    XdgFolders xdg;

    TempXdg() {
        xdg.configHome = dir.file("config");
        xdg.dataHome = dir.file("data");
        xdg.configDirs = {dir.file("etc")};
        xdg.dataDirs = {dir.file("share")};
    }
    std::string write(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories(std::filesystem::path(dir.file(name)).parent_path());
        return dir.write(name, text);
    }
};

TEST(FileAssociation, RegisteringMakesTheProgramTheHandlerOfBothExtensions) {
    TempXdg t;
    const std::string others =
        "[Default Applications]\ntext/plain=editor.desktop\n\n[Added Associations]\n"
        "image/png=viewer.desktop;\n";
    t.write("config/mimeapps.list", others);
    EXPECT_EQ(GetAssociatedCommand(".gpf", t.xdg), "Unregistered file extension .gpf");

    const std::string program = "/opt/my apps/pictavo";
    for (const char* ext : {".gpf", ".gpf2"}) {
        RegisterExtension(ext, "Graphic Patch File", program, "/opt/pictavo.svg", t.xdg);
    }
    for (const char* ext : {".gpf", ".gpf2", ".GPF"}) {
        EXPECT_EQ(GetAssociatedCommand(ext, t.xdg), "\"/opt/my apps/pictavo\" %f") << ext;
    }
    EXPECT_EQ(ReadWholeFile(t.dir.file("config/mimeapps.list")),
              "[Default Applications]\ntext/plain=editor.desktop\n"
              "application/x-gpffile=pictavo-gpffile.desktop;\n\n[Added Associations]\n"
              "image/png=viewer.desktop;\n");
    EXPECT_EQ(ReadWholeFile(t.dir.file("data/applications/pictavo-gpffile.desktop")),
              "[Desktop Entry]\nType=Application\nName=Pictavo\nNoDisplay=true\n"
              "MimeType=application/x-gpffile;\nExec=\"/opt/my apps/pictavo\" "
              "%f\nIcon=/opt/pictavo.svg\n");
}

TEST(FileAssociation, TypeWithoutAUsableDefaultIsNotAssociated) {
    TempXdg t;
    t.write("share/mime/globs2",
            "# comment\n50:application/x-other:*.gpf\n40:application/x-lighter:*.gpf\n");
    EXPECT_EQ(GetAssociatedCommand(".gpf", t.xdg), "File type is not associated with a program.");
    t.write("etc/mimeapps.list", "[Default Applications]\napplication/x-other=gone.desktop;\n");
    EXPECT_EQ(GetAssociatedCommand(".gpf", t.xdg), "File type is not associated with a program.");
    t.write("share/applications/other.desktop", "[Desktop Entry]\nExec=other\\s%f\n");
    // Neither an entry outside the applications folder nor one of another group.
    t.write("share/elsewhere/x.desktop", "[Desktop Entry]\nExec=elsewhere\n");
    t.write("share/applications/added.desktop", "[Desktop Entry]\nExec=added\n");
    t.write("etc/mimeapps.list",
            "[Added Associations]\napplication/x-other=added.desktop\n[Default Applications]\n"
            "application/x-other=gone.desktop;../elsewhere/x.desktop;other.desktop\n");
    EXPECT_EQ(GetAssociatedCommand(".gpf", t.xdg), "other %f");
}

TEST(FileAssociation, EmptyExtensionOrFileTypeWritesNothing) {
    for (const auto& [ext, type] : {std::pair{".gpf", ""}, std::pair{"", "gpffile"}}) {
        TempXdg t;
        CFileAssociation association(t.xdg);
        association.strExt = ext;
        association.strAppID = type;
        association.strExePath = "/opt/pictavo";
        EXPECT_EQ(association.CreateAssociation(), 1);
        EXPECT_FALSE(std::filesystem::exists(t.dir.file("data")));
        EXPECT_FALSE(std::filesystem::exists(t.dir.file("config")));
    }
}

TEST(OpenCommand, QuotesWhatTheExecLineReserves) {
    EXPECT_EQ(OpenCommand("/opt/pictavo/bin/pictavo"), "/opt/pictavo/bin/pictavo %f");
    EXPECT_EQ(OpenCommand("/home/a b/pictavo"), "\"/home/a b/pictavo\" %f");
    EXPECT_EQ(OpenCommand("/x$y/100%/p"), "\"/x\\$y/100%%/p\" %f");
}

TEST(WithKeyFileValue, ChangesOneLineAndKeepsTheRest) {
    const struct {
        std::string name;
        std::string before;
        std::string after;
    } cases[] = {
        {"Empty", "", "[G]\nk=v\n"},
        {"Replaced", "# c\n[G]\na=1\nk = old\nb=2\n", "# c\n[G]\na=1\nk=v\nb=2\n"},
        {"AddedBeforeTheNextGroup", "[G]\na=1\n\n[H]\nk=x\n", "[G]\na=1\nk=v\n\n[H]\nk=x\n"},
        {"GroupAddedAfterAnUnendedLine", "[H]\nk=x", "[H]\nk=x\n\n[G]\nk=v\n"},
        {"KeyWithLocaleIsAnother", "[G]\nk[ru]=x\n", "[G]\nk[ru]=x\nk=v\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithKeyFileValue(c.before, "G", "k", "v"), c.after) << c.name;
    EXPECT_EQ(EscapeKeyFileString("a\tb\\c\nd\r"), "a\\tb\\\\c\\nd\\r");
    EXPECT_EQ(UnescapeKeyFileString("a\\tb\\\\c\\nd\\r\\s"), "a\tb\\c\nd\r ");
}

TEST(XdgFolders, RelativeFoldersAreIgnored) {
    const char* names[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        saved.push_back(value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
    ::setenv("HOME", "/h", 1);
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    ::setenv("XDG_DATA_HOME", "/d", 1);
    ::setenv("XDG_DATA_DIRS", "share:/usr/share", 1);
    const XdgFolders xdg = XdgFolders::fromEnvironment();
    for (std::size_t i = 0; i < saved.size(); ++i) {
        saved[i] ? ::setenv(names[i], saved[i]->c_str(), 1) : ::unsetenv(names[i]);
    }
    EXPECT_EQ(xdg.configHome, "/h/.config");
    EXPECT_EQ(xdg.dataHome, "/d");
    EXPECT_EQ(xdg.dataDirs, std::vector<std::string>{"/usr/share"});
}

}  // namespace
