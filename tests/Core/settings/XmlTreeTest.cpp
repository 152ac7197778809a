// Tests of XML_Node and XML_Tree: building, lookups, the child cursor, number
// conversion and the destruction of very deep trees.
#include "XML_Node.h"
#include "XML_Tree.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

namespace {

TEST(XmlNode, NewNodeAppendsItselfToItsParentInOrder)
{
    XML_Node root(nullptr, L"root");
    XML_Node* a = new XML_Node(&root, L"a");
    XML_Node* b = new XML_Node(&root, L"b");
    XML_Node* c = new XML_Node(b, L"c");

    EXPECT_EQ(root.GetParent(), nullptr);
    EXPECT_EQ(a->GetParent(), &root);
    EXPECT_EQ(c->GetParent(), b);
    EXPECT_EQ(root.GetFirstSubItem(), a);
    EXPECT_EQ(root.GetNextSubItem(), b);
    EXPECT_EQ(root.GetNextSubItem(), nullptr);
    EXPECT_EQ(b->GetFirstSubItem(), c);
    EXPECT_EQ(W(a->GetName()), L"a");
    EXPECT_TRUE(a->GetValue().IsEmpty());
}

TEST(XmlNode, AddValueReplacesThePreviousValue)
{
    XML_Node node(nullptr, L"n");
    node.AddValue(L"first");
    node.AddValue(L"second");
    EXPECT_EQ(W(node.GetValue()), L"second");
}

TEST(XmlNode, GetSubItemFindsTheFirstExactMatch)
{
    XML_Node root(nullptr, L"root");
    XML_Node* first = new XML_Node(&root, L"Image");
    XML_Node* second = new XML_Node(&root, L"Image");
    first->AddValue(L"1");
    second->AddValue(L"2");
    new XML_Node(&root, L"Basic");

    EXPECT_EQ(root.GetSubItem(L"Image"), first);
    EXPECT_EQ(root.GetSubItem(L"image"), nullptr);
    EXPECT_EQ(root.GetSubItem(L"Imag"), nullptr);
    EXPECT_EQ(root.GetSubItem(L"Images"), nullptr);
    EXPECT_EQ(root.GetSubItem(L""), nullptr);
    EXPECT_NE(root.GetSubItem(L"Basic"), nullptr);
    EXPECT_EQ(first->GetSubItem(L"Image"), nullptr);
}

TEST(XmlNode, GetSubItemComparesNamesWithEmbeddedTerminatorsWhole)
{
    XML_Node root(nullptr, L"root");
    XML_Node* odd = new XML_Node(&root, CString(L"a\0b", 3));
    EXPECT_EQ(root.GetSubItem(CString(L"a\0b", 3)), odd);
    EXPECT_EQ(root.GetSubItem(L"a"), nullptr);
    EXPECT_EQ(root.GetSubItem(CString(L"a\0c", 3)), nullptr);
}

TEST(XmlNode, ChildCursorStaysNullAfterTheLastChild)
{
    XML_Node root(nullptr, L"root");
    XML_Node* a = new XML_Node(&root, L"a");
    XML_Node* b = new XML_Node(&root, L"b");

    EXPECT_EQ(root.GetFirstSubItem(), a);
    EXPECT_EQ(root.GetNextSubItem(), b);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(root.GetNextSubItem(), nullptr) << "call " << i;
    // A child added once the cursor is past the end is not reached; one
    // added while the cursor stands on the last child is.
    XML_Node* c = new XML_Node(&root, L"c");
    EXPECT_EQ(root.GetNextSubItem(), nullptr);
    // A new start goes round again.
    EXPECT_EQ(root.GetFirstSubItem(), a);
    EXPECT_EQ(root.GetNextSubItem(), b);
    EXPECT_EQ(root.GetNextSubItem(), c);
    XML_Node* d = new XML_Node(&root, L"d");
    EXPECT_EQ(root.GetNextSubItem(), d);
    EXPECT_EQ(root.GetNextSubItem(), nullptr);
}

TEST(XmlNode, ChildCursorOnANodeWithoutChildren)
{
    XML_Node leaf(nullptr, L"leaf");
    EXPECT_EQ(leaf.GetNextSubItem(), nullptr); // before any start
    EXPECT_EQ(leaf.GetFirstSubItem(), nullptr);
    EXPECT_EQ(leaf.GetNextSubItem(), nullptr);
    EXPECT_EQ(leaf.GetNextSubItem(), nullptr);
}

struct NumberCase
{
    const wchar_t* text;
    int asInt;
};

TEST(XmlNode, GetValueAsIntReadsLeadingDecimalDigits)
{
    const NumberCase cases[] = {
        { L"12abc", 12 },
        { L"abc", 0 },
        { L"", 0 },
        { L"-7", -7 },
        { L"+5", 5 },
        { L"-0", 0 },
        { L"007", 7 },
        { L" \t\n\r\v\f42", 42 },
        { L"\r\n  7\r", 7 },
        { L"- 5", 0 },
        { L"+-5", 0 },
        { L"3 4", 3 },
        { L"0x1A", 0 },
        { L"1e3", 1 },
        { L"\xFF11\xFF12", 0 }, // full-width digits are not digits here
        { L"65580", 65580 },
        { L"2147483647", INT_MAX },
        { L"-2147483648", INT_MIN },
        // Out of range: saturated at the limits, never wrapped.
        { L"2147483648", INT_MAX },
        { L"-2147483649", INT_MIN },
        { L"99999999999999999999999999999999999999999", INT_MAX },
        { L"-99999999999999999999999999999999999999999x", INT_MIN },
        { L"4294967340", INT_MAX },
    };
    for (const NumberCase& c : cases) {
        XML_Node node(nullptr, L"n");
        node.AddValue(c.text);
        EXPECT_EQ(node.GetValueAsInt(), c.asInt) << "text: \"" << c.text << "\"";
    }
}

TEST(XmlNode, GetValueAsLongSaturatesAtTheLimitsOfLong)
{
    const long kMax = std::numeric_limits<long>::max();
    const long kMin = std::numeric_limits<long>::min();
    const struct
    {
        const wchar_t* text;
        long asLong;
    } cases[] = {
        { L"-7", -7L },
        { L"12abc", 12L },
        { L"abc", 0L },
        { L"2147483647", 2147483647L },
        { L"-2147483648", -2147483647L - 1 },
        { L"9223372036854775807", kMax }, // LONG_MAX itself where long is 64 bits
        { L"99999999999999999999999999", kMax },
        { L"-99999999999999999999999999", kMin },
    };
    for (const auto& c : cases) {
        XML_Node node(nullptr, L"n");
        node.AddValue(c.text);
        EXPECT_EQ(node.GetValueAsLong(), c.asLong) << "text: \"" << c.text << "\"";
    }
    XML_Node node(nullptr, L"n");
    node.AddValue(L"2147483648");
    EXPECT_EQ(node.GetValueAsLong(), sizeof(long) == 4 ? kMax : 2147483648L);
}

TEST(XmlTree, BuildsNestedElementsWithTheCursor)
{
    XML_Tree tree;
    EXPECT_EQ(tree.GetRoot(), nullptr);
    tree.AddElement(L"Voruzev");
    tree.AddElement(L"Basic");
    tree.AddElement(L"SnapDelayTime");
    tree.AddValue(500);
    tree.EndElement();
    tree.AddElement(L"Long");
    tree.AddValue(-123456L);
    tree.EndElement();
    tree.EndElement();
    tree.AddElement(L"Author");
    tree.AddValue(CString(L"Brivane"));
    tree.EndElement();
    tree.AddValue(-7);
    tree.EndElement();

    XML_Node* root = tree.GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(W(root->GetName()), L"Voruzev");
    EXPECT_EQ(W(root->GetValue()), L"-7");
    XML_Node* basic = root->GetSubItem(L"Basic");
    ASSERT_NE(basic, nullptr);
    EXPECT_EQ(W(basic->GetSubItem(L"SnapDelayTime")->GetValue()), L"500");
    EXPECT_EQ(W(basic->GetSubItem(L"Long")->GetValue()), L"-123456");
    EXPECT_EQ(W(root->GetSubItem(L"Author")->GetValue()), L"Brivane");
    EXPECT_EQ(root->GetFirstSubItem(), basic);
}

TEST(XmlTree, NumbersAreWrittenInDecimalToTheirLimits)
{
    const struct
    {
        int number;
        const wchar_t* text;
    } ints[] = { { 0, L"0" }, { 9, L"9" }, { -1, L"-1" }, { 10, L"10" }, { INT_MAX, L"2147483647" },
                 { INT_MIN, L"-2147483648" } };
    for (const auto& c : ints) {
        XML_Tree tree;
        tree.AddElement(L"n");
        tree.AddValue(c.number);
        EXPECT_EQ(W(tree.GetRoot()->GetValue()), c.text);
    }
    XML_Tree tree;
    tree.AddElement(L"n");
    tree.AddValue(LONG_MIN);
    EXPECT_EQ(W(tree.GetRoot()->GetValue()), std::to_wstring(LONG_MIN));
}

TEST(XmlTree, NothingIsAddedAfterTheRootIsClosed)
{
    XML_Tree tree;
    tree.AddElement(L"root");
    tree.AddValue(L"kept");
    tree.EndElement();
    tree.AddElement(L"second");
    tree.AddValue(L"dropped");
    tree.EndElement();
    tree.EndElement();

    XML_Node* root = tree.GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(W(root->GetName()), L"root");
    EXPECT_EQ(W(root->GetValue()), L"kept");
    EXPECT_EQ(root->GetFirstSubItem(), nullptr);
}

TEST(XmlTree, ValuesAndClosesOnAnEmptyTreeDoNothing)
{
    XML_Tree tree;
    tree.AddValue(L"x");
    tree.AddValue(1);
    tree.EndElement();
    EXPECT_EQ(tree.GetRoot(), nullptr);
    tree.AddElement(L"root");
    EXPECT_TRUE(tree.GetRoot()->GetValue().IsEmpty());
}

TEST(XmlTree, AVeryDeepTreeIsDestroyedWithoutExhaustingTheStack)
{
    // Deep enough that one stack frame per level would overflow the stack.
    const int kDepth = 200000;
    auto* tree = new XML_Tree;
    for (int i = 0; i < kDepth; ++i)
        tree->AddElement(L"d");
    XML_Node* node = tree->GetRoot();
    int depth = 1;
    while ((node = node->GetFirstSubItem()) != nullptr)
        ++depth;
    EXPECT_EQ(depth, kDepth);
    delete tree;
}

} // namespace
