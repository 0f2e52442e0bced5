// The decision from name, port 445 and port 139 to one cause and one advice.
#include "core/ReachDiagnosis.h"

namespace velloway {

bool NeedsReachDiagnosis(std::uint32_t resultCode) {
  switch (resultCode) {
    case 51:    // ERROR_REM_NOT_LIST
    case 53:    // ERROR_BAD_NETPATH
    case 64:    // ERROR_NETNAME_DELETED
    case 121:   // ERROR_SEM_TIMEOUT
    case 1225:  // ERROR_CONNECTION_REFUSED
    case 1231:  // ERROR_NETWORK_UNREACHABLE
    case 1232:  // ERROR_HOST_UNREACHABLE
    case 1234:  // ERROR_PORT_UNREACHABLE
    case 1236:  // ERROR_CONNECTION_ABORTED
    case 1460:  // ERROR_TIMEOUT
      return true;
    default: return false;
  }
}

ReachDiagnosis DiagnoseReach(const ReachProbes& probes, const Text& server) {
  const Text named = u"【" + server + u"】";
  if (!probes.nameResolves) {
    return {ReachCause::NameUnknown, named + u"という名前のサーバーが見つかりません",
            u"サーバー名を確かめるか、VPN に接続するか、名前の代わりに IP アドレスで指定してください"};
  }
  if (probes.port445.value_or(false)) {
    return {ReachCause::Answers, named + u"はファイル共有の接続に応答しています",
            u"共有名と、サーバー側の共有の設定を管理者に確かめてもらってください"};
  }
  if (probes.port139.value_or(false)) {
    // SMB1 is off in current Windows for good reason: the way out is on the NAS, never in Windows.
    return {ReachCause::OnlyOldPort, named + u"は古い方式（SMB1）でしか応答しません。古い NAS の可能性があります",
            u"管理者に NAS の更新か、NAS で SMB2/SMB3 を有効にするよう依頼してください"};
  }
  return {ReachCause::NoAnswer, named + u"は応答しません",
          u"サーバーの電源、ファイアウォール、VPN の接続を確かめてください"};
}

}  // namespace velloway
