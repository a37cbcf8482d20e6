#include "coretext.h"

namespace tallyfen {

Utf8BoxTexts::Utf8BoxTexts(const std::array<QString, judgementCount>& texts)
{
    for (std::size_t i = 0; i < texts.size(); ++i) {
        m_utf8[i] = texts[i].toUtf8();
        m_views[i] =
            std::string_view(m_utf8[i].constData(), static_cast<std::size_t>(m_utf8[i].size()));
    }
}

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

NumberFormat localeNumberFormat(const QLocale& locale)
{
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

} // namespace tallyfen
