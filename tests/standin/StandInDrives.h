// The drive letters of the stand-in network's connections, made real drives of the Wine prefix through
// Wine's mount manager, as a redirector makes them on Windows. Each share is a folder of the prefix.
#pragma once

#include <string>

namespace velloway::standin {

// The folder that stands for a share, e.g. C:\windows\velloway-standin-shares\srv\keiri. The prefix's
// dosdevices\unc leads to the same folders, so \\srv\keiri is that folder too.
std::wstring ShareFolder(const std::wstring& remote);
// Makes that folder (every level of it) and returns it.
std::wstring MakeShareFolder(const std::wstring& remote);

// True when local ("Z:") names a drive the stand-in did not make: the system drive, or the host's root.
bool IsLocalDrive(const std::wstring& local);

// Makes local a network drive showing the share's folder (created on demand). Letters that are local
// drives are left alone. False when the mount manager refuses.
bool MapDrive(const std::wstring& local, const std::wstring& remote);

// Removes a network drive the stand-in made; any other drive is left alone.
void UnmapDrive(const std::wstring& local);

}  // namespace velloway::standin
