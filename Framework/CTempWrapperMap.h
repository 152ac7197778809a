// CTempWrapperMap: the temporary wrappers that FromHandle makes for handles
// that belong to someone else (windows, menus, DCs, GDI objects). Internal to
// the framework library; one map per kind of wrapper.
//
// Ownership: the map owns its wrappers (unique_ptr); a wrapper never owns its
// handle. FromKey makes a wrapper on first use and gives the same one until
// DeleteAll, which the framework calls when a message loop goes idle
// (AfxDeleteTempMaps). Before a wrapper is deleted - at DeleteAll or when the
// process ends - its Detach gives the handle up, so its destructor leaves the
// window, menu, DC or GDI object untouched.
//
// Threading: the maps belong to the thread that runs the framework's message
// loop. FromHandle is meant for that thread, for the message being handled: a
// wrapper pointer is not kept past the next idle time, nor handed to another
// thread (pass the handle instead). Each map still takes its own lock around
// every lookup and every emptying, so that a stray call from another thread
// cannot corrupt it; wrappers are deleted outside the lock, so a destructor
// may itself ask for a temporary wrapper.
//
// TWrapper needs Detach(), which gives the handle up untouched; the factory
// given to FromKey makes a wrapper that already holds its handle.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>

template <class TKey, class TWrapper>
class CTempWrapperMap
{
public:
    CTempWrapperMap() = default;
    ~CTempWrapperMap() { DetachAll(m_wrappers); }

    CTempWrapperMap(const CTempWrapperMap&) = delete;
    CTempWrapperMap& operator=(const CTempWrapperMap&) = delete;

    // The wrapper of key; on first use makeWrapper() makes it, already
    // holding its handle (a std::unique_ptr<TWrapper>).
    template <class TMake>
    TWrapper* FromKey(const TKey& key, TMake makeWrapper)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        std::unique_ptr<TWrapper>& slot = m_wrappers[key];
        if (!slot) {
            try {
                slot = makeWrapper();
            } catch (...) {
                m_wrappers.erase(key); // no empty entry stays behind
                throw;
            }
        }
        return slot.get();
    }

    // Deletes every wrapper, each detached from its handle first.
    void DeleteAll()
    {
        Wrappers released;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            released.swap(m_wrappers);
        }
        DetachAll(released);
    }

    std::size_t GetCount() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_wrappers.size();
    }

private:
    typedef std::map<TKey, std::unique_ptr<TWrapper>> Wrappers;

    static void DetachAll(Wrappers& wrappers)
    {
        for (auto& entry : wrappers) {
            if (entry.second)
                entry.second->Detach();
        }
    }

    mutable std::mutex m_lock;
    Wrappers m_wrappers;
};
