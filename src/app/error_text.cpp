#include "app/error_text.h"

#include "container/error.h"
#include "container/text_codec.h"

QString ErrorText(const std::exception& error, RLanguage language)
{
    const auto* known = dynamic_cast<const RError*>(&error);
    const std::string text = known ? known->Text(language) : std::string(error.what());
    return QString::fromStdString(TextCodec::DecodeMixed(text));
}
