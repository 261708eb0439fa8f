#pragma once
// RDCValue: one typed value of a data container. The type byte values are
// those of the container file (see README.md beside this file).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

enum class RDCType : std::uint8_t {
    Empty = 0,
    Boolean = 1,
    Integer = 2,       // 32-bit signed
    LargeInteger = 3,  // 64-bit signed
    Double = 4,
    String = 5,        // 8-bit characters with their length
    Binary = 6,        // a byte block with its length
};

class RDCValue {
public:
    RDCType Type() const { return type_; }

    // Typed getters give the value when the type matches and a neutral
    // result otherwise (false, 0, empty string, no block).
    bool AsBoolean() const { return type_ == RDCType::Boolean && scalar_.boolean; }
    std::int32_t AsInteger() const { return type_ == RDCType::Integer ? scalar_.integer : 0; }
    std::int64_t AsLargeInteger() const { return type_ == RDCType::LargeInteger ? scalar_.large : 0; }
    double AsDouble() const { return type_ == RDCType::Double ? scalar_.real : 0.0; }
    std::string_view AsString() const;
    // An empty span with a null data pointer when the value holds no block.
    std::span<const std::uint8_t> AsBinary() const;

    // Size of the payload in bytes: 1, 4, 8 or 8 for scalars, the length for
    // strings and blocks, 0 when empty.
    std::size_t Size() const;

    // Setters free any old payload first, then set the type.
    void Clear();
    void SetBoolean(bool value);
    void SetInteger(std::int32_t value);
    void SetLargeInteger(std::int64_t value);
    void SetDouble(double value);
    void SetString(std::string_view value);
    // A block of `length` bytes, copied from `source` when given, zero-filled
    // otherwise; returns the block for the caller to fill.
    std::uint8_t* SetBinary(std::size_t length, const void* source = nullptr);

    bool operator==(const RDCValue& other) const;

private:
    void Reset(RDCType type);

    RDCType type_ = RDCType::Empty;
    union {
        bool boolean;
        std::int32_t integer;
        std::int64_t large;
        double real;
    } scalar_{};
    std::string bytes_;  // payload of strings and blocks
};
