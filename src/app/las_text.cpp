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

QString Visible(const QString& text)
{
    constexpr char16_t kControlPictures = 0x2400;  // U+2400 + code for the C0 controls
    constexpr char16_t kDeleteSymbol = 0x2421;
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t code = text[i].unicode();
        const bool lineEnd = code == u'\n' || (code == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n');
        if (code < 0x20 && !lineEnd && code != u'\t')
            shown += QChar(char16_t(kControlPictures + code));
        else if (code == 0x7F)
            shown += QChar(kDeleteSymbol);
        else if (code >= 0x80 && code <= 0x9F)
            shown += QStringLiteral("\\x%1").arg(unsigned(code), 2, 16, QLatin1Char('0'));
        else
            shown += text[i];
    }
    return shown;
}

QStringList Visible(const QStringList& texts)
{
    QStringList shown;
    shown.reserve(texts.size());
    for (const QString& text : texts)
        shown << Visible(text);
    return shown;
}

}  // namespace LasText
