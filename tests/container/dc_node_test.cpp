#include "container/data_container.h"

#include <gtest/gtest.h>

#include <climits>

TEST(DCObject, IndexedAccessGrowsAndNegativeGivesNone)
{
    RDCObject object;
    RDCValue* third = object.Value(3);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->Type(), RDCType::Empty);
    EXPECT_EQ(object.ValueCount(), 4);
    EXPECT_EQ(object.Value(-1), nullptr);
    EXPECT_EQ(object.ValueAt(4), nullptr);  // the read-only lookup never grows
    EXPECT_EQ(object.ValueCount(), 4);
}

TEST(DCObject, GrowingKeepsEarlierValuesInPlace)
{
    RDCObject object;
    RDCValue* first = object.Value(0);
    first->SetInteger(42);
    object.Value(5000);
    EXPECT_EQ(first, object.Value(0));
    EXPECT_EQ(first->AsInteger(), 42);
    object.SetValueCount(1);
    EXPECT_EQ(object.ValueCount(), 1);
    EXPECT_EQ(object.Value(0)->AsInteger(), 42);
}

// The count index + 1 does not fit an int: these give none and leave the
// entries as they were (the count once wrapped negative and emptied them).
TEST(DCObject, IndexWhoseCountOverflowsGivesNoneAndKeepsTheEntries)
{
    RDCObject object;
    object.Value(1)->SetInteger(7);
    EXPECT_EQ(object.Value(INT_MAX), nullptr);
    EXPECT_EQ(object.ValueCount(), 2);
    EXPECT_EQ(object.ValueAt(1)->AsInteger(), 7);

    RDCNode node;
    node.Object(1)->Value(0)->SetInteger(7);
    EXPECT_EQ(node.Object(INT_MAX), nullptr);
    EXPECT_EQ(node.ObjectCount(), 2);
    EXPECT_EQ(node.ObjectAt(1)->ValueAt(0)->AsInteger(), 7);
}

TEST(DCNode, NewNodeIsNamedNullAndObjectsGrow)
{
    RDCNode node;
    EXPECT_EQ(node.Name(), "NULL");
    node.Object(2)->Value(1)->SetBoolean(true);
    EXPECT_EQ(node.ObjectCount(), 3);
    EXPECT_EQ(node.Object(-1), nullptr);
    EXPECT_EQ(node.ObjectAt(0)->ValueCount(), 0);
}

TEST(DCNodePath, LookupWithoutCreateAddsNothing)
{
    RDataContainer container;
    container.AddChild("A");
    EXPECT_EQ(container.NodeByPath("A\\B"), nullptr);
    EXPECT_EQ(container.Child("A")->ChildCount(), 0);
    EXPECT_EQ(container.ChildCount(), 1);
    EXPECT_EQ(container.NodeByPath(""), nullptr);
    EXPECT_EQ(container.NodeByPath("", true), nullptr);
}

TEST(DCNodePath, CreateBuildsEachMissingComponentOnce)
{
    RDataContainer container;
    RDCNode* view = container.NodeByPath("LasSettings\\View", true);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Name(), "View");
    EXPECT_EQ(container.NodeByPath("LasSettings\\View\\"), view);  // trailing backslash ignored
    EXPECT_EQ(container.NodeByPath("LasSettings\\View", true), view);
    EXPECT_EQ(container.ChildCount(), 1);
    EXPECT_EQ(container.Child("LasSettings")->ChildCount(), 1);
}

TEST(DCNodePath, NamesAreCaseSensitive)
{
    RDataContainer container;
    RDCNode* lower = container.NodeByPath("V\\gr", true);
    RDCNode* upper = container.NodeByPath("V\\GR", true);
    EXPECT_NE(lower, upper);
    EXPECT_EQ(container.Child("V")->ChildCount(), 2);
    EXPECT_EQ(container.NodeByPath("v\\gr"), nullptr);
}

TEST(DCNodeList, ChildOperationsKeepOrder)
{
    RDCNode parent("P");
    RDCNode* a = parent.AddChild("a");
    RDCNode* b = parent.AddChild("b");
    RDCNode* c = parent.AddChild("c");
    EXPECT_EQ(parent.FirstChild(), a);
    EXPECT_EQ(parent.NextChild(a), b);
    EXPECT_EQ(parent.NextChild(c), nullptr);
    EXPECT_EQ(parent.ChildAt(2), c);
    EXPECT_EQ(parent.ChildAt(3), nullptr);

    std::unique_ptr<RDCNode> taken = parent.RemoveChild(b);
    ASSERT_EQ(taken.get(), b);
    EXPECT_EQ(parent.NextChild(a), c);
    EXPECT_EQ(parent.RemoveChild(b), nullptr);

    parent.AppendChild(std::move(taken));
    EXPECT_EQ(parent.ChildAt(2)->Name(), "b");
    parent.ClearChildren();
    EXPECT_EQ(parent.ChildCount(), 0);
    EXPECT_EQ(parent.FirstChild(), nullptr);
}

TEST(DCNodeList, FirstOfEqualNamesWins)
{
    RDataContainer container;
    RDCNode* first = container.AddChild("X");
    container.AddChild("X");
    EXPECT_EQ(container.Child("X"), first);
}

TEST(DCNodeList, NodesOfAnotherListAreStrangersEvenAtTheSamePosition)
{
    RDCNode first("P"), second("Q");
    RDCNode* a = first.AddChild("a");
    first.AddChild("b");
    RDCNode* x = second.AddChild("x");
    second.AddChild("y");
    EXPECT_EQ(first.NextChild(x), nullptr);
    EXPECT_EQ(first.RemoveChild(x), nullptr);
    EXPECT_EQ(first.ChildCount(), 2);
    EXPECT_EQ(second.NextChild(a), nullptr);
    EXPECT_EQ(first.NextChild(nullptr), nullptr);

    // A node moved to another list steps through its new neighbours.
    second.AppendChild(first.RemoveChild(a));
    EXPECT_EQ(first.NextChild(a), nullptr);
    EXPECT_EQ(second.NextChild(x)->Name(), "y");
    EXPECT_EQ(second.NextChild(second.ChildAt(1)), a);
    EXPECT_EQ(second.NextChild(a), nullptr);
}

TEST(DCNodeList, RemovingFromTheMiddleKeepsStepsAndLaterRemovalsRight)
{
    RDCNode parent("P");
    for (int i = 0; i < 6; ++i)
        parent.AddChild(std::to_string(i));
    parent.RemoveChild(parent.ChildAt(1));
    parent.RemoveChild(parent.ChildAt(2));  // "3"
    std::string order;
    for (RDCNode* node = parent.FirstChild(); node; node = parent.NextChild(node))
        order += node->Name();
    EXPECT_EQ(order, "0245");
    EXPECT_EQ(parent.RemoveChild(parent.ChildAt(3))->Name(), "5");
    EXPECT_EQ(parent.NextChild(parent.ChildAt(2)), nullptr);
}
