// Which texts are share paths and drive roots: what may reach a connection and the shell.
#include <gtest/gtest.h>

#include "core/SharePath.h"
#include "core/Unicode.h"

namespace velloway {
namespace {

TEST(SharePath, OnlySharesAndDriveRootsPass) {
  struct Case {
    Text path;
    bool share;
    bool driveRoot;
  };
  const Case cases[] = {
      {u"\\\\srv\\share", true, false},
      {u"\\\\srv\\share\\", true, false},
      {u"\\\\192.168.0.10\\経理\\2024年度", true, false},
      {u"\\\\fe80--1.ipv6-literal.net\\s", true, false},
      {u"\\\\srv\\share\\tool.exe", true, false},  // a folder may have that name: the open checks it is one
      {u"\\\\srv", false, false},
      {u"\\\\srv\\", false, false},
      {u"\\\\\\share", false, false},
      {u"\\\\srv\\\\share", false, false},
      {u"\\\\srv\\share\\..\\..\\x", false, false},
      {u"\\\\srv\\.\\x", false, false},
      {u"\\\\?\\C:\\windows", false, false},
      {u"\\\\.\\pipe\\x", false, false},
      {u"\\\\srv\\share:stream", false, false},
      {u"\\\\srv\\share/x", false, false},
      {u"\\\\srv\\sh*re", false, false},
      {u"\\\\srv\\share\\a\nb", false, false},
      {u"//srv/share", false, false},
      {u"C:\\windows\\x.exe", false, false},
      {u"http://example.invalid/", false, false},
      {u"file://srv/share", false, false},
      {u"notepad.exe", false, false},
      {u"", false, false},
      {u"Z:\\", false, true},
      {u"z:", false, true},
      {u"Z:\\x", false, false},
      {u"ZZ:\\", false, false},
      {u"1:\\", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSharePath(c.path), c.share) << EncodeUtf8(c.path);
    EXPECT_EQ(IsDriveRoot(c.path), c.driveRoot) << EncodeUtf8(c.path);
  }
}

}  // namespace
}  // namespace velloway
