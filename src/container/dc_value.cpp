#include "container/dc_value.h"

#include <cstring>

std::string_view RDCValue::AsString() const
{
    return type_ == RDCType::String ? std::string_view(bytes_) : std::string_view();
}

std::span<const std::uint8_t> RDCValue::AsBinary() const
{
    if (type_ != RDCType::Binary)
        return {};
    return {reinterpret_cast<const std::uint8_t*>(bytes_.data()), bytes_.size()};
}

std::size_t RDCValue::Size() const
{
    switch (type_) {
    case RDCType::Empty: return 0;
    case RDCType::Boolean: return 1;
    case RDCType::Integer: return 4;
    case RDCType::LargeInteger:
    case RDCType::Double: return 8;
    case RDCType::String:
    case RDCType::Binary: return bytes_.size();
    }
    return 0;
}

void RDCValue::Reset(RDCType type)
{
    std::string().swap(bytes_);
    scalar_ = {};
    type_ = type;
}

void RDCValue::Clear() { Reset(RDCType::Empty); }

void RDCValue::SetBoolean(bool value)
{
    Reset(RDCType::Boolean);
    scalar_.boolean = value;
}

void RDCValue::SetInteger(std::int32_t value)
{
    Reset(RDCType::Integer);
    scalar_.integer = value;
}

void RDCValue::SetLargeInteger(std::int64_t value)
{
    Reset(RDCType::LargeInteger);
    scalar_.large = value;
}

void RDCValue::SetDouble(double value)
{
    Reset(RDCType::Double);
    scalar_.real = value;
}

void RDCValue::SetString(std::string_view value)
{
    std::string copy(value);  // value may point into our own payload
    Reset(RDCType::String);
    bytes_ = std::move(copy);
}

std::uint8_t* RDCValue::SetBinary(std::size_t length, const void* source)
{
    std::string block(length, '\0');
    if (source && length)
        std::memcpy(block.data(), source, length);
    Reset(RDCType::Binary);
    bytes_ = std::move(block);
    return reinterpret_cast<std::uint8_t*>(bytes_.data());
}

bool RDCValue::operator==(const RDCValue& other) const
{
    if (type_ != other.type_)
        return false;
    switch (type_) {
    case RDCType::Empty: return true;
    case RDCType::Boolean: return scalar_.boolean == other.scalar_.boolean;
    case RDCType::Integer: return scalar_.integer == other.scalar_.integer;
    case RDCType::LargeInteger: return scalar_.large == other.scalar_.large;
    case RDCType::Double:
        return std::memcmp(&scalar_.real, &other.scalar_.real, sizeof(double)) == 0;
    case RDCType::String:
    case RDCType::Binary: return bytes_ == other.bytes_;
    }
    return false;
}
