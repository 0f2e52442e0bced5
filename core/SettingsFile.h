// Loading the settings file into the list at start-up, and saving the list when the editor closes.
#pragma once

#include "AnsiCodePage.h"
#include "FileStore.h"
#include "SettingsList.h"

namespace velloway {

// The settings folder made from the per-user application data folder.
Text SettingsFolder(const Text& applicationDataFolder);

// Makes sure the settings folder exists, turns `path` from the settings folder into the settings
// file path, and fills the list from the file when there is one (a missing file leaves it empty).
void LoadSettingsFile(Text& path, SettingsList& list, FileStore& files, const AnsiCodePage& codePage);

// Writes the whole list to the settings file, replacing its content in one step.
void SaveSettingsFile(const Text& path, const SettingsList& list, FileStore& files, const AnsiCodePage& codePage);

}  // namespace velloway
