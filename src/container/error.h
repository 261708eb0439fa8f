#pragma once
// The program's errors. RError is the one base every subsystem raises:
// what() is the Russian text callers and logs have always seen, and Text
// words the same error in a chosen language. Each subsystem derives one
// error class that carries a kind and its fields and words them from one
// table per language (file_error.h for files and containers; the raster,
// formula and calculator errors beside their code):
//
//     throw RFileError({.Kind = RFileErrorKind::OpenFailed, .Path = path, .SystemError = errno});
//     error.what();                       // "Ошибка открытия файла /a/b: No such file or directory"
//     error.Text(RLanguage::English);     // "Cannot open file /a/b: No such file or directory"
//
// A bare RError (a message and nothing else) is worded as that message in
// every language.
//
// The tables are arrays of RWording in the order of their kind enumeration
// (InKindOrder checks it at compile time), and their templates name fields
// in braces, filled by FillTemplate.

#include "container/language.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

class RError : public std::runtime_error {
public:
    explicit RError(const std::string& message) : std::runtime_error(message) {}

    // The error in `language` (UTF-8; bytes quoted from a file go in as they
    // are). A bare RError gives what() in every language.
    virtual std::string Text(RLanguage language) const;
};

// One kind's wording in one language.
template <typename Kind> struct RWording {
    Kind kind;
    std::string_view text;  // a template: {Path}, {Name} ... name fields
};

// Whether every wording of `table` sits at its kind's index, so that a kind
// finds its text directly.
template <typename Kind, std::size_t N> constexpr bool InKindOrder(const std::array<RWording<Kind>, N>& table)
{
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(table[i].kind) != i)
            return false;
    return true;
}

// A field of a template: its name without braces and its text.
struct RTemplateField {
    std::string_view name;
    std::string_view value;
};

// `text` with each {name} replaced by its field's value. Values go in as
// they are and are not scanned again (braces in a path stay braces); a
// name that is no field stays as written.
std::string FillTemplate(std::string_view text, std::initializer_list<RTemplateField> fields);

// The system's text for the errno value `error`: in English as the C
// library words it in the "C" locale, whatever the process's locale; in
// Russian as std::strerror gives it (the process's locale), as the Russian
// messages have always read.
std::string SystemErrorText(int error, RLanguage language);
