#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <array>
#include <numberformat.h>
#include <scoresheet.h>
#include <string_view>

namespace tallyfen {

// The eight box texts as the scoring core reads them: UTF-8, held for as long as this lives.
class Utf8BoxTexts
{
public:
    explicit Utf8BoxTexts(const std::array<QString, judgementCount>& texts);
    Utf8BoxTexts(const Utf8BoxTexts&) = delete;
    Utf8BoxTexts& operator=(const Utf8BoxTexts&) = delete;

    const BoxTexts& views() const { return m_views; }

private:
    std::array<QByteArray, judgementCount> m_utf8;
    BoxTexts m_views;
};

// A text of the scoring core, for a widget.
QString fromUtf8(std::string_view text);

// The separators of the user's locale, for reading and writing numbers.
NumberFormat localeNumberFormat(const QLocale& locale = QLocale());

} // namespace tallyfen
