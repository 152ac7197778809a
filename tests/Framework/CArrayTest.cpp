// Tests of CArray: growth, insertion, removal and contiguous data.
#include "CArray.h"

#include <gtest/gtest.h>

namespace {

TEST(CArray, AddInsertRemoveKeepOrder)
{
    CArray<int, int> a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(a.Add(1), 0);
    EXPECT_EQ(a.Add(3), 1);
    a.InsertAt(1, 2);
    a.InsertAt(0, 0, 2);
    ASSERT_EQ(a.GetSize(), 5);
    EXPECT_EQ(a[0], 0);
    EXPECT_EQ(a[1], 0);
    EXPECT_EQ(a[2], 1);
    EXPECT_EQ(a[3], 2);
    EXPECT_EQ(a[4], 3);
    a.RemoveAt(0, 2);
    EXPECT_EQ(a.GetUpperBound(), 2);
    EXPECT_EQ(a.GetData()[2], 3);
    a.SetAtGrow(5, 9);
    EXPECT_EQ(a.GetCount(), 6);
    EXPECT_EQ(a[4], 0);
    EXPECT_EQ(a[5], 9);
    a.RemoveAll();
    EXPECT_EQ(a.GetSize(), 0);
}

TEST(CArray, CopyAndAppend)
{
    CArray<int*> a;
    int x = 1, y = 2;
    a.Add(&x);
    CArray<int*> b;
    b.Add(&y);
    EXPECT_EQ(b.Append(a), 1);
    CArray<int*> c;
    c.Copy(b);
    ASSERT_EQ(c.GetSize(), 2);
    EXPECT_EQ(c[0], &y);
    EXPECT_EQ(c[1], &x);
    c.SetSize(1);
    EXPECT_EQ(c.GetSize(), 1);
}

} // namespace
