#include "app/las_text.h"

#include "container/text_codec.h"
#include "las/las_data.h"

#include <algorithm>

namespace LasText {

QString ToDisplay(std::string_view bytes)
{
    return QString::fromStdString(TextCodec::DecodeForDisplay(bytes));
}

std::string FromTyped(const QString& text, const RLasData& data)
{
    const auto& curves = data.Curves();
    const bool cp1251 = std::any_of(curves.begin(), curves.end(), [](const auto& curve) {
        return !TextCodec::IsValidUtf8(curve->Mnemonic) || !TextCodec::IsValidUtf8(curve->Unit);
    });
    const std::string utf8 = text.toStdString();
    return cp1251 ? TextCodec::Utf8ToCp1251(utf8) : utf8;
}

}  // namespace LasText
