#pragma once
// The languages the program words its texts in. The values are the
// language index the settings store (RMultiLang's 0 and 1); every core
// table that words a problem or an error takes one of these.

#include <cstdint>

enum class RLanguage : std::uint8_t { English = 0, Russian = 1 };

// A stored language index as a language: 1 is Russian, anything else English.
constexpr RLanguage LanguageOfIndex(int index) { return index == 1 ? RLanguage::Russian : RLanguage::English; }
