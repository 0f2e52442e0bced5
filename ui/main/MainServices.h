// What the main window and its parts work with, wired by the application.
#pragma once

#include "core/AnsiCodePage.h"
#include "core/AutoConnect.h"
#include "core/AutoConnectHolds.h"
#include "core/ButtonRows.h"
#include "core/CredentialStore.h"
#include "core/FileStore.h"
#include "core/FolderProbe.h"
#include "core/NetworkProvider.h"
#include "core/ReachProbe.h"
#include "core/SettingsList.h"
#include "core/SharedButtons.h"
#include "core/U_crypto.h"
#include "ui/services/NetworkWorker.h"
#include "ui/services/ShellOpener.h"

namespace velloway {

struct MainServices {
  SettingsList& settings;
  FileStore& files;
  const FolderProbe& folders;  // asked on the worker whether what is to be opened is a folder
  const ReachProbe& reach;     // asked on the worker why a server could not be found or reached
  const AnsiCodePage& codePage;
  NetworkProvider& network;
  NetworkWorker& worker;  // where the network's blocking calls run, one operation at a time
  ShellOpener& shell;
  const CryptoServices& crypto;
  CredentialStore& credentials;  // the passwords of rows whose Pass is empty
  Text applicationDataFolder;    // the per-user folder, as the shell gave it; the settings folder is inside
  AutoConnectSet& autoConnects;  // which buttons connect by themselves; kept beside the settings file
  NetworkWorker& autoWorker;     // where they connect, apart from the user's operations
  SharedButtons& shared;         // the administrator's buttons, shown before the user's own
  NetworkWorker& sharedWorker;   // where their file is read, within a time limit
  AutoConnectHolds& autoHolds;   // what holds auto-connect back: refusals and the user's closes

  // The connect buttons in order: the shared ones, then the own rows.
  ButtonRows Buttons() const { return ButtonRows(settings, &shared); }
};

}  // namespace velloway
