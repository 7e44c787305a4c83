#include "core/status_texts.h"

namespace lumeret::status {

const char* const kPleaseWait = "しばらくお待ちください．．．";
const char* const kBitmapRegistered = "ビットマップの登録が完了しました";
const char* const kTextRegistered = "テキストの登録が完了しました";
const char* const kAlreadyRegistered = "すでに同じテキストが登録済みです";
const char* const kThatIsEnough = "．．．いい加減にしてください";
const char* const kForYourHealth = "健康のため押しすぎには注意しましょう";
const char* const kDots = "．．．．．．。";
const char* const kRegisterEmpty = "クリップボードが空です";
const char* const kCleared = "クリップボードを消去しました";
const char* const kIsText = "クリップボードはテキストです";
const char* const kIsBitmap = "クリップボードはビットマップです";
const char* const kIsEmpty = "クリップボードは空です";

std::vector<std::string> AlreadyRegisteredPress(std::int32_t& repeatCount) {
    std::vector<std::string> texts;
    if (repeatCount < 50) texts.emplace_back(kAlreadyRegistered);
    ++repeatCount;
    if (repeatCount >= 50 && repeatCount <= 99) {
        texts.emplace_back(kThatIsEnough);
    } else if (repeatCount >= 100 && repeatCount <= 199) {
        texts.emplace_back(kForYourHealth);
    } else if (repeatCount >= 200 && repeatCount <= 399) {
        texts.emplace_back(kDots);
    }
    return texts;
}

}  // namespace lumeret::status
