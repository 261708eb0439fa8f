#include "app/las_text.h"

#include "container/text_codec.h"
#include "las/las_data.h"

namespace LasText {

QString ToDisplay(std::string_view bytes, const RLasData& data) { return QString::fromStdString(data.DecodeText(bytes)); }

std::string FromTyped(const QString& text, const RLasData& data)
{
    return TextCodec::EncodeFromUtf8(text.toStdString(), data.TextEncoding);
}

QString FromChart(std::string_view bytes) { return QString::fromStdString(TextCodec::Cp1251ToUtf8(bytes)); }

}  // namespace LasText
