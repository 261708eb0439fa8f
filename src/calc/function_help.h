#pragma once
// RFunctionHelp: how the calculator window explains each function of the
// registry: its call form with named arguments and one line on what it
// gives, in English (language 0) and Russian (language 1), UTF-8.
//
//     const RFunctionHelp* help = FindFunctionHelp(functionClass.className);
//     help->Syntax(language) + "  - " + help->Description(language);
//
// The call form is what a formula writes (upper-case names, as the parser
// accepts any case); only argument words are translated.

#include <cstddef>

#include <array>
#include <span>
#include <string_view>

struct RFunctionHelp {
    static constexpr int kLanguages = 2;

    std::string_view className{};  // "RCurveIf", as in the registry
    std::array<std::string_view, kLanguages> syntax{};
    std::array<std::string_view, kLanguages> description{};

    // A language outside 0..1 reads as English.
    std::string_view Syntax(int language) const { return syntax[Index(language)]; }
    std::string_view Description(int language) const { return description[Index(language)]; }

private:
    static std::size_t Index(int language) { return language == 1 ? 1 : 0; }
};

// One entry per registered class, in registry order.
std::span<const RFunctionHelp> FunctionHelpTable();

// The entry of class `className`; none for a class without one.
const RFunctionHelp* FindFunctionHelp(std::string_view className);
