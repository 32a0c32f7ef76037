#pragma once
// A Workspace with a hand-built fullflash loaded from a temporary file and its
// temporary folder set to that test's own folder.

#include <string>

#include "commands/fullflash_commands.h"
#include "common/flash_builder.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "workspace/workspace.h"

struct LoadedWorkspace {
    TempDir dir;
    Workspace ws;
    ScriptedUi ui;

    explicit LoadedWorkspace(const std::string& flash) {
        ws.tempFolder = dir.path().string();
        LoadFullflash(ws, ui, dir.write("flash.bin", flash));
        ui.dialogs.clear();
        ui.progressValues.clear();
    }
    explicit LoadedWorkspace(const FlashBuilder& flash) : LoadedWorkspace(flash.bytes()) {}
};
