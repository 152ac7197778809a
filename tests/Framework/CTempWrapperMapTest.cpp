// Tests of CTempWrapperMap: one wrapper per key, and no wrapper ever deleted
// while it still holds its handle.
#include "CTempWrapperMap.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// A wrapper whose destructor records the handle it would have released.
struct FakeWrapper
{
    int hHandle;
    std::vector<int>* pReleased;

    FakeWrapper(int hNew, std::vector<int>* pLog) : hHandle(hNew), pReleased(pLog) {}
    ~FakeWrapper()
    {
        if (hHandle != 0)
            pReleased->push_back(hHandle);
    }
    void Detach() { hHandle = 0; }
};

typedef CTempWrapperMap<int, FakeWrapper> FakeMap;

FakeWrapper* Wrap(FakeMap& map, int hHandle, std::vector<int>* pReleased, int* pMade)
{
    return map.FromKey(hHandle, [=]() {
        ++*pMade;
        return std::make_unique<FakeWrapper>(hHandle, pReleased);
    });
}

TEST(CTempWrapperMap, OneWrapperPerKeyUntilEmptiedAndNoHandleIsReleased)
{
    std::vector<int> released;
    int nMade = 0;
    {
        FakeMap map;
        FakeWrapper* pFirst = Wrap(map, 7, &released, &nMade);
        EXPECT_EQ(Wrap(map, 7, &released, &nMade), pFirst);
        EXPECT_NE(Wrap(map, 8, &released, &nMade), pFirst);
        EXPECT_EQ(nMade, 2);
        EXPECT_EQ(map.GetCount(), 2u);

        map.DeleteAll();
        EXPECT_EQ(map.GetCount(), 0u);
        EXPECT_EQ(Wrap(map, 7, &released, &nMade)->hHandle, 7) << "a new wrapper after emptying";
        EXPECT_EQ(nMade, 3);
    } // the map goes with a wrapper still in it
    EXPECT_TRUE(released.empty()) << "a wrapper is detached before it is deleted";
}

// A wrapper whose destructor asks the same map for another wrapper, as a
// framework object's destructor may.
struct ReentrantWrapper
{
    CTempWrapperMap<int, ReentrantWrapper>* pMap;
    int hHandle;

    ReentrantWrapper(CTempWrapperMap<int, ReentrantWrapper>* pOwner, int hNew) : pMap(pOwner), hHandle(hNew) {}
    ~ReentrantWrapper()
    {
        if (hHandle == 1)
            pMap->FromKey(2, [this]() { return std::make_unique<ReentrantWrapper>(pMap, 2); });
    }
    void Detach() {}
};

TEST(CTempWrapperMap, WrappersAreDeletedOutsideTheLock)
{
    CTempWrapperMap<int, ReentrantWrapper> map;
    map.FromKey(1, [&map]() { return std::make_unique<ReentrantWrapper>(&map, 1); });
    map.DeleteAll(); // would deadlock if the destructor ran under the lock
    EXPECT_EQ(map.GetCount(), 1u) << "the wrapper made during the emptying waits for the next one";
}

TEST(CTempWrapperMap, AFailedFactoryLeavesNoEntry)
{
    std::vector<int> released;
    FakeMap map;
    EXPECT_THROW(map.FromKey(5, []() -> std::unique_ptr<FakeWrapper> { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_EQ(map.GetCount(), 0u);
    int nMade = 0;
    EXPECT_EQ(Wrap(map, 5, &released, &nMade)->hHandle, 5);
    EXPECT_EQ(nMade, 1);
}

} // namespace
