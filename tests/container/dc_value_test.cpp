#include "container/dc_value.h"

#include <gtest/gtest.h>

TEST(DCValue, NewValueIsEmpty)
{
    RDCValue value;
    EXPECT_EQ(value.Type(), RDCType::Empty);
    EXPECT_EQ(value.Size(), 0u);
}

TEST(DCValue, GettersGiveNeutralResultsOnTypeMismatch)
{
    RDCValue value;
    value.SetString("123");
    EXPECT_EQ(value.AsInteger(), 0);
    EXPECT_EQ(value.AsLargeInteger(), 0);
    EXPECT_EQ(value.AsDouble(), 0.0);
    EXPECT_FALSE(value.AsBoolean());
    EXPECT_EQ(value.AsBinary().data(), nullptr);
    EXPECT_EQ(value.AsString(), "123");

    value.SetInteger(7);
    EXPECT_EQ(value.AsString(), "");
    EXPECT_EQ(value.AsLargeInteger(), 0);  // no widening between integer kinds
    EXPECT_EQ(value.AsInteger(), 7);
}

TEST(DCValue, RetypingFreesTheOldPayload)
{
    RDCValue value;
    const char bytes[] = {1, 2, 3, 0, 5};
    value.SetBinary(sizeof bytes, bytes);
    ASSERT_EQ(value.Size(), 5u);
    EXPECT_EQ(value.AsBinary()[4], 5);

    value.SetString("ab");
    EXPECT_EQ(value.Type(), RDCType::String);
    EXPECT_EQ(value.Size(), 2u);
    EXPECT_TRUE(value.AsBinary().empty());

    value.SetDouble(0.5);
    EXPECT_EQ(value.Size(), 8u);
    EXPECT_EQ(value.AsString(), "");
}

TEST(DCValue, BinaryWithoutSourceIsZeroFilledAndWritable)
{
    RDCValue value;
    std::uint8_t* block = value.SetBinary(3);
    EXPECT_EQ(block[0] + block[1] + block[2], 0);
    block[1] = 9;
    EXPECT_EQ(value.AsBinary()[1], 9);
}

TEST(DCValue, StringCanBeSetFromItsOwnPayload)
{
    RDCValue value;
    value.SetString("abcdef");
    value.SetString(value.AsString().substr(2));
    EXPECT_EQ(value.AsString(), "cdef");
}
