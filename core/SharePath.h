// What a button's Folder may be: a share path \\server\share[\path]. And what the shell may open: that, or a
// drive root. Anything else (a program, a URL, a local path) is refused before it reaches a connection or the
// shell.
#pragma once

#include "core/ConnectResult.h"
#include "core/Text.h"

namespace velloway {

// \\server\share, optionally followed by \folder...: a server and a share that are not empty, no empty,
// "." or ".." part, no "/" and none of : * ? " < > | or a control character anywhere. A trailing "\" is allowed.
bool IsSharePath(TextView path);
// "X:\" or "X:", a letter from A to Z in either case.
bool IsDriveRoot(TextView path);

// An outcome that would open target, which is not a folder: it opens nothing and says so after its text.
ConnectOutcome NotAFolder(const ConnectOutcome& outcome, const Text& target);

// Says what a Folder may be, when it is refused.
inline constexpr char16_t kSharePathRule[] =
    u"フォルダには共有フォルダを \\\\サーバー名\\共有フォルダ名 の形で指定してください"
    u"（例: \\\\server\\share、\\\\192.168.0.10\\share\\subfolder）。プログラムや URL、この PC "
    u"のフォルダは指定できません。";

}  // namespace velloway
