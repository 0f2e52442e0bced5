// The texts of disconnection results.
#include "core/DisconnectResult.h"

namespace velloway {

Text DisconnectResultText(std::uint32_t resultCode) {
  switch (resultCode) {
    case 0: return u"切断完了";
    case 1205: return u"恒久的な接続を処理するためのユーザープロファイルを開くことができません";
    case 1206: return u"プロファイルが正しくありません";
    case 1208: return u"ネットワーク固有のエラーが発生しました";
    case 2250: return u"指定したデバイスにシステムが接続していません";
    case 2404: return u"デバイスが使用中のため切断できません";
    default: break;
  }
  return u"切断できませんでした（エラー " + NumberText(resultCode) + u"）";
}

}  // namespace velloway
